// The system's ANSI code page conversion for the syslog codec: the one place
// where the program's ANSI text meets UTF-8.
#pragma once

#include "model/SyslogCodec.h"

// CP_ACP to and from UTF-8 through UTF-16; characters the code page lacks and
// invalid UTF-8 become "?".
const TAnsiCodec& SystemAnsiCodec();
