// Messages anyone can post: the layer's own messages carry no pointer it
// trusts, and commands wait while a modal form is up.
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr LPARAM MadeUp = 0x12345678;

void Pump() {
  ::SendMessageA(Application->GetHandle(), WM_NULL, 0, 0);
  Application->ProcessMessages();
}

// A form that says when it goes.
class TCountedForm : public TForm {
public:
  explicit TCountedForm(int& Freed) : TForm(nullptr), FFreed(Freed) {}
  ~TCountedForm() override { ++FFreed; }

private:
  int& FFreed;
};

TEST(ReleasedForms, AreFreedFromTheApplicationsListNotFromAPostedPointer) {
  int Freed = 0;
  auto* A = new TCountedForm(Freed);
  auto* B = new TCountedForm(Freed);
  A->OnClose = B->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
  A->Show();
  B->Show();
  A->Close();
  A->Close();  // twice: still freed once
  B->Close();
  EXPECT_EQ(Application->GetReleasedForms().size(), 2u);
  EXPECT_EQ(Freed, 0) << "freed once the loop comes back";
  // What another program posts frees nothing of its choosing.
  ::PostMessageA(Application->GetHandle(), WM_APP + 1, 0, MadeUp);
  Pump();
  EXPECT_EQ(Freed, 2);
  EXPECT_TRUE(Application->GetReleasedForms().empty());
  ::PostMessageA(Application->GetHandle(), WM_APP + 1, 0, MadeUp);
  Pump();
  EXPECT_EQ(Freed, 2);

  // A released form that its owner frees first leaves the list.
  auto* C = new TCountedForm(Freed);
  C->OnClose = A->OnClose;
  C->Show();
  C->Close();
  delete C;
  EXPECT_TRUE(Application->GetReleasedForms().empty());
  Pump();
  EXPECT_EQ(Freed, 3);
}

// Records the reflected notifications it is handed.
class TReflectRecorder : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<UINT> Seen;
  void WndProc(TMessage& M) override {
    if (M.Msg >= CN_BASE && M.Msg < CN_BASE + 0x200) {
      Seen.push_back(M.Msg);
      if (M.Msg == CN_MEASUREITEM) reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam)->itemHeight = 17;
      M.Result = 1;
      return;
    }
    TCustomControl::WndProc(M);
  }
};

TEST(ReflectedNotifications, ArriveOnlyFromTheParentNeverFromAPostOrSend) {
  TForm Form(nullptr);
  auto* Child = new TReflectRecorder(&Form);
  Child->SetParent(&Form);
  Child->SetBounds(0, 0, 50, 20);
  Form.HandleNeeded();
  HWND W = Child->GetHandle();
  const UINT Messages[] = {CN_COMMAND, CN_NOTIFY, CN_CTLCOLOR, CN_DRAWITEM, CN_MEASUREITEM, CN_BASE + WM_DELETEITEM};
  for (UINT Msg : Messages) {
    ::PostMessageA(W, Msg, MadeUp, MadeUp);
    ::PostMessageA(W, Msg, 0, reinterpret_cast<LPARAM>(W));
    ::SendMessageA(W, Msg, MadeUp, MadeUp);
  }
  Pump();
  EXPECT_TRUE(Child->Seen.empty());

  // The parent still reflects what its child's window sends it.
  HWND F = Form.WindowHandle();
  const int Id = ::GetDlgCtrlID(W);
  ::SendMessageA(F, WM_COMMAND, MAKEWPARAM(Id, 1), reinterpret_cast<LPARAM>(W));
  DRAWITEMSTRUCT Draw{};
  Draw.CtlType = ODT_BUTTON;
  Draw.CtlID = static_cast<UINT>(Id);
  Draw.hwndItem = W;
  ::SendMessageA(F, WM_DRAWITEM, static_cast<WPARAM>(Id), reinterpret_cast<LPARAM>(&Draw));
  MEASUREITEMSTRUCT Measure{};
  Measure.CtlType = ODT_LISTBOX;
  Measure.CtlID = static_cast<UINT>(Id);
  ::SendMessageA(F, WM_MEASUREITEM, static_cast<WPARAM>(Id), reinterpret_cast<LPARAM>(&Measure));
  EXPECT_EQ(Child->Seen, (std::vector<UINT>{CN_COMMAND, CN_DRAWITEM, CN_MEASUREITEM}));
  EXPECT_EQ(Measure.itemHeight, 17u);
  // And only then: afterwards the child takes nothing again.
  ::SendMessageA(W, CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Draw));
  EXPECT_EQ(Child->Seen.size(), 3u);
}

// ---------------------------------------------------------------- commands behind a modal form
class TDialog : public TForm {
public:
  TDialog() : TForm(nullptr) {
    SetBorderStyle(bsDialog);
    Ok = new TButton(this);
    Ok->SetParent(this);
    Ok->SetCaption("OK");
    Ok->SetModalResult(mrOk);
  }
  TButton* Ok;
};

TEST(ModalForm, MenuCommandsKeysAndClicksOfOtherWindowsWaitUntilItCloses) {
  TForm Main(nullptr);
  auto* Menu = new TMainMenu(&Main);
  auto File = std::make_unique<TMenuItem>(&Main);
  File->SetCaption("&File");
  TMenuItem* FileItem = Menu->GetItems()->Add(std::move(File));
  auto Open = std::make_unique<TMenuItem>(&Main);
  Open->SetCaption("&Open...");
  Open->SetShortCut(VK_F3);
  TMenuItem* OpenItem = FileItem->Add(std::move(Open));
  Main.SetMenu(Menu);
  auto* Button = new TButton(&Main);
  Button->SetParent(&Main);
  Button->SetBounds(10, 10, 75, 25);
  int Clicks = 0;
  Button->OnClick = [&](TObject*) { ++Clicks; };
  Main.Show();

  int Dialogs = 0;
  TDialog Dialog;
  OpenItem->OnClick = [&](TObject*) {
    ++Dialogs;
    if (Dialogs > 1) return;  // a second dialog would be stacked here
    Dialog.ShowModal();
  };
  const WPARAM Command = MAKEWPARAM(OpenItem->GetCommand(), 0);
  TModalHook Hook([&](TCustomForm& F) {
    ::PostMessageA(Main.WindowHandle(), WM_COMMAND, Command, 0);
    ::PostMessageA(Application->GetHandle(), WM_COMMAND, Command, 0);
    ::PostMessageA(F.WindowHandle(), WM_COMMAND, Command, 0);  // the dialog has no such menu
    ::SendMessageA(Main.WindowHandle(), WM_COMMAND, Command, 0);
    ::SendMessageA(Dialog.Ok->WindowHandle(), WM_COMMAND, Command, 0);
    ::PostMessageA(Main.WindowHandle(), WM_KEYDOWN, VK_F3, 0);
    ::PostMessageA(Button->WindowHandle(), WM_KEYDOWN, VK_F3, 0);
    ::PostMessageA(Button->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(Button->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::PostMessageA(Dialog.Ok->WindowHandle(), BM_CLICK, 0, 0);  // after all of the above
  });
  ::SendMessageA(Main.WindowHandle(), WM_COMMAND, Command, 0);
  EXPECT_EQ(Dialogs, 1) << "no second dialog while the first is up";
  EXPECT_EQ(Clicks, 0);
  EXPECT_TRUE(Application->GetModalForms().empty());

  // With the dialog gone the same input works again.
  Application->OnModalBegin = [](TCustomForm& F) { F.SetModalResult(mrOk); };
  ::PostMessageA(Main.WindowHandle(), WM_KEYDOWN, VK_F3, 0);
  Pump();
  EXPECT_EQ(Dialogs, 2);
  ::PostMessageA(Main.WindowHandle(), WM_COMMAND, Command, 0);
  Pump();
  EXPECT_EQ(Dialogs, 3);
  ::PostMessageA(Button->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::PostMessageA(Button->WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(Clicks, 1);
}

}  // namespace
