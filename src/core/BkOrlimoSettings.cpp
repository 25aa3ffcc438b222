// The viewer's settings: loaded from and saved to the registry (the
// standalone program's key or the plug-in's) through the settings layout of
// the model, applied to the panel's widgets, fonts and the kind style table;
// and the preferences dialog's results applied to a running viewer.
#include "core/BkOrlimo.h"

#include "core/BkLogToFile.h"

#include "core/BkLxUtil.h"
#include "core/LxOptFrm.h"

#include "components/LxCommon.h"
#include "platform/RegSettingsStore.h"
#include "platform/Theme.h"

#include <algorithm>

namespace {

TOrlimoFontSpec FontSpecOf(const TFont& Font) {
  return TOrlimoFontSpec{Font.GetName(), Font.GetSize(), Font.GetColor(), static_cast<std::uint8_t>(Font.GetStyle())};
}

void AssignFontSpec(TFont& Font, const TOrlimoFontSpec& Stored) {
  Font.SetName(Stored.Name);
  Font.SetSize(Stored.Size);
  Font.SetColor(Stored.Color);
  Font.SetStyle(Stored.Style & 0x0F);  // the in-memory style bits are the font's own
}

}  // namespace

// ============================================================ load and save

void TBkOrlimoComposite::LoadSettings() {
  TRegSettingsStore Store(SettingsKey());
  LoadSettingsFrom(Store);
}

void TBkOrlimoComposite::SaveSettings() {
  TRegSettingsStore Store(SettingsKey());
  SaveSettingsTo(Store);
}

void TBkOrlimoComposite::LoadSettingsFrom(TSettingsStore& Store) {
  TOrlimoSettings S;
  TOrlimoKindStyles Styles = FOrlimoFonts;  // entry 7 is kept as it is
  ReadSettings(Store, S, Styles);

  // Each value is stored and shown at once (the widgets follow even when the
  // value is the one the panel already had).
  SetIgnoreMessages(S.IgnoreMessages);
  FBtnIgnoreMessages->SetDown(GetIgnoreMessages());
  FViewToolbar = S.ViewToolbar;
  FToolbar->SetVisible(FViewToolbar);
  FWrapButtons = S.WrapButtons;
  FToolbar->SetWrapControls(FWrapButtons);
  FViewInspectorPane = S.ViewInspectorPane;
  FBtnInspectorPane->SetDown(FViewInspectorPane);
  FInspectorSplitter->GetLowerRight()->SetVisible(FViewInspectorPane);
  FViewScratchPad = S.ViewScratchPad;
  FBtnScratchPad->SetDown(FViewScratchPad);
  FScratchPadSplitter->GetLowerRight()->SetVisible(FViewScratchPad);
  FScratchPadBarPos = S.ScratchPadBarPos;
  FInspectorBarPos = S.InspectorBarPos;
  PostSplitterBarPos();
  if (!FForCodeRush) FLastInspectorBarPos = FInspectorBarPos;
  FViewIcons = S.ViewIcons;
  FBtnIcons->SetDown(FViewIcons);
  FViewTimeStamp = S.ViewTimeStamp;
  FBtnTimeStamp->SetDown(FViewTimeStamp);
  FViewCallStack = S.ViewCallStack;
  FBtnCallStack->SetDown(FViewCallStack);
  FViewAppName = S.ViewAppName;
  SetInsertAtEnd(S.InsertAtEnd);
  FConfirmOnClear = S.ConfirmOnClear;
  FKeepMsgInView = S.KeepMsgInView;
  SetBeepOnWakeUp(S.BeepOnWakeUp);
  SetInsertSeparatorOnWakeUp(S.InsertSeparatorOnWakeUp);
  SetIdleTime(S.IdleTime);
  SetNavigatorMessage(S.NavigatorMessage);
  ApplyCaptureDebugOutputSetting(S.CaptureDebugOutput);
  ApplyCaptureGlobalDebugOutputSetting(S.CaptureGlobalDebugOutput);
  ApplyNetSettingsAtStart({S.NetListen, S.NetProtocol, S.NetPort, S.NetRemote, S.NetCommands});

  // The message font: the list and the string-list viewer; entry 0 follows it.
  AssignFontSpec(FMsgFont, S.MsgFont);
  FEdtStringList->SetFont(ShownFont(FMsgFont));
  SetLstMsgsFont(FMsgFont);
  // The object font: the object grid, the call stack and the page captions.
  AssignFontSpec(FObjectFont, S.ObjectFont);
  ApplyObjectFont();
  AssignFontSpec(FStreamFont, S.StreamFont);
  FEdtStream->SetFont(ShownFont(FStreamFont));
  // The kinds' styles, entry 0 from the message font (ReadSettings set it).
  FOrlimoFonts = Styles;
  // The look, once the fonts it shows are in place.
  FTheme = S.Theme;
  ApplyTheme();

  if (FViewScratchPad) ResizeScratchPadColumns();
  UpdateItemHeight();
  UpdateList();
  FLogToFile->LoadFrom(Store);
  LoadFilterRules(Store);
}

void TBkOrlimoComposite::SaveSettingsTo(TSettingsStore& Store) {
  TOrlimoSettings S;
  S.IgnoreMessages = GetIgnoreMessages();
  S.CaptureDebugOutput = GetCaptureDebugOutput();
  S.CaptureGlobalDebugOutput = GetCaptureGlobalDebugOutput();
  S.NetListen = FNet.Listen;
  S.NetProtocol = FNet.Protocol;
  S.NetPort = FNet.Port;
  S.NetRemote = FNet.Remote;
  S.NetCommands = FNet.Commands;
  S.Theme = FTheme;
  S.ViewToolbar = FViewToolbar;
  S.WrapButtons = FWrapButtons;
  S.ViewInspectorPane = FViewInspectorPane;
  S.ViewScratchPad = FViewScratchPad;
  // Where the user put the bars, not where a small window squeezes them (a
  // pane wider than the whole splitter, as wide as it can be).
  S.ScratchPadBarPos = std::max(FScratchPadSplitter->GetGivenPosition(), 0);
  S.InspectorBarPos = std::max(FInspectorSplitter->GetGivenPosition(), 0);
  S.ViewIcons = FViewIcons;
  S.ViewTimeStamp = FViewTimeStamp;
  S.ViewAppName = FViewAppName;
  S.ViewCallStack = FViewCallStack;
  S.InsertAtEnd = GetInsertAtEnd();
  S.ConfirmOnClear = FConfirmOnClear;
  S.KeepMsgInView = FKeepMsgInView;
  S.BeepOnWakeUp = GetBeepOnWakeUp();
  S.InsertSeparatorOnWakeUp = GetInsertSeparatorOnWakeUp();
  S.IdleTime = GetIdleTime();
  S.NavigatorMessage = GetNavigatorMessage();
  S.MsgFont = FontSpecOf(FMsgFont);
  S.ObjectFont = FontSpecOf(FObjectFont);
  S.StreamFont = FontSpecOf(FStreamFont);
  WriteSettings(Store, S, FOrlimoFonts);
}

void TBkOrlimoComposite::PostSplitterBarPos() {
  // Posted, so that the bars move once the window has its real size; without
  // a window yet, when it is made.
  FBarPosPending = !HandleAllocated();
  if (!FBarPosPending)
    PostMessageA(WindowHandle(), UM_INITSPLITTERBARPOS, static_cast<WPARAM>(FInspectorBarPos),
                 static_cast<LPARAM>(FScratchPadBarPos));
}

// ============================================================ fonts

void TBkOrlimoComposite::SetLstMsgsFont(const TFont& Font) {
  FLstMsgs->SetFont(Font);
  // Both columns are measured again in the new font: the time sample once and
  // each distinct application name once, never each message.
  FAppNameWidths.clear();
  FLastAppNameWidth = -1;
  FSampleTimeWidth = -1;
  MeasureAllColumns();
  UpdateList();
}

void TBkOrlimoComposite::ApplyObjectFont() {
  // Kept for every object shown later, in the pane and in inspector windows.
  FObjectRowHeight = GetMinFontHeight(FObjectFont) - 1;
  FGrdObject->SetDefaultRowHeight(FObjectRowHeight);
  FGrdObject->SetFont(ShownFont(FObjectFont));
  FLstCallStack->SetFont(ShownFont(FObjectFont));
  TFont Bold(ShownFont(FObjectFont));
  Bold.SetStyle(Bold.GetStyle() | fsBold);
  for (TLxLabel* L : {FLblStringList, FLblStream, FLblCallStack}) L->SetFont(Bold);
}

void TBkOrlimoComposite::SetFontColorStyle(TFont& Font, std::int32_t Kind) {
  const TOrlimoKindStyle& Style = KindColorStyle(FOrlimoFonts, Kind);
  Font.SetColor(ThemeKindColor(Kind, Style.Color, IsDarkLook()));
  Font.SetStyle(Style.Style & 0x0F);
}

void TBkOrlimoComposite::RefreshDefaultKindStyle() {
  FOrlimoFonts[0] = TOrlimoFontRec{true, FMsgFont.GetColor(), static_cast<std::uint8_t>(FMsgFont.GetStyle() & 0x0F)};
}

bool TBkOrlimoComposite::FontsAreEqual(const TFont& A, const TFont& B) {
  return A.GetName() == B.GetName() && A.GetSize() == B.GetSize() && A.GetStyle() == B.GetStyle() &&
         A.GetColor() == B.GetColor();
}

bool TBkOrlimoComposite::FontArraysAreEqual(const TOrlimoFonts& A, const TOrlimoFonts& B) { return A == B; }

// ============================================================ preferences

void TBkOrlimoComposite::ChangePreferences() {
  TFrmPreferences Dlg;
  Dlg.Fill(*this);
  if (ShowPreferences(Dlg) != mrOk) return;
  ApplyPreferences(Dlg);
}

void TBkOrlimoComposite::ApplyPreferences(TFrmPreferences& Dlg) {
  bool NewHeight = false;
  bool Repaint = false;
  // 1. Behaviour.
  FKeepMsgInView = Dlg.ChkKeepInView->GetChecked();
  FConfirmOnClear = Dlg.ChkConfirmClear->GetChecked();
  SetBeepOnWakeUp(Dlg.ChkBeep->GetChecked());
  SetInsertSeparatorOnWakeUp(Dlg.ChkInsertSeparator->GetChecked());
  SetIdleTime(Dlg.IdleTime());
  // 2. The message details. The Icons and Time Stamp buttons are pressed or
  // released with their values here, so the toolbar never shows a state the
  // list no longer has.
  if (Dlg.ChkIcons->GetChecked() != FViewIcons) {
    FViewIcons = Dlg.ChkIcons->GetChecked();
    FBtnIcons->SetDown(FViewIcons);
    NewHeight = Repaint = true;
  }
  if (Dlg.ChkTimeStamp->GetChecked() != FViewTimeStamp) {
    FViewTimeStamp = Dlg.ChkTimeStamp->GetChecked();
    FBtnTimeStamp->SetDown(FViewTimeStamp);
    Repaint = true;
  }
  if (Dlg.ChkAppName->GetChecked() != FViewAppName) {
    FViewAppName = Dlg.ChkAppName->GetChecked();
    Repaint = true;
  }
  // 3. The form view.
  SetViewToolbar(Dlg.ChkToolbar->GetChecked());
  SetWrapButtons(Dlg.ChkWrapButtons->GetChecked());
  SetViewStatusBar(Dlg.ChkStatusBar->GetChecked());
  SetViewInspectorPane(Dlg.ChkInspectorPane->GetChecked());
  SetViewScratchPad(Dlg.ChkScratchPad->GetChecked());
  // 4. The insertion end: the newest message stays at the insertion end.
  const bool AtEnd = Dlg.InsertAtEnd();
  if (AtEnd != GetInsertAtEnd()) {
    SetInsertAtEnd(AtEnd);
    ReverseList();
  }
  // 5. The kinds' colours and styles.
  if (!FontArraysAreEqual(Dlg.KindStyles(), FOrlimoFonts)) {
    FOrlimoFonts = Dlg.KindStyles();
    Repaint = true;
  }
  // 6. The message font.
  if (!FontsAreEqual(Dlg.SampleFont(0), FMsgFont)) {
    FMsgFont.Assign(Dlg.SampleFont(0));
    SetLstMsgsFont(FMsgFont);
    FEdtStringList->SetFont(ShownFont(FMsgFont));
    RefreshDefaultKindStyle();
    MessageFontChanged();
    NewHeight = true;
  }
  // 7. The object and stream fonts.
  if (!FontsAreEqual(Dlg.SampleFont(1), FObjectFont)) {
    FObjectFont.Assign(Dlg.SampleFont(1));
    ApplyObjectFont();  // the panes take it at once, whatever message is shown
    ObjectFontChanged();
  }
  if (!FontsAreEqual(Dlg.SampleFont(2), FStreamFont)) {
    FStreamFont.Assign(Dlg.SampleFont(2));
    FEdtStream->SetFont(ShownFont(FStreamFont));
    StreamFontChanged();
  }
  // 8. The host's menu follows.
  DoUpdateMenu();
  // 9. Height or paint.
  if (NewHeight)
    UpdateItemHeight();
  else if (Repaint)
    UpdateList();
}
