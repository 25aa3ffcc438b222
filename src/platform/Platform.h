// The whole platform layer.
#pragma once

#include "Clipboard.h"
#include "CommonDialogs.h"
#include "Controls.h"
#include "Forms.h"
#include "Gdi.h"
#include "Graphics.h"
#include "Menus.h"
#include "PlatformExcept.h"
#include "Registry.h"
#include "StdCtrls.h"
#include "Timers.h"
#include "Printers.h"
#include "Grids.h"
#include "Pages.h"
