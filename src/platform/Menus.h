// Menu items, the main menu of a form and popup menus.
#pragma once

#include "platform/Controls.h"

#include <memory>
#include <string>
#include <vector>

// A shortcut: virtual key in the low byte plus scShift / scCtrl / scAlt.
using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, WORD& Key, TShiftState& Shift);
// "Ctrl+O", "F3", "Alt+F4", "Shift+Ctrl+Del"; "" for scNone.
std::string ShortCutToText(TShortCut ShortCut);
// The inverse of ShortCutToText (case-insensitive); scNone when not understood.
TShortCut TextToShortCut(const std::string& Text);

class TMenu;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // "-" makes a separator line.
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool IsLine() const { return FCaption == "-"; }
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool GetChecked() const { return FChecked; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool Value);
  bool GetRadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  // Starts a new column in a drop-down menu.
  bool GetBreak() const { return FBreak; }
  void SetBreak(bool Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  // Sub-items. An item owns its sub-items; one that a component owner (or
  // anyone else) deletes first leaves its parent item on the way.
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TMenuItem* GetItem(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
  TMenuItem* GetParentItem() const { return FParentItem; }
  int IndexOf(const TMenuItem* Item) const;
  // Adds a new item and returns it:
  //   TMenuItem* Item = Menu->GetItems()->Add(std::make_unique<TMenuItem>(nullptr));
  // Make and set up the item as a std::unique_ptr: it is not lost when a
  // setter throws before it is added.
  TMenuItem* Add(std::unique_ptr<TMenuItem> Item);
  TMenuItem* Insert(int Index, std::unique_ptr<TMenuItem> Item);
  // The same for a raw item: this item owns it from now on (unless its
  // component owner deletes it first).
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index);  // removes without deleting the item
  void Clear();            // deletes all sub-items
  // The sub-item (recursively) that has this shortcut, or null.
  TMenuItem* FindShortCut(TShortCut ShortCut);

  // The command id in WM_COMMAND.
  UINT GetCommand() const { return FCommand; }
  // Runs OnClick (when enabled).
  virtual void Click();
  TNotifyEvent OnClick;

  // The drop-down HMENU of the sub-items (made when needed).
  HMENU GetHandle();
  // The item with a command id, or null.
  static TMenuItem* FindCommand(UINT Command);

  // The menu this item tree belongs to.
  TMenu* GetMenu() const;

private:
  friend class TMenu;
  friend class TMainMenu;
  void Changed(bool Structure);
  void RebuildHandle();
  void FillMenu(HMENU Menu);
  void UpdateNative();
  MENUITEMINFOA ItemInfo(std::string& Text);

  std::string FCaption;
  TShortCut FShortCut = scNone;
  bool FChecked = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FBreak = false;
  std::string FHint;
  int FHelpContext = 0;
  UINT FCommand = 0;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
  TMenuItem* FParentItem = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item
  // The drop-down of the sub-items. DestroyMenu takes submenus with it, so
  // only the item that made the top of a built tree owns its handle.
  HMENU FHandle = nullptr;
  bool FOwnsHandle = false;
  HMENU FContainer = nullptr;  // the HMENU this item is an entry of (when built)
  void ForgetHandles();
};

class TMenu : public TCustomMenu {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  // The root item: its sub-items are the menu's entries.
  TMenuItem* GetItems() const { return FItems.get(); }
  HMENU GetHandle();
  // Finds the item for a shortcut and clicks it; true when one was found.
  bool IsShortCut(WORD Key, TShiftState Shift) override;
  // Runs the item of a WM_COMMAND id when it belongs to this menu.
  bool DispatchCommand(UINT Command);
  TMenuItem* FindItem(UINT Command) const;

protected:
  friend class TMenuItem;
  virtual void MenuChanged(bool Structure);
  virtual bool IsBar() const { return false; }
  std::unique_ptr<TMenuItem> FItems;
};

class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* AOwner);
  // The form whose menu bar shows this menu (set by TCustomForm::SetMenu).
  void SetWindow(HWND Wnd);
  HWND GetWindow() const { return FWindow; }

protected:
  void MenuChanged(bool Structure) override;
  bool IsBar() const override { return true; }

private:
  HWND FWindow = nullptr;
};

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner);
  // Shows the menu at screen point (X, Y) and runs the chosen item. Returns after the menu closes.
  virtual void Popup(int X, int Y);
  // The control whose context menu opened it.
  TControl* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TControl* Value) { FPopupComponent = Value; }
  TNotifyEvent OnPopup;
  // A right click on Control: shows the menu when it has items.
  bool ContextPopup(TControl* Control, POINT Screen) override;

private:
  TControl* FPopupComponent = nullptr;
};
