// The IDE add-in's plug-in interface (package CodeRush3): the classes a
// plug-in derives from, TAbstractRushInterface and TAbstractPanelInterface,
// with every virtual operation in its slot order and the host's defaults, and
// the host object CodeRush that plug-ins register with. The host program and
// every plug-in include this one header.
#pragma once

#include <string>
#include <typeinfo>
#include <vector>

#include <windows.h>

#include "platform/Controls.h"
#include "platform/Interface.h"

#if defined(CODERUSH3_BUILD_DLL)
#define RUSHINTF_API __declspec(dllexport)
#else
#define RUSHINTF_API __declspec(dllimport)
#endif

// A string list a plug-in fills for the host.
using TRushStrings = std::vector<std::string>;

// Where the host docks a panel at first (GetDefaultPosition).
enum TRushPanelPosition : int { rpFloating = 0, rpLeft = 1, rpBottom = 2, rpRight = 3 };

// Notification masks of SubscribeNotifications: which Event_ operations the
// host calls on a plug-in.
inline constexpr unsigned RushNotifyEditor = 0x0001;
inline constexpr unsigned RushNotifyFiles = 0x0010;
inline constexpr unsigned RushNotifyCompile = 0x0100;
inline constexpr unsigned RushNotifyFocus = 0x1000;
inline constexpr unsigned RushNotifyPanels = 0x4000;
// Kinds of requested string lists: 3 is the about and support text.
inline constexpr int RushStringListAbout = 3;

class TAbstractRushInterface : public TInterface {
public:
  // 1, 2: the plug-in's unique name and its description.
  virtual std::string GetName() { return {}; }
  virtual std::string GetDescription() { return {}; }
  // 3: every plug-in of the host is loaded.
  virtual void AllPanelPlugInsAreLoaded() {}
  // 4: a command registered by the plug-in was invoked (the name as typed).
  virtual void HandleCommand(const std::string& /*Command*/) {}
  // 5 to 8: texts the host asks for.
  virtual std::string GetRequestedCommandHint(const std::string& /*Command*/) { return {}; }
  virtual std::string GetRequestedStringHint(const std::string& /*Name*/) { return {}; }
  virtual bool GetRequestedString(const std::string& /*Name*/, std::string& /*Value*/) { return false; }
  virtual bool GetRequestedStringList(const std::string& /*Name*/, int /*Kind*/, TRushStrings* /*List*/) {
    return false;
  }
  // 9 to 17: editor, compile and file notifications.
  virtual void Event_TextPlacedOnClipboard(const std::string& /*Text*/) {}
  virtual void Event_BookmarkChange(int /*Line*/, int /*Index*/) {}
  virtual void Event_AboutToCompile(bool& /*Cancel*/) {}
  virtual void Event_FinishedCompile(bool /*Succeeded*/) {}
  virtual void Event_FileClosing(const std::string& /*FileName*/) {}
  virtual void Event_TemplateExpanding(const std::string& /*Template*/, bool& /*Cancel*/) {}
  virtual void Event_LeavingModifiedLine(int /*Line*/) {}
  virtual void Event_EditorDeleteLines(int /*Line*/, int /*Count*/) {}
  virtual void Event_EditorInsertLines(int /*Line*/, int /*Count*/) {}
  // 18: the host is about to move a panel (destroying its component).
  virtual void Event_PanelAboutToMove(const std::string& /*PanelName*/, int /*OldPosition*/, int /*NewPosition*/) {}
  // 19 onwards: the remaining editor, file, focus and parse notifications.
  virtual void Event_ParseComplete() {}
  virtual void Event_EditorDraw(HDC /*DC*/, const RECT& /*Rect*/) {}
  virtual void Event_ToolbarCreated(HWND /*Toolbar*/) {}
  virtual void Event_KeyPress(char& /*Key*/) {}
  virtual void Event_NewFileSelected(const std::string& /*FileName*/) {}
  virtual void Event_LineNumberChanged(int /*Line*/) {}
  virtual void Event_FileNotification(const std::string& /*FileName*/, int /*Code*/) {}
  virtual void Event_FileRename(const std::string& /*OldName*/, const std::string& /*NewName*/) {}
  virtual void Event_EditorIdle() {}
  virtual void Event_EditWindowIsReceivingFocus() {}
  virtual void Event_EditWindowIsLosingFocus() {}
  virtual void Event_ProjectFormIsReceivingFocus() {}
  virtual void Event_ProjectFormIsLosingFocus() {}
  virtual void Event_FormIsReceivingFocus(HWND /*Form*/) {}
  virtual void Event_FormIsLosingFocus(HWND /*Form*/) {}
};

class TAbstractPanelInterface : public TAbstractRushInterface {
public:
  virtual std::string GetCaption() { return GetName(); }
  virtual int GetDefaultPosition() { return rpFloating; }
  // The panel's first place when it floats (screen coordinates); false: the host chooses.
  virtual bool GetDefaultCoordinates(RECT& /*Rect*/) { return false; }
  // The tab picture; the caller deletes it. Null: none.
  virtual HBITMAP GetBitmap() { return nullptr; }
  virtual COLORREF GetTransparentBitmapColor() { return RGB(255, 0, 255); }
  // The panel's content, owned by Owner; the host parents it and destroys it
  // when the panel closes or moves.
  virtual TWinControl* CreatePanel(TComponent* /*Owner*/) { return nullptr; }
  // The host has placed the component and shows it.
  virtual void ShowPanelComponent(TComponent* /*Component*/) {}
};

// The host object. Its operations come in this slot order; a plug-in calls
// the ones it needs through the global CodeRush, which is null while no host
// runs.
class TCodeRush {
public:
  virtual ~TCodeRush() = default;
  virtual void RegisterPlugIn(TAbstractRushInterface* PlugIn) = 0;
  virtual int GetPlugInCount() = 0;
  // Removes (and releases) every registered plug-in of the class.
  virtual void UnregisterPlugInClass(const std::type_info& Class) = 0;
  virtual TAbstractRushInterface* GetPlugIn(int Index) = 0;
  virtual void RegisterCommand(TAbstractRushInterface* PlugIn, const std::string& Command) = 0;
  // Runs a registered command (the name compared without letter case).
  virtual bool ExecuteCommand(const std::string& Command) = 0;
  virtual void RegisterRequestedStringList(TAbstractRushInterface* PlugIn, const std::string& Name, int Kind) = 0;
  virtual bool GetRequestedStringList(const std::string& Name, TRushStrings& Lines) = 0;
  virtual void SubscribeNotifications(TAbstractRushInterface* PlugIn, unsigned Mask) = 0;
  virtual void UnsubscribeNotifications(TAbstractRushInterface* PlugIn, unsigned Mask) = 0;
  virtual unsigned GetNotificationMask(TAbstractRushInterface* PlugIn) = 0;
  virtual HWND GetMainWindow() = 0;
  virtual int GetPanelCount(const std::string& PanelName) = 0;
  // Panels by name; Index -1 is the panel's main instance.
  virtual void ShowPanel(const std::string& PanelName, int Index) = 0;
  virtual void HidePanel(const std::string& PanelName, int Index) = 0;
  virtual void TogglePanel(const std::string& PanelName, int Index) = 0;
  virtual bool IsPanelVisible(const std::string& PanelName, int Index) = 0;
  // The component CreatePanel made for the panel's current instance (the one
  // being moved during Event_PanelAboutToMove), or null.
  virtual TComponent* GetPanelComponent(const std::string& PanelName) = 0;
};

// The host object, or null.
extern "C" RUSHINTF_API TCodeRush* CodeRush;
