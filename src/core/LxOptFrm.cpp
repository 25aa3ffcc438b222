#include "core/LxOptFrm.h"

#include "core/LxHelp.h"

#include "model/ScopeExit.h"
#include "model/ThemeColors.h"
#include "platform/CommonDialogs.h"
#include "platform/Theme.h"

#include <cmath>

TFrmPreferences* FrmPreferences = nullptr;

namespace {

// Where a control that follows C on its line starts, in design pixels. A
// label sizes itself to its text in its font, made for the screen's DPI; the
// layout here is still at the DPI the dialog was designed for, so the
// label's width is taken from the one to the other.
int RightOf(const TControl* C) {
  const auto* L = dynamic_cast<const TCustomLabel*>(C);
  const int Width = L && L->GetAutoSize() ? ScaleBetweenDpi(C->GetWidth(), TFont::PixelsPerInch(), C->GetCurrentDpi())
                                          : C->GetWidth();
  return C->GetLeft() + Width + 4;
}

}  // namespace

TFrmPreferences::TFrmPreferences() : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetCaption("Orlimo Preferences");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(507);
  SetClientHeight(367);

  // --- "Message Options"
  GrpMessages = AddGroup(8, 4, 234, 194, "Message Options");
  LblInsertAt = AddLabel(GrpMessages, 10, 18, "Insert new messages at");
  CbxInsertAt = new TComboBox(this);
  CbxInsertAt->SetParent(GrpMessages);
  CbxInsertAt->SetStyle(csDropDownList);
  CbxInsertAt->SetBounds(10, 34, 80, 21);
  CbxInsertAt->SetItems({"Beginning", "End"});
  LblOfList = AddLabel(GrpMessages, RightOf(CbxInsertAt), 38, "of list.");
  ChkKeepInView = AddCheck(GrpMessages, 10, 62, 214, "Keep new messages in view");
  ChkConfirmClear = AddCheck(GrpMessages, 10, 82, 214, "Display clear confirmation dialog");
  LblArrives = AddLabel(GrpMessages, 10, 108, "If new message arrives after");
  SpnIdleTime = new TLxSpinEdit(this);
  SpnIdleTime->SetParent(GrpMessages);
  SpnIdleTime->SetBounds(RightOf(LblArrives), 104, 47, 21);
  SpnIdleTime->SetMax(600);
  SpnIdleTime->SetIncrement(1);
  SpnIdleTime->SetPageSize(10);
  LblSeconds = AddLabel(GrpMessages, 10, 128, "seconds");
  LblInactivity = AddLabel(GrpMessages, RightOf(LblSeconds), 128, "of inactivity:");
  ChkInsertSeparator = AddCheck(GrpMessages, 26, 148, 190, "Insert separator");
  ChkBeep = AddCheck(GrpMessages, 26, 168, 190, "Sound a beep ");
  ChkInsertSeparator->OnClick = [this](TObject*) { WakeUpClick(); };
  ChkBeep->OnClick = [this](TObject*) { WakeUpClick(); };

  // --- "Fonts"
  GrpFonts = AddGroup(8, 202, 234, 124, "Fonts");
  LblFontType = AddLabel(GrpFonts, 10, 22, "Font Type");
  CbxFontType = new TComboBox(this);
  CbxFontType->SetParent(GrpFonts);
  CbxFontType->SetStyle(csDropDownList);
  CbxFontType->SetBounds(70, 18, 76, 21);
  CbxFontType->SetItems({"Message", "Object", "Stream"});
  CbxFontType->OnChange = [this](TObject*) { FontTypeChange(); };
  BtnModify = new TButton(this);
  BtnModify->SetParent(GrpFonts);
  BtnModify->SetBounds(150, 16, 75, 25);
  BtnModify->SetCaption("Modify...");
  BtnModify->OnClick = [this](TObject*) { ModifyClick(); };
  NbkSamples = new TNotebook(this);
  NbkSamples->SetParent(GrpFonts);
  NbkSamples->SetBounds(10, 46, 215, 70);
  NbkSamples->SetPages({"Message", "Object", "Stream"});
  for (std::size_t I = 0; I < FSamples.size(); ++I) {
    auto* P = new TLxPanel(this);
    P->SetParent(NbkSamples->GetPage(static_cast<int>(I)));
    P->SetAlign(alClient);
    P->SetBorderOuter(fsLowered);
    P->SetColor(clWindow);
    P->SetCaption("Sample");
    FSamples[I] = P;
  }

  // --- "Form View Options"
  GrpFormView = AddGroup(248, 4, 116, 129, "Form View Options");
  ChkToolbar = AddCheck(GrpFormView, 8, 18, 104, "Toolbar");
  ChkWrapButtons = AddCheck(GrpFormView, 8, 40, 104, "Wrap Buttons");
  ChkStatusBar = AddCheck(GrpFormView, 8, 62, 104, "Status Bar");
  ChkInspectorPane = AddCheck(GrpFormView, 8, 84, 104, "Inspector Pane");
  ChkScratchPad = AddCheck(GrpFormView, 8, 106, 104, "Scratch Pad");

  // --- "Message Details"
  GrpDetails = AddGroup(368, 4, 131, 129, "Message Details");
  ChkIcons = AddCheck(GrpDetails, 8, 18, 119, "Icons");
  ChkTimeStamp = AddCheck(GrpDetails, 8, 40, 119, "Time Stamp");
  ChkAppName = AddCheck(GrpDetails, 8, 62, 119, "Application Name");

  // --- "Special Message Colors and Styles"
  GrpKinds = AddGroup(248, 138, 251, 188, "Special Message Colors and Styles");
  LblMsgType = AddLabel(GrpKinds, 10, 22, "Message Type");
  CbxMsgType = new TComboBox(this);
  CbxMsgType->SetParent(GrpKinds);
  CbxMsgType->SetStyle(csDropDownList);
  CbxMsgType->SetDropDownCount(10);
  CbxMsgType->SetBounds(100, 18, 140, 21);
  CbxMsgType->SetItems(std::vector<std::string>(KindNames.begin(), KindNames.end()));
  CbxMsgType->OnChange = [this](TObject*) { MsgTypeChange(); };
  ChkUseDefault = AddCheck(GrpKinds, 10, 46, 86, "Use Default");
  ChkUseDefault->OnClick = [this](TObject*) { UseDefaultClick(); };
  CbxColor = new TLxColorComboBox(this);
  CbxColor->SetParent(GrpKinds);
  CbxColor->SetBounds(100, 44, 140, 22);
  CbxColor->SetDefaultColor(clWindowText);
  CbxColor->OnChange = [this](TObject*) { ColorChange(); };
  ChkBold = AddCheck(GrpKinds, 10, 74, 100, "Bold");
  ChkItalic = AddCheck(GrpKinds, 10, 96, 100, "Italic");
  ChkUnderline = AddCheck(GrpKinds, 130, 74, 100, "Underline");
  ChkStrikeout = AddCheck(GrpKinds, 130, 96, 100, "Strikeout");
  const std::pair<TCheckBox*, std::uint8_t> Styles[] = {
      {ChkBold, fsBold}, {ChkItalic, fsItalic}, {ChkUnderline, fsUnderline}, {ChkStrikeout, fsStrikeOut}};
  for (const auto& [Box, Bit] : Styles) {
    TFont F(GetFont());
    F.SetStyle(Bit);  // each box shows its caption in its own style
    Box->SetFont(F);
    Box->OnClick = [this, Box = Box, Bit = Bit](TObject*) { StyleClick(Box, Bit); };
  }
  PnlKindSample = new TLxPanel(this);
  PnlKindSample->SetParent(GrpKinds);
  PnlKindSample->SetBounds(10, 124, 230, 54);
  PnlKindSample->SetBorderOuter(fsLowered);
  PnlKindSample->SetColor(clWindow);
  PnlKindSample->SetCaption("Sample");

  // --- buttons
  BtnOK = AddButton(258, "OK", mrOk);
  BtnOK->SetDefault(true);
  BtnCancel = AddButton(341, "Cancel", mrCancel);
  BtnCancel->SetCancel(true);
  BtnHelp = AddButton(424, "&Help", mrNone);
  BtnHelp->OnClick = [this](TObject*) { HelpClick(); };

  OnShow = [this](TObject*) { PrepareShow(); };
}

TGroupBox* TFrmPreferences::AddGroup(int Left, int Top, int Width, int Height, const char* Caption) {
  auto* G = new TGroupBox(this);
  G->SetParent(this);
  G->SetBounds(Left, Top, Width, Height);
  G->SetCaption(Caption);
  return G;
}

TCheckBox* TFrmPreferences::AddCheck(TWinControl* Parent, int Left, int Top, int Width, const char* Caption) {
  auto* C = new TCheckBox(this);
  C->SetParent(Parent);
  C->SetBounds(Left, Top, Width, 17);
  C->SetCaption(Caption);
  return C;
}

TLabel* TFrmPreferences::AddLabel(TWinControl* Parent, int Left, int Top, const char* Caption) {
  auto* L = new TLabel(this);
  L->SetParent(Parent);
  L->SetLeft(Left);
  L->SetTop(Top);
  L->SetCaption(Caption);
  return L;
}

TButton* TFrmPreferences::AddButton(int Left, const char* Caption, TModalResult Result) {
  auto* B = new TButton(this);
  B->SetParent(this);
  B->SetBounds(Left, 334, 75, 25);
  B->SetCaption(Caption);
  B->SetModalResult(Result);
  return B;
}

void TFrmPreferences::Fill(TBkOrlimoComposite& Panel) {
  CbxInsertAt->SetItemIndex(Panel.GetInsertAtEnd() ? 1 : 0);
  ChkKeepInView->SetChecked(Panel.GetKeepMsgInView());
  ChkConfirmClear->SetChecked(Panel.GetConfirmOnClear());
  SpnIdleTime->SetValue(Panel.GetIdleTime());
  ChkInsertSeparator->SetChecked(Panel.GetInsertSeparatorOnWakeUp());
  ChkBeep->SetChecked(Panel.GetBeepOnWakeUp());
  ChkToolbar->SetChecked(Panel.GetViewToolbar());
  ChkWrapButtons->SetChecked(Panel.GetWrapButtons());
  ChkStatusBar->SetChecked(Panel.GetViewStatusBar());
  ChkInspectorPane->SetChecked(Panel.GetViewInspectorPane());
  ChkScratchPad->SetChecked(Panel.GetViewScratchPad());
  ChkIcons->SetChecked(Panel.GetViewIcons());
  ChkTimeStamp->SetChecked(Panel.GetViewTimeStamp());
  ChkAppName->SetChecked(Panel.GetViewAppName());
  FStyles = FOrlimoFonts;
  SetSampleFont(0, Panel.MsgFont());
  SetSampleFont(1, Panel.ObjectFont());
  SetSampleFont(2, Panel.StreamFont());
}

void TFrmPreferences::SetSampleFont(int Index, const TFont& Font) {
  const auto I = static_cast<std::size_t>(Index);
  FSampleFonts[I].Assign(Font);
  TFont Shown(Font);
  Shown.SetColor(ThemeKindColor(lxmInfo, Font.GetColor(), IsDarkLook()));
  FSamples[I]->SetFont(Shown);
}

void TFrmPreferences::PrepareShow() {
  CbxFontType->SetItemIndex(0);
  FontTypeChange();
  CbxMsgType->SetItemIndex(0);
  MsgTypeChange();
  WakeUpClick();
}

std::int32_t TFrmPreferences::IdleTime() { return static_cast<std::int32_t>(std::lround(SpnIdleTime->GetValue())); }

void TFrmPreferences::WakeUpClick() {
  const bool On = ChkInsertSeparator->GetChecked() || ChkBeep->GetChecked();
  SpnIdleTime->SetEnabled(On);
  // Its parts look disabled too (the text greyed, the arrows embossed).
  SpnIdleTime->GetEdit()->SetEnabled(On);
  SpnIdleTime->GetUpButton()->SetEnabled(On);
  SpnIdleTime->GetDownButton()->SetEnabled(On);
}

void TFrmPreferences::FontTypeChange() {
  const int I = CbxFontType->GetItemIndex();
  if (I >= 0) NbkSamples->SetPageIndex(I);
}

void TFrmPreferences::MsgTypeChange() {
  if (CbxMsgType->GetItemIndex() < 0) return;
  const TOrlimoFontRec& E = Entry();
  {
    FShowingKind = true;
    auto Done = ScopeExit([this] { FShowingKind = false; });
    ChkUseDefault->SetChecked(E.UseDefault);
    CbxColor->SetSelectedColor(E.Color);
    ChkBold->SetChecked(E.Style & fsBold);
    ChkItalic->SetChecked(E.Style & fsItalic);
    ChkUnderline->SetChecked(E.Style & fsUnderline);
    ChkStrikeout->SetChecked(E.Style & fsStrikeOut);
  }
  UseDefaultClick();
}

void TFrmPreferences::UseDefaultClick() {
  const bool Own = !ChkUseDefault->GetChecked();
  if (!FShowingKind && CbxMsgType->GetItemIndex() >= 0) Entry().UseDefault = !Own;
  for (TWinControl* C : std::initializer_list<TWinControl*>{CbxColor, ChkBold, ChkItalic, ChkUnderline, ChkStrikeout})
    C->SetEnabled(Own);
  RefreshKindSample();
}

void TFrmPreferences::ColorChange() {
  if (FShowingKind || CbxMsgType->GetItemIndex() < 0) return;
  Entry().Color = CbxColor->GetSelectedColor();
  RefreshKindSample();
}

void TFrmPreferences::StyleClick(TCheckBox* Box, std::uint8_t Bit) {
  if (FShowingKind || CbxMsgType->GetItemIndex() < 0) return;
  if (Box->GetChecked())
    Entry().Style |= Bit;
  else
    Entry().Style &= static_cast<std::uint8_t>(~Bit);
  RefreshKindSample();
}

void TFrmPreferences::RefreshKindSample() {
  TFont F(SampleFont(0));
  const bool Kind = CbxMsgType->GetItemIndex() >= 0;
  if (Kind && !Entry().UseDefault) {
    F.SetColor(Entry().Color);
    F.SetStyle(Entry().Style & 0x0F);
  }
  // As the list draws it: in the dark look a colour never changed is the kind's own.
  F.SetColor(ThemeKindColor(Kind ? SelectedKind() : lxmInfo, F.GetColor(), IsDarkLook()));
  PnlKindSample->SetFont(F);
}

void TFrmPreferences::ModifyClick() {
  const int I = CbxFontType->GetItemIndex();
  if (I < 0) return;
  TFontDialog Dlg(this);
  Dlg.Font.Assign(SampleFont(I));
  if (!Dlg.Execute()) return;
  SetSampleFont(I, Dlg.Font);
  if (I == 0) RefreshKindSample();
}

void TFrmPreferences::HelpClick() {
  static const std::string Jump = std::string("JumpID(\"\",\"") + HelpTopic + "\")";
  LxHelp::ShowHelp(LxHelp::ProgramDirectory(), HELP_COMMAND, reinterpret_cast<ULONG_PTR>(Jump.c_str()),
                   LxHelp::PreferencesSection);
}

TModalResult ShowPreferences(TFrmPreferences& Dialog) {
  FrmPreferences = &Dialog;
  auto Reset = ScopeExit([] { FrmPreferences = nullptr; });
  return Dialog.ShowModal();
}
