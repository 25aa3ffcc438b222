#include "platform/Menus.h"

#include "platform/Application.h"
#include "platform/PlatformExcept.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

std::map<UINT, TMenuItem*>& CommandTable() {
  static std::map<UINT, TMenuItem*> Table;
  return Table;
}

// The controls and the application window run menu commands through this.
bool RunMenuCommand(UINT Command) {
  TMenuItem* Item = TMenuItem::FindCommand(Command);
  if (!Item) return false;
  Item->Click();
  return true;
}

UINT AllocateCommand(TMenuItem* Item) {
  static const bool Registered = (SetMenuCommandHandler(RunMenuCommand), true);
  (void)Registered;
  static UINT Next = 0x100;
  auto& Table = CommandTable();
  for (int Tries = 0; Tries < 0x10000; ++Tries) {
    const UINT Id = Next;
    Next = Next >= 0xFFFF ? 0x100 : Next + 1;
    if (!Table.count(Id)) {
      Table[Id] = Item;
      return Id;
    }
  }
  throw EOutOfResources("Too many menu items");
}

struct TKeyName {
  WORD Key;
  const char* Name;
};
const TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string Lower(std::string S) {
  for (char& C : S) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  return S;
}

}  // namespace

TShortCut ShortCut(WORD Key, TShiftState Shift) {
  if (Key & 0xFF00) return scNone;
  TShortCut Result = Key;
  if (Shift & ssShift) Result |= scShift;
  if (Shift & ssCtrl) Result |= scCtrl;
  if (Shift & ssAlt) Result |= scAlt;
  return Result;
}

void ShortCutToKey(TShortCut Value, WORD& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = 0;
  if (Value & scShift) Shift |= ssShift;
  if (Value & scCtrl) Shift |= ssCtrl;
  if (Value & scAlt) Shift |= ssAlt;
}

std::string ShortCutToText(TShortCut Value) {
  const WORD Key = Value & 0xFF;
  std::string Name;
  if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) {
    Name = std::string(1, static_cast<char>(Key));
  } else if (Key >= VK_F1 && Key <= VK_F24) {
    Name = std::to_string(Key - VK_F1 + 1);
    Name.insert(Name.begin(), 'F');
  } else {
    for (const TKeyName& K : KeyNames)
      if (K.Key == Key) Name = K.Name;
  }
  if (Name.empty()) return "";
  std::string Result;
  if (Value & scShift) Result += "Shift+";
  if (Value & scCtrl) Result += "Ctrl+";
  if (Value & scAlt) Result += "Alt+";
  return Result + Name;
}

TShortCut TextToShortCut(const std::string& Text) {
  std::string S = Lower(Text);
  TShortCut Mods = 0;
  for (;;) {
    if (S.rfind("shift+", 0) == 0) {
      Mods |= scShift;
      S.erase(0, 6);
    } else if (S.rfind("ctrl+", 0) == 0) {
      Mods |= scCtrl;
      S.erase(0, 5);
    } else if (S.rfind("alt+", 0) == 0) {
      Mods |= scAlt;
      S.erase(0, 4);
    } else {
      break;
    }
  }
  if (S.empty()) return scNone;
  WORD Key = 0;
  if (S.size() == 1 && std::isalnum(static_cast<unsigned char>(S[0]))) {
    Key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(S[0])));
  } else if (S[0] == 'f' && S.size() <= 3 &&
             std::all_of(S.begin() + 1, S.end(), [](char C) { return C >= '0' && C <= '9'; })) {
    const int N = std::stoi(S.substr(1));
    if (N >= 1 && N <= 24) Key = static_cast<WORD>(VK_F1 + N - 1);
  } else {
    for (const TKeyName& K : KeyNames)
      if (Lower(K.Name) == S) Key = K.Key;
  }
  if (!Key) return scNone;
  return static_cast<TShortCut>(Key | Mods);
}

// ---------------------------------------------------------------- TMenuItem
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) { FCommand = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
  BeginDestroy();
  OnClick = nullptr;
  while (!FItems.empty()) {
    std::unique_ptr<TMenuItem> Child = std::move(FItems.back());
    FItems.pop_back();
    Child->FParentItem = nullptr;
    Child->FContainer = nullptr;
  }
  if (FParentItem) FParentItem->Remove(this);
  if (FOwnsHandle && FHandle) ::DestroyMenu(FHandle);
  CommandTable().erase(FCommand);
}

TMenu* TMenuItem::GetMenu() const {
  const TMenuItem* Root = this;
  while (Root->FParentItem) Root = Root->FParentItem;
  return Root->FMenu;
}

TMenuItem* TMenuItem::FindCommand(UINT Command) {
  auto& Table = CommandTable();
  auto It = Table.find(Command);
  return It == Table.end() ? nullptr : It->second;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto It = std::find_if(FItems.begin(), FItems.end(), [Item](const auto& P) { return P.get() == Item; });
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item) { return Insert(GetCount(), std::move(Item)); }

TMenuItem* TMenuItem::Insert(int Index, std::unique_ptr<TMenuItem> Item) {
  if (!Item) return nullptr;
  if (Item->FParentItem) {
    (void)Item.release();  // its parent item owns it
    throw EInvalidOperation("Menu item is already inserted");
  }
  Index = std::clamp(Index, 0, GetCount());
  TMenuItem* Raw = Item.get();
  FItems.insert(FItems.begin() + Index, std::move(Item));
  Raw->FParentItem = this;
  Changed(true);
  return Raw;
}

void TMenuItem::Add(TMenuItem* Item) { Insert(GetCount(), std::unique_ptr<TMenuItem>(Item)); }

void TMenuItem::Insert(int Index, TMenuItem* Item) { Insert(Index, std::unique_ptr<TMenuItem>(Item)); }

void TMenuItem::Remove(TMenuItem* Item) {
  const int I = IndexOf(Item);
  if (I >= 0) Delete(I);
}

void TMenuItem::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) return;
  TMenuItem* Item = FItems[static_cast<size_t>(Index)].release();
  FItems.erase(FItems.begin() + Index);
  Item->FParentItem = nullptr;
  Item->ForgetHandles();
  if (!IsDestroying()) Changed(true);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    std::unique_ptr<TMenuItem> Item = std::move(FItems.back());
    FItems.pop_back();
    Item->FParentItem = nullptr;
    Item->ForgetHandles();
    Item.reset();
    if (!IsDestroying()) Changed(true);
  }
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value) {
  if (Value == scNone) return nullptr;
  for (const auto& Item : FItems) {
    if (!Item->FVisible) continue;
    if (Item->FShortCut == Value && !Item->IsLine()) return Item.get();
    if (Item->FEnabled)
      if (TMenuItem* Found = Item->FindShortCut(Value)) return Found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  const bool WasLine = IsLine();
  FCaption = Value;
  Changed(WasLine != IsLine());
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  Changed(false);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (Value && FRadioItem && FParentItem) {
    for (const auto& Sibling : FParentItem->FItems)
      if (Sibling.get() != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex && Sibling->FChecked) {
        Sibling->FChecked = false;
        Sibling->Changed(false);
      }
  }
  Changed(false);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) return;
  FRadioItem = Value;
  if (Value && FChecked && FParentItem) {
    for (const auto& Sibling : FParentItem->FItems)
      if (Sibling.get() != this && Sibling->FRadioItem && Sibling->FGroupIndex == FGroupIndex && Sibling->FChecked) {
        Sibling->FChecked = false;
        Sibling->Changed(false);
      }
  }
  Changed(false);
}

void TMenuItem::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed(false);
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  Changed(false);
}

void TMenuItem::SetBreak(bool Value) {
  if (Value == FBreak) return;
  FBreak = Value;
  Changed(false);
}

MENUITEMINFOA TMenuItem::ItemInfo(std::string& Text) {
  MENUITEMINFOA Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  Info.wID = FCommand;
  if (IsLine()) {
    Info.fType = MFT_SEPARATOR;
    Info.fMask &= ~static_cast<UINT>(MIIM_STRING);
  } else {
    Info.fType = MFT_STRING;
    if (FRadioItem) Info.fType |= MFT_RADIOCHECK;
    Text = FCaption;
    const std::string Keys = ShortCutToText(FShortCut);
    if (!Keys.empty()) {
      Text += '\t';
      Text += Keys;
    }
    Info.dwTypeData = Text.data();
    Info.cch = static_cast<UINT>(Text.size());
  }
  if (FBreak) Info.fType |= MFT_MENUBARBREAK;
  Info.fState =
      (FChecked ? MFS_CHECKED : MFS_UNCHECKED) | (FEnabled ? MFS_ENABLED : MFS_GRAYED) | (FDefault ? MFS_DEFAULT : 0u);
  return Info;
}

void TMenuItem::FillMenu(HMENU Menu) {
  UINT Pos = 0;
  for (const auto& Item : FItems) {
    if (!Item->FVisible) continue;
    std::string Text;
    MENUITEMINFOA Info = Item->ItemInfo(Text);
    if (!Item->FItems.empty()) {
      Item->FHandle = ::CreatePopupMenu();
      Item->FOwnsHandle = false;
      Item->FillMenu(Item->FHandle);
      Info.hSubMenu = Item->FHandle;
    }
    ::InsertMenuItemA(Menu, Pos++, TRUE, &Info);
    Item->FContainer = Menu;
  }
}

void TMenuItem::ForgetHandles() {
  if (FOwnsHandle && FHandle) ::DestroyMenu(FHandle);
  FHandle = nullptr;
  FOwnsHandle = false;
  FContainer = nullptr;
  for (const auto& Item : FItems) Item->ForgetHandles();
}

HMENU TMenuItem::GetHandle() {
  if (!FHandle) {
    TMenu* Menu = FParentItem ? nullptr : FMenu;
    FHandle = (Menu && Menu->IsBar()) ? ::CreateMenu() : ::CreatePopupMenu();
    if (!FHandle) throw EOutOfResources("Cannot create a menu");
    FOwnsHandle = true;
    FillMenu(FHandle);
  }
  return FHandle;
}

void TMenuItem::RebuildHandle() {
  TMenuItem* Root = this;
  while (Root->FParentItem) Root = Root->FParentItem;
  Root->ForgetHandles();
}

void TMenuItem::UpdateNative() {
  if (!FContainer || !::IsMenu(FContainer)) return;
  std::string Text;
  MENUITEMINFOA Info = ItemInfo(Text);
  Info.fMask &= ~static_cast<UINT>(MIIM_SUBMENU | MIIM_ID);
  ::SetMenuItemInfoA(FContainer, FCommand, FALSE, &Info);
}

void TMenuItem::Changed(bool Structure) {
  if (IsDestroying()) return;
  TMenu* Menu = GetMenu();
  if (Structure) {
    if (Menu) {
      Menu->MenuChanged(true);
    } else {
      RebuildHandle();
    }
  } else {
    UpdateNative();
    if (Menu) Menu->MenuChanged(false);
  }
}

// ---------------------------------------------------------------- TMenu
TMenu::TMenu(TComponent* AOwner) : TCustomMenu(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  FItems->FMenu = nullptr;
  FItems.reset();
}

HMENU TMenu::GetHandle() { return FItems->GetHandle(); }

TMenuItem* TMenu::FindItem(UINT Command) const {
  TMenuItem* Item = TMenuItem::FindCommand(Command);
  return (Item && Item->GetMenu() == this) ? Item : nullptr;
}

bool TMenu::DispatchCommand(UINT Command) {
  TMenuItem* Item = FindItem(Command);
  if (!Item) return false;
  Item->Click();
  return true;
}

bool TMenu::IsShortCut(WORD Key, TShiftState Shift) {
  TMenuItem* Item = FItems->FindShortCut(ShortCut(Key, Shift));
  if (!Item || !Item->GetEnabled()) return false;
  Item->Click();
  return true;
}

void TMenu::MenuChanged(bool Structure) {
  if (Structure) FItems->ForgetHandles();
}

// ---------------------------------------------------------------- TMainMenu
TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TMainMenu::SetWindow(HWND Wnd) { FWindow = Wnd; }

void TMainMenu::MenuChanged(bool Structure) {
  if (!FWindow || !::IsWindow(FWindow)) {
    TMenu::MenuChanged(Structure);
    return;
  }
  if (Structure) {
    // Build the new bar before the old one goes, then swap.
    HMENU Old = FItems->FHandle;
    const bool Owned = FItems->FOwnsHandle;
    FItems->FHandle = nullptr;
    FItems->FOwnsHandle = false;
    for (const auto& Item : FItems->FItems) {
      Item->FContainer = nullptr;
      Item->FHandle = nullptr;
    }
    HMENU New = FItems->GetHandle();
    ::SetMenu(FWindow, New);
    if (Old && Owned) ::DestroyMenu(Old);
  }
  ::DrawMenuBar(FWindow);
}

// ---------------------------------------------------------------- TPopupMenu
TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

bool TPopupMenu::ContextPopup(TControl* Control, POINT Screen) {
  if (FItems->GetCount() == 0) return false;
  SetPopupComponent(Control);
  Popup(Screen.x, Screen.y);
  return true;
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  HMENU Menu = GetHandle();
  HWND Owner = nullptr;
  if (FPopupComponent) {
    TControl* Top = FPopupComponent;
    while (Top->GetParent()) Top = Top->GetParent();
    if (auto* W = dynamic_cast<TWinControl*>(Top); W && W->HandleAllocated()) Owner = W->WindowHandle();
  }
  if (!Owner) Owner = Application->GetHandle();
  const UINT Command = static_cast<UINT>(::TrackPopupMenu(
      Menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, X, Y, 0, Owner, nullptr));
  if (Command) DispatchCommand(Command);
}
