// Filters and highlighting: the index of the shown messages over the list, the
// quick filter box on the toolbar, the stored rules and their dialog. The
// rules themselves are the model's (model/MsgFilter.h).
#include "core/BkOrlimo.h"

#include "core/LxFltFrm.h"

#include "platform/RegSettingsStore.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// Width of the quick filter's group on the toolbar, and of the box in it: the
// four groups still fit one row of a 600-pixel panel.
constexpr int QuickFilterGroupWidth = 64;
constexpr int QuickFilterBoxWidth = 56;
constexpr int QuickFilterBoxHeight = 21;

// The quick filter box: Escape empties it, Enter hands the keyboard to the
// list; every change restarts the panel's delay.
class TQuickFilterEdit : public TEdit {
public:
  explicit TQuickFilterEdit(TBkOrlimoComposite& Panel) : TEdit(&Panel), FPanel(Panel) {}

  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_ESCAPE) {
      if (!GetText().empty()) {
        SetText("");
        FPanel.SetQuickFilterText("");
      }
      Message.Result = 0;
      return;
    }
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN) {
      FPanel.QuickFilterTimer();  // what was typed applies before the list takes over
      if (FPanel.FLstMsgs->CanFocus()) FPanel.FLstMsgs->SetFocus();
      Message.Result = 0;
      return;
    }
    if (Message.Msg == WM_CHAR && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) {
      Message.Result = 0;  // no beep
      return;
    }
    TEdit::WndProc(Message);
  }

protected:
  void CreateWnd() override {
    TEdit::CreateWnd();
    // The cue the empty box shows (where the system's edit control draws one).
    SendMessageW(WindowHandle(), EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Filter"));
  }

  LRESULT DialogCode(WPARAM Key) override {
    if (Key == VK_RETURN || Key == VK_ESCAPE) return DLGC_WANTALLKEYS;
    return TEdit::DialogCode(Key);
  }

private:
  TBkOrlimoComposite& FPanel;
};

}  // namespace

// ============================================================ the quick filter box

void TBkOrlimoComposite::CreateQuickFilter() {
  FFilter = std::make_unique<TMsgFilter>();
  FQuickFilterTimer = std::make_unique<TTimer>(nullptr);
  FQuickFilterTimer->SetEnabled(false);
  FQuickFilterTimer->SetInterval(QuickFilterDelay);
  FQuickFilterTimer->SetOnTimer([this](TObject*) { QuickFilterTimer(); });
  FRefilterTimer = std::make_unique<TTimer>(nullptr);
  FRefilterTimer->SetEnabled(false);
  FRefilterTimer->SetInterval(1);  // as soon as the messages waiting are handled
  FRefilterTimer->SetOnTimer([this](TObject*) { RefilterSlice(RefilterSliceItems); });

  FTbgFilter = CreateButtonGroup(QuickFilterGroupWidth, fsPopup);
  auto* Edit = new TQuickFilterEdit(*this);
  Edit->SetParent(FTbgFilter);
  Edit->SetBounds(2, 2, QuickFilterBoxWidth, QuickFilterBoxHeight);
  Edit->SetMaxLength(255);
  // Not a tab stop: the list stays the first control in tab order; Ctrl+E
  // or the mouse reaches the box.
  Edit->SetTabStop(false);
  Edit->OnChange = [this](TObject*) {
    if (FEdtQuickFilter->GetText() == FFilter->QuickText()) return;
    FQuickFilterTimer->SetEnabled(false);  // the delay counts from the last key
    FQuickFilterTimer->SetEnabled(true);
  };
  FEdtQuickFilter = Edit;
}

void TBkOrlimoComposite::QuickFilterTimer() {
  FQuickFilterTimer->SetEnabled(false);
  if (FEdtQuickFilter) SetQuickFilterText(FEdtQuickFilter->GetText());
}

void TBkOrlimoComposite::FocusQuickFilter() {
  if (!FEdtQuickFilter) return;
  if (!FViewToolbar) SetViewToolbar(true);
  if (!FEdtQuickFilter->CanFocus()) return;
  FEdtQuickFilter->SetFocus();
  FEdtQuickFilter->SelectAll();
}

void TBkOrlimoComposite::SetQuickFilterText(std::string_view Text) {
  FQuickFilterTimer->SetEnabled(false);
  if (FEdtQuickFilter && FEdtQuickFilter->GetText() != Text) FEdtQuickFilter->SetText(std::string(Text));
  if (Text == FFilter->QuickText()) return;
  FFilter->SetQuickText(Text);
  FilterChanged();
}

// ============================================================ rules

void TBkOrlimoComposite::SetFilterRules(std::vector<TFilterRule> Rules) {
  FFilter->SetRules(std::move(Rules));
  try {
    TRegSettingsStore Store(SettingsKey());
    WriteFilterRules(Store, FFilter->Rules());
  } catch (const std::exception& E) {
    Application->HandleException(E);
  }
  FilterChanged();
  if (!FFilter->Problems().empty()) FStsTypeName->SetCaption(FFilter->Problems().front());
}

void TBkOrlimoComposite::LoadFilterRules(TSettingsStore& Store) {
  std::vector<std::string> Problems;
  std::vector<TFilterRule> Rules = ReadFilterRules(Store, &Problems);
  FFilter->SetRules(std::move(Rules));
  for (const std::string& P : FFilter->Problems()) Problems.push_back(P);
  FilterChanged();
  // A rule that cannot be used is told once, where the program's other
  // start-up notices go.
  if (!Problems.empty()) FStsTypeName->SetCaption(Problems.front());
}

void TBkOrlimoComposite::FilterAndHighlight() {
  std::vector<TFilterRule> Rules = FFilter->Rules();
  if (!EditFilterRules(*this, Rules)) return;
  SetFilterRules(std::move(Rules));
}

// ============================================================ the shown index

void TBkOrlimoComposite::FilterChanged() {
  FRefilter.reset();  // a slice in progress is abandoned
  if (!FFilter->Filtering()) {
    // Nothing filters: every message is shown, at once.
    FRefilterTimer->SetEnabled(false);
    ShowFiltered(TMsgFilterIndex{}, false);
    UpdateList();
    return;
  }
  FRefilter = std::make_unique<TRefilterJob>();
  if (!RefilterSlice(RefilterSliceItems)) FRefilterTimer->SetEnabled(true);
}

void TBkOrlimoComposite::RestartRefilter() {
  if (!FRefilter) return;
  FRefilter->Index.Clear();
  FRefilter->Next = 0;
}

bool TBkOrlimoComposite::RefilterSlice(std::int32_t Items) {
  if (!FRefilter) {
    FRefilterTimer->SetEnabled(false);
    return true;
  }
  TRefilterJob& Job = *FRefilter;
  const DWORD Start = GetTickCount();
  std::int32_t Tested = 0;
  constexpr std::int32_t Step = 4096;  // messages tested between looks at the clock
  while (Job.Next < FMsgs->Count()) {
    const std::int32_t End = std::min(FMsgs->Count(), Job.Next + (Items > 0 ? std::min(Step, Items - Tested) : Step));
    for (; Job.Next < End; ++Job.Next)
      if (FFilter->Shows(FMsgs->GetItemMsgInfo(Job.Next))) Job.Index.Inserted(Job.Next, false, true);
    Tested += Step;
    if (Items > 0 ? Tested >= Items : GetTickCount() - Start >= RefilterSliceTime) break;
  }
  if (Job.Next < FMsgs->Count()) return false;
  FRefilterTimer->SetEnabled(false);
  const std::unique_ptr<TRefilterJob> Done = std::move(FRefilter);
  ShowFiltered(std::move(Done->Index), true);
  UpdateList();
  return true;
}

void TBkOrlimoComposite::Refilter() {
  FRefilter.reset();
  FRefilterTimer->SetEnabled(false);
  TCursorGuard Hourglass;
  TMsgFilterIndex Index;
  const bool Filtering = FFilter->Filtering();
  if (Filtering)
    Index.Rebuild(FMsgs->Count(), [this](std::int32_t P) { return FFilter->Shows(FMsgs->GetItemMsgInfo(P)); });
  ShowFiltered(std::move(Index), Filtering);
}

void TBkOrlimoComposite::ShowFiltered(TMsgFilterIndex Index, bool Filtering) {
  // What the user looks at, as list positions: it stays where it is shown.
  const std::int32_t CaretPos = ShownPosition(FLstMsgs->GetItemIndex());
  const std::int32_t TopPos = ShownPosition(FLstMsgs->GetTopIndex());
  std::vector<std::int32_t> SelectedPos;
  if (FLstMsgs->GetSelCount() > 0) {
    SelectedPos.reserve(static_cast<std::size_t>(FLstMsgs->GetSelCount()));
    for (std::int32_t I = 0; I < FLstMsgs->Count(); ++I)
      if (FLstMsgs->GetSelected(I)) SelectedPos.push_back(ShownPosition(I));
  }
  FLstMsgs->HideEditor(false);
  HideTip();

  FFiltering = Filtering;
  FShown = std::move(Index);

  FLstMsgs->BeginUpdate();
  FLstMsgs->ItemsCleared();
  FLstMsgs->ItemsChanged();
  const std::int32_t N = ShownCount();
  for (const std::int32_t P : SelectedPos)
    if (const std::int32_t I = ShownIndexOf(P); I >= 0) FLstMsgs->SetSelected(I, true);
  if (N > 0) {
    // The caret on its message, or on the nearest shown one after it.
    auto Nearest = [this, N](std::int32_t P) {
      if (P < 0) return -1;
      return std::min(FFiltering ? FShown.LowerBound(P) : P, N - 1);
    };
    if (const std::int32_t Caret = Nearest(CaretPos); Caret >= 0) FLstMsgs->SetCaretIndex(Caret);
    if (const std::int32_t Top = Nearest(TopPos); Top >= 0) FLstMsgs->SetTopIndex(Top);
  }
  FLstMsgs->EndUpdate();
  FCallStackLines.clear();
  UpdateStatus();
  UpdateNavButtons();
  if (N > 0 && FLstMsgs->GetSelCount() > 0)
    LstMsgsClick();
  else if (N == 0)
    ClearInspectorPane();
}
