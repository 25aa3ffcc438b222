// LxGallery: every component of the library in its typical states, next to
// native controls, on one window.
//
//   LxGallery.exe [/old] [/drop=color|font|line|mru|combo]
//
// /old shows the old control look; /drop opens one combo box's list shortly
// after start (for screenshots of an open list).
#include "components/LxCmboBx.h"
#include "components/LxCommon.h"
#include "components/LxLabel.h"
#include "components/LxMnuBtn.h"
#include "components/LxMRUCbx.h"
#include "components/LxPanel.h"
#include "components/LxPrgres.h"
#include "components/LxSpdBtn.h"
#include "components/LxSplit.h"
#include "components/LxSpnEdt.h"
#include "components/LxStatus.h"
#include "platform/Platform.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const FrameNames[10] = {"fsNone",       "fsFlat",   "fsGroove",   "fsBump",   "fsLowered",
                                    "fsButtonDown", "fsRaised", "fsButtonUp", "fsStatus", "fsPopup"};

class TGalleryForm : public TForm {
public:
  explicit TGalleryForm(const std::string& Drop) : TForm(nullptr), FDrop(Drop) {
    SetCaption("LxGallery - LxCmps30 components");
    SetBounds(20, 20, 1000, 730);
    GetFont().SetName("Tahoma");
    BuildToolbar();
    BuildStatusBar();
    BuildBody();
  }

  // After the window exists: the font lists are filled, pick what this system has.
  void Opened() {
    HandleNeeded();
    for (TLxFontComboBox* F : {FFont, FSample}) {
      for (const char* Name : {"Tahoma", "Arial", "Courier New"})
        if (F->GetItemIndex() < 0) F->SetFontName(Name);
      if (F->GetItemIndex() < 0 && F->GetItems().Count() > 0) F->SetItemIndex(0);
    }
    if (FDrop.empty()) return;
    FDropTimer = new ::TTimer(this);
    FDropTimer->SetInterval(400);
    FDropTimer->SetOnTimer([this](TObject*) {
      FDropTimer->SetEnabled(false);
      TComboBox* C = FDrop == "color"  ? static_cast<TComboBox*>(FColor)
                     : FDrop == "font" ? static_cast<TComboBox*>(FFont)
                     : FDrop == "line" ? static_cast<TComboBox*>(FLine)
                     : FDrop == "mru"  ? static_cast<TComboBox*>(FMru)
                                       : static_cast<TComboBox*>(FCombo);
      C->SetFocus();
      C->SetDroppedDown(true);
    });
  }

private:
  template <class T>
  T* Add(TWinControl* Parent, int L, int Tp, int W, int H) {
    auto* C = new T(this);
    C->SetParent(Parent);
    C->SetBounds(L, Tp, W, H);
    return C;
  }

  TLxLabel* Title(TWinControl* Parent, int L, int Tp, const std::string& Text, int W = 300) {
    auto* T = Add<TLxLabel>(Parent, L, Tp, W, 16);
    T->SetAutoSize(false);
    T->SetCaption(Text);
    T->SetTextStyle(tsNormal);
    T->SetColor(Parent->GetColor());
    T->GetFont().SetStyle(fsBold);
    return T;
  }

  TLxSpeedButton* Button(TWinControl* Group, const char* Glyph, const std::string& Hint, bool Enabled = true) {
    auto* B = new TLxSpeedButton(this);
    B->SetParent(Group);
    B->SetBounds(0, 0, 25, 25);
    B->SetFlat(true);
    B->LoadGlyph(ModuleInstance(), Glyph);
    B->SetHint(Hint);
    B->SetEnabled(Enabled);
    return B;
  }

  TLxToolbar* Group(TWinControl* Parent, int Width) {
    auto* G = new TLxToolbar(this);
    G->SetParent(Parent);
    G->SetAlign(alNone);
    G->SetMargin(2);
    G->SetShowDivider(false);
    G->SetWidth(Width);
    G->SetRowHeight(29);
    G->SetHeight(29);
    G->SetBorderSides(sdAllSides);
    G->SetBorderOuter(fsPopup);
    return G;
  }

  void BuildToolbar() {
    auto* Bar = new TLxToolbar(this);
    Bar->SetParent(this);
    Bar->SetAlign(alTop);
    Bar->SetRowHeight(29);
    Bar->SetMargin(1);
    Bar->SetBorderSides(sdAllSides);
    Bar->SetBorderInner(fsStatus);
    Bar->SetShowDivider(false);

    TLxToolbar* Msg = Group(Bar, 89);
    Button(Msg, "GALLERY_CLEAR", "Clear");
    auto* S1 = new TLxSpacer(this);
    S1->SetParent(Msg);
    S1->SetGrooved(true);
    Button(Msg, "GALLERY_NOTE", "Add note");
    Button(Msg, "GALLERY_OPTIONS", "Options");

    TLxToolbar* Nav = Group(Bar, 81);
    Button(Nav, "GALLERY_PREV", "Previous", false);
    FNavMenu = new TPopupMenu(this);
    for (const char* Caption :
         {"Navigate Info Messages", "Navigate Warning Messages", "Navigate Error Messages", "-", "Navigate Notes"}) {
      auto Item = std::make_unique<TMenuItem>(nullptr);
      Item->SetCaption(Caption);
      Item->SetRadioItem(std::strcmp(Caption, "-") != 0);
      FNavMenu->GetItems()->Add(std::move(Item));
    }
    FNavMenu->GetItems()->GetItem(2)->SetChecked(true);
    auto* Menu = new TLxMenuSpeedButton(this);
    Menu->SetParent(Nav);
    Menu->SetBounds(0, 0, 25, 25);
    Menu->SetFlat(true);
    Menu->LoadGlyph(ModuleInstance(), "GALLERY_NOTE");
    Menu->SetNumGlyphs(2);
    Menu->SetClickMenu(FNavMenu);
    Button(Nav, "GALLERY_NEXT", "Next");

    TLxToolbar* View = Group(Bar, 81);
    for (int I = 0; I < 3; ++I) {
      TLxSpeedButton* B = Button(View,
                                 I == 0   ? "GALLERY_OPTIONS"
                                 : I == 1 ? "GALLERY_NOTE"
                                          : "GALLERY_CLEAR",
                                 "Toggle");
      B->SetGroupIndex(I + 1);
      B->SetAllowAllUp(true);
      B->SetDown(I != 1);
    }
  }

  void BuildStatusBar() {
    auto* Bar = new TLxStatusBar(this);
    Bar->SetParent(this);
    auto* Glyph = new TLxGlyphStatus(this);
    Glyph->SetParent(Bar);
    Glyph->SetAlign(alLeft);
    Glyph->SetWidth(110);
    Glyph->LoadGlyph(ModuleInstance(), "GALLERY_CLOCK");
    Glyph->SetCaption("+0:00:01.250");
    auto* Count = new TLxStatusPane(this);
    Count->SetParent(Bar);
    Count->SetAlign(alLeft);
    Count->SetCaption("Messages: 1,024");
    auto* Off = new TLxStatusPane(this);
    Off->SetParent(Bar);
    Off->SetAlign(alLeft);
    Off->SetCaption("Disabled pane");
    Off->SetEnabled(false);
    for (TLxToggleKey K : {tkCapsLock, tkNumLock, tkScrollLock}) {
      auto* Key = new TLxKeyStatus(this);
      Key->SetParent(Bar);
      Key->SetAlign(alLeft);
      Key->SetKey(K);
    }
    auto* Mem = new TLxResourceStatus(this);
    Mem->SetParent(Bar);
    Mem->SetAlign(alLeft);
    Mem->SetResourceType(rtMemory);
    Mem->SetBarStyle(bsLED);
    Mem->SetWidth(90);
    auto* Clock = new TLxClockStatus(this);
    Clock->SetParent(Bar);
    Clock->SetAlign(alClient);
    Clock->SetFormat("dddd, d mmmm yyyy  hh:nn:ss");
  }

  void BuildFrames(TWinControl* Pane) {
    Title(Pane, 8, 6, "Frame styles (outer border, all sides)");
    for (int I = 0; I < 10; ++I) {
      auto* P = Add<TLxPanel>(Pane, 8 + (I % 5) * 108, 26 + (I / 5) * 54, 100, 46);
      P->SetBorderOuter(static_cast<TFrameStyle>(I));
      P->SetCaption(FrameNames[I]);
    }
    Title(Pane, 8, 140, "Sides, inner borders, bevels and frame lines");
    auto* A = Add<TLxPanel>(Pane, 8, 160, 100, 46);
    A->SetBorderOuter(fsGroove);
    A->SetBorderSides(sdTopSide | sdBottomSide);
    A->SetCaption("groove, top+bottom");
    auto* B = Add<TLxPanel>(Pane, 116, 160, 100, 46);
    B->SetBorderOuter(fsRaised);
    B->SetBorderInner(fsLowered);
    B->SetBorderWidth(3);
    B->SetCaption("inner lowered");
    B->SetAlignmentVertical(avTop);
    auto* C = Add<TLxPanel>(Pane, 224, 160, 100, 46);
    C->SetBorderOuter(fsPopup);
    C->SetBevelWidth(3);
    C->SetCaption("popup, bevel 3");
    C->SetAlignment(taLeftJustify);
    auto* D = Add<TLxPanel>(Pane, 332, 160, 100, 46);
    D->SetBorderOuter(fsStatus);
    D->SetFrameSides(sdAllSides);
    D->SetCaption("status, framed");
    D->SetAlignmentVertical(avBottom);
    auto* E = Add<TLxPanel>(Pane, 440, 160, 100, 46);
    E->SetBorderOuter(fsButtonUp);
    E->SetColor(clWindow);
    E->SetCaption("button up, window");

    Title(Pane, 8, 216, "Native controls for comparison");
    auto* Btn = Add<TButton>(Pane, 8, 236, 90, 25);
    Btn->SetCaption("Native button");
    auto* Edit = Add<TEdit>(Pane, 106, 238, 110, 21);
    Edit->SetText("Native edit");
    auto* Cbx = Add<TComboBox>(Pane, 224, 238, 120, 21);
    Cbx->SetStyle(csDropDownList);
    Cbx->SetItems({"Native combo", "Second"});
    Cbx->SetItemIndex(0);
    auto* Chk = Add<TCheckBox>(Pane, 352, 240, 110, 17);
    Chk->SetCaption("Native check");
    Chk->SetChecked(true);

    Title(Pane, 8, 270, "A toolbar that wraps (150 pixels wide)");
    auto* Holder = Add<TLxPanel>(Pane, 8, 290, 150, 80);
    Holder->SetBorderOuter(fsLowered);
    auto* Wrap = new TLxToolbar(this);
    Wrap->SetParent(Holder);
    Wrap->SetAlign(alTop);
    const char* Glyphs[] = {"GALLERY_PREV",    "GALLERY_NEXT", "GALLERY_NOTE", "GALLERY_CLEAR",
                            "GALLERY_OPTIONS", "GALLERY_PREV", "GALLERY_NEXT"};
    for (int I = 0; I < 7; ++I) {
      if (I == 3) {
        auto* S = new TLxSpacer(this);
        S->SetParent(Wrap);
        S->SetGrooved(true);
      }
      Button(Wrap, Glyphs[I], "Wrapped");
    }
  }

  void BuildInputs(TWinControl* Pane) {
    Title(Pane, 8, 6, "Spin edits");
    auto* S1 = Add<TLxSpinEdit>(Pane, 8, 26, 70, 21);
    S1->SetValue(42);
    auto* S2 = Add<TLxSpinEdit>(Pane, 86, 26, 80, 21);
    S2->SetIntegersOnly(false);
    S2->SetDecimals(2);
    S2->SetMax(10);
    S2->SetIncrement(0.25L);
    S2->SetValue(2.75L);
    auto* S3 = Add<TLxSpinEdit>(Pane, 174, 26, 70, 21);
    S3->SetValue(7);
    S3->SetEnabled(false);

    Title(Pane, 8, 58, "Colour, font, line and history combo boxes");
    FColor = Add<TLxColorComboBox>(Pane, 8, 78, 170, 21);
    FColor->SetSelectedColor(clNavy);
    auto* NoNames = Add<TLxColorComboBox>(Pane, 186, 78, 80, 21);
    NoNames->SetShowColorNames(false);
    NoNames->SetShowSysColors(false);
    NoNames->SetSelectedColor(0x0080FF);
    FFont = Add<TLxFontComboBox>(Pane, 8, 106, 170, 21);
    FFont->SetFontName("Arial");
    FSample = Add<TLxFontComboBox>(Pane, 186, 106, 190, 21);
    FSample->SetShowStyle(ssFontNameAndSample);
    FSample->SetFontSize(9);
    FSample->SetFontName("Courier New");
    FLine = Add<TLxLineComboBox>(Pane, 8, 134, 170, 21);
    FLine->SetLineColor(clMaroon);
    FLine->SetLineStyle(lsGroove);
    FMru = Add<TLxMRUComboBox>(Pane, 186, 134, 190, 21);
    FMru->SetName("CbxGalleryHistory");
    for (const char* S : {"TBkOrlimoComposite", "AddMessage", "LoadMessages"}) FMru->AddItem(S);
    FMru->SetItemIndex(0);
    FCombo = Add<TLxComboBox>(Pane, 8, 162, 170, 21);
    FCombo->SetStyle(csDropDownList);
    FCombo->SetItems({"Type-ahead: Alpha", "Type-ahead: Beta", "Type-ahead: Gamma"});
    FCombo->SetItemIndex(1);

    Title(Pane, 8, 196, "Menu button (drops its menu below)");
    auto* Menu = Add<TLxMenuSpeedButton>(Pane, 8, 216, 110, 25);
    Menu->SetCaption("Navigate");
    Menu->LoadGlyph(ModuleInstance(), "GALLERY_NEXT");
    Menu->SetClickMenu(FNavMenu);
  }

  void BuildBars(TWinControl* Pane) {
    Title(Pane, 8, 6, "Progress bars and LED bars");
    const int Percents[] = {0, 45, 100};
    for (int I = 0; I < 3; ++I) {
      auto* P = Add<TLxProgressBar>(Pane, 8, 26 + I * 30, 200, 24);
      P->SetPercent(static_cast<std::uint16_t>(Percents[I]));
    }
    auto* Led = Add<TLxProgressBar>(Pane, 220, 26, 200, 24);
    Led->SetBarStyle(bsLED);
    Led->SetPercent(65);
    Led->SetBarColor(clGreen);
    auto* Led2 = Add<TLxProgressBar>(Pane, 220, 56, 200, 24);
    Led2->SetBarStyle(bsLED);
    Led2->SetNumSegments(10);
    Led2->SetPercent(30);
    Led2->SetBorderOuter(fsStatus);
    Led2->SetInteriorOffset(2);
    auto* Parts = Add<TLxProgressBar>(Pane, 220, 86, 200, 24);
    Parts->SetTotalParts(8);
    Parts->SetPartsComplete(5);
    Parts->SetBarColor(clMaroon);
    Parts->SetBorderOuter(fsRaised);
    auto* Vert = Add<TLxProgressBar>(Pane, 430, 26, 24, 84);
    Vert->SetPercent(70);
    Vert->SetShowPercent(false);
    auto* VLed = Add<TLxProgressBar>(Pane, 460, 26, 24, 84);
    VLed->SetBarStyle(bsLED);
    VLed->SetPercent(40);

    Title(Pane, 500, 6, "Labels: text styles, rotation, curve");
    const TTextStyle Styles[] = {tsNormal, tsRaised, tsRecessed, tsShadow};
    const char* StyleNames[] = {"Normal", "Raised", "Recessed", "Shadow"};
    for (int I = 0; I < 4; ++I) {
      auto* L = Add<TLxLabel>(Pane, 500 + I * 110, 26, 104, 26);
      L->SetAutoSize(false);
      L->SetTextStyle(Styles[I]);
      L->SetColor(clBtnFace);
      L->GetFont().SetName("Arial");
      L->GetFont().SetHeight(-18);
      L->GetFont().SetStyle(fsBold);
      L->GetFont().SetColor(I == 0 ? clNavy : clBtnFace);
      if (I == 3) L->GetFont().SetColor(clNavy);
      L->SetCaption(StyleNames[I]);
    }
    const int Angles[] = {0, 30, 90, 270};
    for (int I = 0; I < 4; ++I) {
      auto* L = Add<TLxLabel>(Pane, 500 + I * 85, 58, 80, 80);
      L->SetAutoSize(false);
      L->SetRotation(roFlat);
      L->SetAngle(Angles[I]);
      L->SetAlignment(taCenter);
      L->SetTextStyle(tsNormal);
      L->SetColor(clWindow);
      L->SetCaption(std::to_string(Angles[I]) + " degrees");
    }
    auto* Curve = Add<TLxLabel>(Pane, 840, 58, 130, 80);
    Curve->SetAutoSize(false);
    Curve->SetRotation(roCurve);
    Curve->SetTextStyle(tsNormal);
    Curve->SetColor(clWindow);
    Curve->GetFont().SetHeight(-14);
    Curve->SetCaption("Curved caption");
  }

  void BuildBody() {
    auto* Outer = new TLxSplitter(this);
    Outer->SetParent(this);
    Outer->SetAlign(alClient);
    Outer->SetOrientation(orVertical);
    Outer->SetSplitterStyle(ssBump);
    Outer->SetSplitterWidth(6);
    Outer->SetFixedPane(fpLowerRight);
    Outer->SetPosition(420);
    auto* Inner = new TLxSplitter(this);
    Inner->SetParent(Outer->GetUpperLeft()->GetPane());
    Inner->SetAlign(alClient);
    Inner->SetSplitterStyle(ssGroove);
    Inner->SetSplitterWidth(6);
    Inner->SetPosition(560);
    Inner->GetLowerRight()->SetBorderOuter(fsLowered);
    Inner->GetUpperLeft()->SetBorderOuter(fsLowered);
    Outer->GetLowerRight()->SetBorderOuter(fsLowered);
    BuildFrames(Inner->GetUpperLeft()->GetPane());
    BuildInputs(Inner->GetLowerRight()->GetPane());
    BuildBars(Outer->GetLowerRight()->GetPane());
    FOuter = Outer;
  }

  std::string FDrop;
  ::TTimer* FDropTimer = nullptr;
  TPopupMenu* FNavMenu = nullptr;
  TLxColorComboBox* FColor = nullptr;
  TLxFontComboBox* FFont = nullptr;
  TLxFontComboBox* FSample = nullptr;
  TLxLineComboBox* FLine = nullptr;
  TLxMRUComboBox* FMru = nullptr;
  TLxComboBox* FCombo = nullptr;
  TLxSplitter* FOuter = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR CmdLine, int) {
  std::string Drop;
  for (std::string Arg : std::vector<std::string>{CmdLine ? CmdLine : ""}) {
    size_t Pos = 0;
    while (Pos < Arg.size()) {
      const size_t End = Arg.find(' ', Pos);
      const std::string Word = Arg.substr(Pos, End == std::string::npos ? std::string::npos : End - Pos);
      if (Word == "/old") SetNewStyleControls(false);
      if (Word.rfind("/drop=", 0) == 0) Drop = Word.substr(6);
      if (End == std::string::npos) break;
      Pos = End + 1;
    }
  }
  Application->Initialize();
  Application->SetTitle("LxGallery");
  TGalleryForm Form(Drop);
  Application->SetMainForm(&Form);
  Form.Opened();
  Application->Run();
  return 0;
}
