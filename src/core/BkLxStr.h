// The viewer's string table: user-visible texts with ids, kept as string
// resources of the module that contains the viewer (the program or the
// plug-in library).
#pragma once

#include <windows.h>

#include <string>

namespace BkLxStr {

constexpr int sLxPrintedOn = 41000;         // "Orlimo Message Log - Printed on %s"
constexpr int sLxSavedOn = 41001;           // "Orlimo Message Log - Saved on %s"
constexpr int sLxHeaderDateFormat = 41002;  // ddddd "at" t
constexpr int sLxCheckPoint = 41003;        // "Check Point #%d"
constexpr int sLxCallStack = 41004;
constexpr int sLxStreamOutput = 41005;
constexpr int sLxStringContents = 41006;
constexpr int sLxClearMessages = 41010;
constexpr int sLxAddNote = 41011;
constexpr int sLxAddSeparator = 41012;
constexpr int sLxAddCheckPoint = 41013;
constexpr int sLxSelectNavigatorMessage = 41014;
constexpr int sLxFirstMessage = 41015;
constexpr int sLxPreviousMessage = 41016;
constexpr int sLxNextMessage = 41017;
constexpr int sLxLastMessage = 41018;
constexpr int sLxOpenInspectorWindow = 41019;
constexpr int sLxCustomize = 41020;
constexpr int sLxShowHideIcons = 41021;
constexpr int sLxShowHideTimeStamp = 41022;
constexpr int sLxShowHideInspectorPane = 41023;
constexpr int sLxShowHideScratchPad = 41024;
constexpr int sLxInspectCallStack = 41025;
constexpr int sLxFindMatchingMethod = 41026;
constexpr int sLxReceiveIgnoreMessages = 41028;
constexpr int sLxCaptureDebugOutput = 41039;

// The module whose resources belong to the viewer: the one this code is
// linked into.
HINSTANCE ResourceModule();

// The text of string resource Id, empty when there is none.
std::string LoadStr(int Id);

// LoadStr(Id) used as a printf format with one integer.
std::string FmtLoadStr(int Id, int Value);

}  // namespace BkLxStr
