// Controls made by another copy of the platform layer (here: LxCmps30.dll)
// inside windows of this program's copy: the reflected messages reach them,
// and the children's ids stay apart.
#include <gtest/gtest.h>
#include <windows.h>

#include "components/LxCmboBx.h"
#include "components/LxPanel.h"
#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

TEST(CrossModule, ADllsControlGetsItsReflectedMessages) {
  TForm Form(nullptr);
  Form.SetBounds(10, 10, 300, 200);
  auto* Button = new TButton(&Form);
  Button->SetParent(&Form);
  auto* Combo = new TLxComboBox(&Form);
  int Measured = 0, Drawn = 0, Changed = 0;
  Combo->SetOwnerDraw(true);
  Combo->OnMeasureItem = [&](TObject*, int, int& Height) {
    ++Measured;
    Height = 18;
  };
  Combo->OnDrawItem = [&](TObject*, int, const RECT&, UINT, HDC) { ++Drawn; };
  Combo->OnChange = [&](TObject*) { ++Changed; };
  Combo->SetParent(&Form);
  Combo->AddItem("one");
  Combo->AddItem("two");
  Form.Show();
  HWND ComboWnd = Combo->GetHandle();

  EXPECT_EQ(TWinControl::FindControl(ComboWnd), static_cast<TWinControl*>(Combo));
  EXPECT_NE(GetDlgCtrlID(ComboWnd), GetDlgCtrlID(Button->GetHandle())) << "ids apart across the two copies";
  EXPECT_GT(Measured, 0) << "WM_MEASUREITEM reached the control";
  EXPECT_EQ(SendMessageA(ComboWnd, CB_GETITEMHEIGHT, 0, 0), 18);

  DRAWITEMSTRUCT DI{};
  DI.CtlType = ODT_COMBOBOX;
  DI.CtlID = static_cast<UINT>(GetDlgCtrlID(ComboWnd));
  DI.itemID = 0;
  DI.hwndItem = ComboWnd;
  DI.hDC = GetDC(ComboWnd);
  DI.rcItem = RECT{0, 0, 100, 18};
  EXPECT_TRUE(SendMessageA(Form.GetHandle(), WM_DRAWITEM, DI.CtlID, reinterpret_cast<LPARAM>(&DI)));
  ReleaseDC(ComboWnd, DI.hDC);
  EXPECT_EQ(Drawn, 1) << "WM_DRAWITEM reached the control";

  SendMessageA(ComboWnd, CB_SETCURSEL, 1, 0);
  SendMessageA(Form.GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ComboWnd), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(ComboWnd));
  EXPECT_EQ(Changed, 1) << "WM_COMMAND reached the control";
  DestroyWindow(Form.GetHandle());
  EXPECT_EQ(TWinControl::FindControl(ComboWnd), nullptr);
}

TEST(CrossModule, AHintOfADllsControlThatWentIsNotShown) {
  TForm Form(nullptr);
  Form.SetBounds(10, 10, 300, 200);
  auto* Panel = new TLxPanel(&Form);
  Panel->SetParent(&Form);
  Panel->SetBounds(0, 0, 100, 100);
  Panel->SetHint("A panel of the components' DLL");
  Panel->SetShowHint(true);
  Form.Show();
  MSG Move{Panel->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, POINT{20, 20}};
  Application->ProcessMessage(Move);
  ASSERT_EQ(Application->GetHintControl(), static_cast<TControl*>(Panel));
  // The DLL's copy of the layer destroys it and tells only its own application object.
  delete Panel;
  Application->GetHintTimer()->Timer();
  EXPECT_EQ(Application->GetHintControl(), nullptr);
  EXPECT_TRUE(!Application->GetHintWindow() || !IsWindowVisible(Application->GetHintWindow()->WindowHandle()));
  Application->CancelHint();
}
