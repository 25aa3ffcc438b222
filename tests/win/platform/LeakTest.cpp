// Leaks: a form's whole life (controls, menus, fonts, painting, hints, a new
// window, a modal dialog) leaves as many GDI and USER objects as it found.
#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/Menus.h"
#include "platform/Pages.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TGuiObjects {
  long Gdi = 0;
  long User = 0;
};

BOOL CALLBACK CountWindow(HWND, LPARAM Count) {
  ++*reinterpret_cast<long*>(Count);
  return TRUE;
}

BOOL CALLBACK CountTopWindow(HWND Wnd, LPARAM Count) {
  ++*reinterpret_cast<long*>(Count);
  ::EnumChildWindows(Wnd, CountWindow, Count);
  return TRUE;
}

// The GDI and USER objects of this process. Where the system counts them
// (GetGuiResources) that count is taken. Wine answers 0 there, so the objects
// are found instead: GDI objects by asking GetObjectType of every slot of the
// handle table (Wine takes a handle's low word as its slot), USER objects as
// the windows of this thread plus the menus IsMenu finds among the USER
// handle slots (0x20, 0x22, ... 0xFFFE). Cursors and icons are not counted
// that way; the layer only loads shared ones.
TGuiObjects CountGuiObjects() {
  HANDLE Process = ::GetCurrentProcess();
  TGuiObjects Count{static_cast<long>(::GetGuiResources(Process, GR_GDIOBJECTS)),
                    static_cast<long>(::GetGuiResources(Process, GR_USEROBJECTS))};
  if (Count.Gdi > 0) return Count;
  for (UINT_PTR Slot = 1; Slot <= 0xFFFF; ++Slot)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(Slot))) ++Count.Gdi;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountTopWindow, reinterpret_cast<LPARAM>(&Count.User));
  for (UINT_PTR Slot = 0x20; Slot <= 0xFFFE; Slot += 2)
    if (::IsMenu(reinterpret_cast<HMENU>(Slot))) ++Count.User;
  return Count;
}

// What windows keep until the application is idle (control canvas DCs) and
// what is posted (a form freed by caFree) goes before counting.
void Settle() {
  Application->ProcessMessages();
  TControlCanvas::FreeDeviceContexts();
}

std::unique_ptr<TMenuItem> Item(const std::string& Caption, const std::string& Keys = "") {
  auto I = std::make_unique<TMenuItem>(nullptr);
  I->SetCaption(Caption);
  I->SetShortCut(TextToShortCut(Keys));
  return I;
}

// A self-painted control that uses fonts, pens, brushes and a bitmap.
class TPicture : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

protected:
  void Paint(TCanvas& Canvas) override {
    Canvas.FillRect(GetClientRect());
    Canvas.GetPen().SetStyle(psDash);
    Canvas.GetPen().SetColor(clRed);
    Canvas.MoveTo(0, 0);
    Canvas.LineTo(40, 30);
    Canvas.GetBrush().SetStyle(bsFDiagonal);
    Canvas.Rectangle(5, 5, 60, 40);
    Canvas.GetFont().SetStyle(fsBold | fsItalic);
    Canvas.GetFont().SetOrientation(900);
    Canvas.TextOut(10, 50, "Leak");
    TBitmap Glyph;
    Glyph.LoadFromResourceName(nullptr, "TESTGLYPH");
    Glyph.SetTransparent(true);
    Glyph.SetTransparentColor(clPurple);
    Canvas.Draw(70, 10, Glyph);
    TBitmap Off(20, 20);
    Off.GetCanvas().FillRect(RECT{0, 0, 20, 20});
    Canvas.CopyRect(RECT{90, 10, 110, 30}, Off.GetCanvas(), RECT{0, 0, 20, 20});
  }
};

class TLeakForm : public TForm {
public:
  TLeakForm() : TForm(nullptr) {
    SetBounds(20, 20, 480, 360);
    SetCaption("Leaks");
    GetFont().SetName("Arial");
    auto* Bar = new TMainMenu(this);
    TMenuItem* File = Bar->GetItems()->Add(Item("&File"));
    File->Add(Item("&Open...", "Ctrl+O"));
    File->Add(Item("-"));
    TMenuItem* Recent = File->Add(Item("&Recent"));
    Recent->Add(Item("one.log"));
    Recent->Add(Item("two.log"));
    TMenuItem* Dock = Bar->GetItems()->Add(Item("&Dock"));
    for (const char* C : {"&Left", "&Right"}) Dock->Add(Item(C))->SetRadioItem(true);
    SetMenu(Bar);

    Popup = new TPopupMenu(this);
    Popup->GetItems()->Add(Item("&Copy", "Ctrl+C"));
    Popup->GetItems()->Add(Item("Select &All"))->Add(Item("Sub"));

    Picture = new TPicture(this);
    Picture->SetParent(this);
    Picture->SetBounds(0, 0, 200, 100);
    Picture->SetDoubleBuffered(true);
    Picture->SetPopupMenu(Popup);
    Picture->SetHint("A picture|with a long hint");
    Picture->SetShowHint(true);
    Picture->GetFont().SetSize(14);

    auto* Ok = new TButton(this);
    Ok->SetParent(this);
    Ok->SetBounds(210, 0, 75, 25);
    Ok->SetCaption("OK");
    Ok->SetDefault(true);
    auto* Check = new TCheckBox(this);
    Check->SetParent(this);
    Check->SetBounds(210, 30, 100, 20);
    // Wine's check boxes and radio buttons without a caption lose a region
    // each time they print into a clipped DC (PaintTo): they all have one.
    Check->SetCaption("&Check");
    auto* Group = new TGroupBox(this);
    Group->SetParent(this);
    Group->SetBounds(210, 55, 150, 60);
    for (int I = 0; I < 2; ++I) {
      auto* Radio = new TRadioButton(this);
      Radio->SetParent(Group);
      Radio->SetBounds(8, 16 + I * 20, 100, 18);
      Radio->SetCaption(I ? "&Two" : "&One");
    }
    auto* Edit = new TEdit(this);
    Edit->SetParent(this);
    Edit->SetBounds(0, 110, 120, 21);
    Edit->SetText("edit");
    auto* Memo = new TMemo(this);
    Memo->SetParent(this);
    Memo->SetBounds(0, 135, 120, 60);
    auto* Combo = new TComboBox(this);
    Combo->SetParent(this);
    Combo->SetBounds(130, 110, 120, 21);
    Combo->SetItems({"one", "two", "three"});
    auto* List = new TListBox(this);
    List->SetParent(this);
    List->SetBounds(130, 135, 120, 60);
    List->AddItem("first");
    List->AddItem("second");
    auto* Label = new TLabel(this);
    Label->SetParent(this);
    Label->SetBounds(260, 120, 100, 16);
    Label->SetCaption("A label");
    auto* Grid = new TStringGrid(this);
    Grid->SetParent(this);
    Grid->SetBounds(0, 200, 250, 100);
    Grid->SetColCount(3);
    Grid->SetRowCount(4);
    Book = new TNotebook(this);
    Book->SetParent(this);
    Book->SetBounds(260, 200, 150, 100);
    Book->SetPages({"One", "Two"});
    auto* OnPage = new TEdit(this);
    OnPage->SetParent(Book->GetPage(1));
    auto* Tick = new TTimer(this);
    Tick->SetInterval(60000);
  }
  TPopupMenu* Popup;
  TPicture* Picture;
  TNotebook* Book;
};

// Safety net only: a menu loop that did not see the posted key ends after 5 s.
VOID CALLBACK EndMenuLoop(HWND, UINT, UINT_PTR Id, DWORD) {
  ::KillTimer(nullptr, Id);
  ::EndMenu();
}

void ShowHint(TWinControl* Control) {
  MSG Move{Control->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {0, 0}};
  Move.pt = Control->ClientToScreen(POINT{5, 5});
  Application->ProcessMessage(Move);
  Application->GetHintTimer()->Timer();  // the pause is over: shown
  Application->GetHintTimer()->Timer();  // shown long enough: hidden
  Application->CancelHint();
}

void ModalDialog() {
  TForm Dialog(nullptr);
  Dialog.SetBorderStyle(bsDialog);
  auto* Ok = new TButton(&Dialog);
  Ok->SetParent(&Dialog);
  Ok->SetModalResult(mrOk);
  Application->OnModalBegin = [](TCustomForm& Form) { Form.SetModalResult(mrOk); };
  Dialog.ShowModal();
  Application->OnModalBegin = nullptr;
}

void FormLife() {
  auto Form = std::make_unique<TLeakForm>();
  Form->Show();
  Form->Picture->Repaint();
  Form->Update();
  // Painting into a bitmap, and measuring with a canvas outside painting.
  TBitmap Shot(Form->GetClientWidth(), Form->GetClientHeight());
  Form->PaintTo(Shot.GetCanvas().GetHandle(), 0, 0);
  (void)Form->Picture->GetCanvas().TextWidth("measure");
  ShowHint(Form->Picture);

  // The menu bar rebuilt, changed in place, and carried to a new window.
  TMenuItem* File = Form->GetMenu()->GetItems()->GetItem(0);
  File->Add(Item("&Close", "Alt+F4"));
  File->GetItem(0)->SetEnabled(false);
  File->GetItem(0)->SetCaption("&Open a file...");
  File->GetItem(2)->Clear();
  Form->GetMenu()->GetItems()->GetItem(1)->GetItem(1)->SetChecked(true);
  Form->SetBorderStyle(bsSingle);

  // The popup menu by a right click, closed by Escape.
  const UINT_PTR Guard = ::SetTimer(nullptr, 0, 5000, EndMenuLoop);
  ::PostMessageA(Form->WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageA(Form->Picture->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Form->Picture->GetHandle()), -1);
  ::KillTimer(nullptr, Guard);
  Form->Popup->GetItems()->Add(Item("&Paste"));  // the next popup builds a new menu
  (void)Form->Popup->GetHandle();

  // Fonts and colours that reach every child, new pages, a modal dialog.
  Form->GetFont().SetSize(11);
  Form->GetFont().SetStyle(fsBold);
  Form->SetColor(clWindow);
  Form->Book->SetPages({"Three", "Four", "Five"});
  Form->Book->SetPageIndex(2);
  ModalDialog();
  Form->Repaint();
  Settle();
  Form.reset();
  Settle();
}

TEST(Leaks, TheObjectCountSeesObjectsComeAndGo) {
  // Made once, so what the system caches on first use is already there.
  HWND Warm = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ::DestroyWindow(Warm);
  const TGuiObjects Before = CountGuiObjects();
  HBRUSH Brush = ::CreateSolidBrush(RGB(1, 2, 3));
  HDC DC = ::CreateCompatibleDC(nullptr);
  HMENU Menu = ::CreatePopupMenu();
  HWND Wnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  const TGuiObjects During = CountGuiObjects();
  EXPECT_GE(During.Gdi, Before.Gdi + 2);
  EXPECT_GE(During.User, Before.User + 2);
  ::DeleteObject(Brush);
  ::DeleteDC(DC);
  ::DestroyMenu(Menu);
  ::DestroyWindow(Wnd);
  const TGuiObjects After = CountGuiObjects();
  EXPECT_EQ(After.Gdi, Before.Gdi);
  EXPECT_EQ(After.User, Before.User);
}

TEST(Leaks, AFormsLifeLeavesNoGdiOrUserObjects) {
  // The first life makes what lives on: window classes, the application's
  // window, the hint window and timer, the system's caches.
  FormLife();
  const TGuiObjects Before = CountGuiObjects();
  for (int Life = 0; Life < 3; ++Life) FormLife();
  const TGuiObjects After = CountGuiObjects();
  EXPECT_EQ(After.Gdi, Before.Gdi);
  EXPECT_EQ(After.User, Before.User);
  EXPECT_GT(Before.Gdi, 0);
}

}  // namespace
