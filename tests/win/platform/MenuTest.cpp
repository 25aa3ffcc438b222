// Menus: shortcuts, the native menu's state, radio groups, commands and keys.
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/PlatformExcept.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const std::string& Caption, TShortCut Key = scNone) {
  auto Item = std::make_unique<TMenuItem>(Owner);
  Item->SetCaption(Caption);
  Item->SetShortCut(Key);
  return Parent->Add(std::move(Item));
}

std::string ItemText(HMENU Menu, UINT Pos) {
  char Buffer[128] = {};
  ::GetMenuStringA(Menu, Pos, Buffer, sizeof(Buffer), MF_BYPOSITION);
  return Buffer;
}

UINT ItemState(HMENU Menu, UINT Pos) { return ::GetMenuState(Menu, Pos, MF_BYPOSITION); }

// Safety net only: a menu loop that did not see the posted keys ends after 5 s.
VOID CALLBACK EndMenuLoop(HWND, UINT, UINT_PTR Id, DWORD) {
  ::KillTimer(nullptr, Id);
  ::EndMenu();
}

TEST(ShortCuts, TextAndKeysConvertBothWays) {
  struct {
    const char* Text;
    TShortCut Value;
  } Cases[] = {{"Ctrl+O", static_cast<TShortCut>('O' | scCtrl)},
               {"F3", VK_F3},
               {"Alt+F4", static_cast<TShortCut>(VK_F4 | scAlt)},
               {"Shift+Ctrl+Del", static_cast<TShortCut>(VK_DELETE | scShift | scCtrl)},
               {"F12", VK_F12}};
  for (const auto& C : Cases) {
    EXPECT_EQ(TextToShortCut(C.Text), C.Value) << C.Text;
    EXPECT_EQ(ShortCutToText(C.Value), C.Text);
  }
  EXPECT_EQ(TextToShortCut("ctrl+a"), static_cast<TShortCut>('A' | scCtrl));
  EXPECT_EQ(TextToShortCut(""), scNone);
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Hyper+Q"), scNone);
  EXPECT_EQ(ShortCut('N', ssCtrl), static_cast<TShortCut>('N' | scCtrl));
}

TEST(Menu, TheNativeMenuShowsCaptionsShortcutsAndStates) {
  TForm Form(nullptr);
  auto* Menu = new TMainMenu(&Form);
  TMenuItem* File = AddItem(&Form, Menu->GetItems(), "&File");
  AddItem(&Form, File, "&Open...", TextToShortCut("Ctrl+O"));
  AddItem(&Form, File, "-");
  TMenuItem* Print = AddItem(&Form, File, "&Print...");
  Print->SetEnabled(false);
  Form.SetMenu(Menu);
  HWND Wnd = Form.GetHandle();
  HMENU Bar = ::GetMenu(Wnd);
  ASSERT_NE(Bar, nullptr);
  HMENU Drop = ::GetSubMenu(Bar, 0);
  ASSERT_NE(Drop, nullptr);
  EXPECT_EQ(ItemText(Bar, 0), "&File");
  EXPECT_EQ(ItemText(Drop, 0), "&Open...\tCtrl+O");
  EXPECT_TRUE(ItemState(Drop, 1) & MF_SEPARATOR);
  EXPECT_TRUE(ItemState(Drop, 2) & MF_GRAYED);
  // Later changes reach the existing menu.
  Print->SetEnabled(true);
  EXPECT_FALSE(ItemState(Drop, 2) & MF_GRAYED);
  Print->SetChecked(true);
  EXPECT_TRUE(ItemState(Drop, 2) & MF_CHECKED);
  Print->SetCaption("&Print now");
  EXPECT_EQ(ItemText(Drop, 2), "&Print now");
  // Hiding an item rebuilds the menu without it.
  Print->SetVisible(false);
  Drop = ::GetSubMenu(::GetMenu(Wnd), 0);
  EXPECT_EQ(::GetMenuItemCount(Drop), 2);
}

TEST(Menu, RadioItemsOfAGroupExcludeEachOther) {
  TPopupMenu Menu(nullptr);
  TMenuItem* CallStack = AddItem(&Menu, Menu.GetItems(), "&Call Stack");
  TMenuItem* Details = AddItem(&Menu, Menu.GetItems(), "D&etails");
  TMenuItem* Other = AddItem(&Menu, Menu.GetItems(), "Scratc&h Pad");
  for (TMenuItem* I : {CallStack, Details}) {
    I->SetGroupIndex(3);
    I->SetRadioItem(true);
  }
  Other->SetGroupIndex(4);
  Other->SetChecked(true);
  Details->SetChecked(true);
  CallStack->SetChecked(true);
  EXPECT_FALSE(Details->GetChecked());
  EXPECT_TRUE(Other->GetChecked());  // another group
  HMENU H = Menu.GetHandle();
  MENUITEMINFOA Info{};
  Info.cbSize = sizeof(Info);
  Info.fMask = MIIM_FTYPE | MIIM_STATE;
  ::GetMenuItemInfoA(H, 0, TRUE, &Info);
  EXPECT_TRUE(Info.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(Info.fState & MFS_CHECKED);
  Details->SetChecked(true);
  EXPECT_FALSE(CallStack->GetChecked());
  EXPECT_FALSE(::GetMenuState(H, 0, MF_BYPOSITION) & MF_CHECKED);
}

TEST(Menu, MenuCommandsRunTheItemsTaggedHandler) {
  TForm Form(nullptr);
  auto* Menu = new TMainMenu(&Form);
  TMenuItem* Dock = AddItem(&Form, Menu->GetItems(), "&Dock");
  std::intptr_t Seen = -1;
  for (int Tag = 1; Tag <= 3; ++Tag) {
    TMenuItem* I = AddItem(&Form, Dock, "Pos " + std::to_string(Tag));
    I->SetTag(Tag);
    I->OnClick = [&](TObject* Sender) { Seen = static_cast<TComponent*>(Sender)->GetTag(); };
  }
  Form.SetMenu(Menu);
  ::SendMessageA(Form.GetHandle(), WM_COMMAND, MAKEWPARAM(Dock->GetItem(1)->GetCommand(), 0), 0);
  EXPECT_EQ(Seen, 2);
  Dock->GetItem(2)->SetEnabled(false);
  ::SendMessageA(Form.GetHandle(), WM_COMMAND, MAKEWPARAM(Dock->GetItem(2)->GetCommand(), 0), 0);
  EXPECT_EQ(Seen, 2);  // a disabled item does nothing
}

class TKeyState {
public:
  explicit TKeyState(std::initializer_list<int> Down) {
    ::GetKeyboardState(FSaved);
    BYTE State[256];
    ::GetKeyboardState(State);
    for (int K : Down) State[K] = 0x80;
    ::SetKeyboardState(State);
  }
  ~TKeyState() { ::SetKeyboardState(FSaved); }

private:
  BYTE FSaved[256];
};

TEST(Menu, ShortcutKeysReachTheFormsMenuAndTheFocusedControlsPopupMenu) {
  TForm Form(nullptr);
  auto* Menu = new TMainMenu(&Form);
  TMenuItem* Edit = AddItem(&Form, Menu->GetItems(), "&Edit");
  TMenuItem* SelectAll = AddItem(&Form, Edit, "Select &All", TextToShortCut("Ctrl+A"));
  int MainClicks = 0, PopupClicks = 0;
  SelectAll->OnClick = [&](TObject*) { ++MainClicks; };
  Form.SetMenu(Menu);
  auto* Child = new TCustomControl(&Form);
  Child->SetParent(&Form);
  auto* Popup = new TPopupMenu(&Form);
  TMenuItem* Find = AddItem(&Form, Popup->GetItems(), "&Find...", TextToShortCut("Ctrl+F"));
  Find->OnClick = [&](TObject*) { ++PopupClicks; };
  Child->SetPopupMenu(Popup);
  Form.Show();

  TKeyState Ctrl({VK_CONTROL});
  MSG Msg{Child->GetHandle(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  Application->ProcessMessage(Msg);
  Msg.wParam = 'F';
  Application->ProcessMessage(Msg);
  EXPECT_EQ(MainClicks, 1);
  EXPECT_EQ(PopupClicks, 1);
  // The same key on the form itself does not reach the child's popup menu.
  Msg.hwnd = Form.WindowHandle();
  Application->ProcessMessage(Msg);
  EXPECT_EQ(PopupClicks, 1);
}

TEST(Menu, DeletingItemsLeavesTheMenuConsistent) {
  TPopupMenu Menu(nullptr);
  TMenuItem* A = AddItem(nullptr, Menu.GetItems(), "A");
  AddItem(nullptr, Menu.GetItems(), "B");
  HMENU H = Menu.GetHandle();
  EXPECT_EQ(::GetMenuItemCount(H), 2);
  const UINT Command = A->GetCommand();
  delete A;
  EXPECT_EQ(Menu.GetItems()->GetCount(), 1);
  EXPECT_EQ(TMenuItem::FindCommand(Command), nullptr);
  EXPECT_EQ(::GetMenuItemCount(Menu.GetHandle()), 1);
}

// Records which watched components were deleted.
class TDeleteWatcher : public TComponent {
public:
  TDeleteWatcher() : TComponent(nullptr) {}
  void Watch(TComponent* C) { FreeNotification(C); }
  std::vector<TComponent*> Deleted;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove) Deleted.push_back(AComponent);
  }
};

TEST(Menu, ItemsAddedAsUniquePointersBelongToTheMenu) {
  TDeleteWatcher Watcher;
  auto Menu = std::make_unique<TPopupMenu>(nullptr);
  TMenuItem* B = Menu->GetItems()->Add(std::make_unique<TMenuItem>(nullptr));
  TMenuItem* A = Menu->GetItems()->Insert(0, std::make_unique<TMenuItem>(nullptr));
  TMenuItem* Sub = B->Add(std::make_unique<TMenuItem>(nullptr));
  ASSERT_EQ(Menu->GetItems()->GetCount(), 2);
  EXPECT_EQ(Menu->GetItems()->GetItem(0), A);
  EXPECT_EQ(Menu->GetItems()->GetItem(1), B);
  EXPECT_EQ(Sub->GetParentItem(), B);
  for (TComponent* C : {static_cast<TComponent*>(A), static_cast<TComponent*>(B), static_cast<TComponent*>(Sub)})
    Watcher.Watch(C);

  // An item of one menu cannot join another; it stays where it is.
  TPopupMenu Other(nullptr);
  EXPECT_THROW(Other.GetItems()->Add(std::unique_ptr<TMenuItem>(A)), EInvalidOperation);
  EXPECT_EQ(A->GetParentItem(), Menu->GetItems());
  EXPECT_TRUE(Watcher.Deleted.empty());

  // Delete hands an item back without deleting it.
  Menu->GetItems()->Delete(0);
  EXPECT_EQ(A->GetParentItem(), nullptr);
  EXPECT_TRUE(Watcher.Deleted.empty());
  std::unique_ptr<TMenuItem> Back(A);

  // Clear deletes the rest, sub-items too, and the native menu follows.
  EXPECT_EQ(::GetMenuItemCount(Menu->GetHandle()), 1);
  Menu->GetItems()->Clear();
  EXPECT_EQ(Watcher.Deleted.size(), 2u);
  EXPECT_EQ(::GetMenuItemCount(Menu->GetHandle()), 0);
  Menu->GetItems()->Add(std::move(Back));
  Menu.reset();
  EXPECT_EQ(Watcher.Deleted.size(), 3u);
}

TEST(Menu, DeletingTheFormsMenuTakesItOffTheWindow) {
  TForm Form(nullptr);
  auto* Menu = new TMainMenu(&Form);
  AddItem(&Form, Menu->GetItems(), "&File");
  Form.SetMenu(Menu);
  Form.Show();
  EXPECT_NE(::GetMenu(Form.WindowHandle()), nullptr);
  delete Menu;
  EXPECT_EQ(Form.GetMenu(), nullptr);
  EXPECT_EQ(::GetMenu(Form.WindowHandle()), nullptr);
  // The form goes without touching the deleted menu.
}

TEST(Menu, TheMenuBarSurvivesANewWindow) {
  TForm Form(nullptr);
  auto* Menu = new TMainMenu(&Form);
  AddItem(&Form, Menu->GetItems(), "&File");
  AddItem(&Form, Menu->GetItems(), "&Edit");
  Form.SetMenu(Menu);
  Form.Show();
  Form.SetBorderStyle(bsSingle);  // a new window
  HMENU Bar = ::GetMenu(Form.WindowHandle());
  ASSERT_TRUE(::IsMenu(Bar));
  EXPECT_EQ(::GetMenuItemCount(Bar), 2);
  EXPECT_EQ(ItemText(Bar, 1), "&Edit");
}

TEST(Menu, ARightClickShowsTheControlsPopupMenuWhenItHasItems) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 150);
  auto* Child = new TCustomControl(&Form);
  Child->SetParent(&Form);
  Child->SetBounds(10, 10, 50, 50);
  auto* Popup = new TPopupMenu(&Form);
  int Popups = 0;
  Popup->OnPopup = [&](TObject*) { ++Popups; };
  Child->SetPopupMenu(Popup);
  Form.Show();
  auto RightClick = [&] {
    ::SendMessageA(Child->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Child->GetHandle()), -1);
  };
  RightClick();
  EXPECT_EQ(Popups, 0);  // nothing to show
  std::string Chosen;
  AddItem(&Form, Popup->GetItems(), "&Copy")->OnClick = [&](TObject*) { Chosen = "Copy"; };
  const UINT_PTR Guard = ::SetTimer(nullptr, 0, 5000, EndMenuLoop);
  ::PostMessageA(Form.WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageA(Form.WindowHandle(), WM_KEYDOWN, VK_RETURN, 0);
  RightClick();
  ::KillTimer(nullptr, Guard);
  EXPECT_EQ(Popups, 1);
  EXPECT_EQ(Popup->GetPopupComponent(), Child);
  EXPECT_EQ(Chosen, "Copy");
}

}  // namespace

namespace {

TEST(PopupMenu, KeysChooseAnItemAndItsHandlerRuns) {
  TForm Form(nullptr);
  Form.Show();
  auto* Popup = new TPopupMenu(&Form);
  std::string Chosen;
  int Popups = 0;
  Popup->OnPopup = [&](TObject*) { ++Popups; };
  for (const char* Caption : {"&Copy", "Select &All"}) {
    auto* Item = new TMenuItem(&Form);
    Item->SetCaption(Caption);
    Item->OnClick = [&Chosen](TObject* Sender) { Chosen = static_cast<TMenuItem*>(Sender)->GetCaption(); };
    Popup->GetItems()->Add(Item);
  }
  Popup->SetPopupComponent(&Form);
  const UINT_PTR Guard = ::SetTimer(nullptr, 0, 5000, EndMenuLoop);
  ::PostMessageA(Form.WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageA(Form.WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageA(Form.WindowHandle(), WM_KEYDOWN, VK_RETURN, 0);
  Popup->Popup(10, 10);
  ::KillTimer(nullptr, Guard);
  EXPECT_EQ(Popups, 1);
  EXPECT_EQ(Chosen, "Select &All");
}

}  // namespace
