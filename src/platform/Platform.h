// The whole platform layer.
#pragma once

#include "platform/Application.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialogs.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "platform/Menus.h"
#include "platform/Pages.h"
#include "platform/PlatformExcept.h"
#include "platform/Printers.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"
