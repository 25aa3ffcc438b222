// The status bar: its look, the panes' captions, the time difference of the
// selection and the status notification.
#include "core/BkOrlimo.h"

#include "components/LxCommon.h"
#include "model/TimeText.h"

#include <cstdio>

// ============================================================ TBkOrlimoStatusBar

TBkOrlimoStatusBar::TBkOrlimoStatusBar(TComponent* AOwner) : TLxCustomStatusBar(AOwner) {
  const bool NewLook = NewStyleControls();
  SetBorderInner(fsNone);
  SetBorderOuter(NewLook ? fsNone : fsPopup);
  SetBorderSides(sdAllSides);
  SetFrameSides(sdNoSides);
  SetBorderWidth(0);
  SetHeight(NewLook ? 19 : 24);
}

// ============================================================ panes

namespace {

std::string CountText(const char* Format, std::int32_t N) {
  char Buffer[32];
  std::snprintf(Buffer, sizeof Buffer, Format, static_cast<int>(N));
  return Buffer;
}

// A count with thousands separators: 4,096.
std::string Grouped(std::int32_t N) {
  std::string Digits = std::to_string(N);
  const std::size_t First = Digits[0] == '-' ? 1 : 0;
  for (std::size_t I = Digits.size(); I > First + 3; I -= 3) Digits.insert(I - 3, ",");
  return Digits;
}

}  // namespace

std::string TBkOrlimoComposite::MessageCountText() const {
  // While a filter hides messages the pane says how many of all are shown.
  if (FFiltering) return Grouped(FShown.Count()) + " of " + Grouped(FMsgs->Count()) + " Messages";
  return CountText("%d Messages", FMsgs->Count());
}

void TBkOrlimoComposite::UpdateStatus() {
  const std::int32_t Count = FMsgs->Count();  // hidden messages count: the list is not empty
  const std::int32_t Selected = FLstMsgs->GetSelCount();
  FStsMsgCount->SetCaption(MessageCountText());
  FStsSelCount->SetCaption(CountText("%d Selected", Selected));
  FBtnIcons->SetDown(FViewIcons);
  FBtnTimeStamp->SetDown(FViewTimeStamp);
  FBtnInspectorPane->SetDown(FViewInspectorPane);
  FBtnScratchPad->SetDown(FViewScratchPad);
  if (Selected < 2)
    FStsTimeDiff->SetCaption("");
  else
    DisplayTimeDifference();
  FStsTimeDiff->SetEnabled(Selected > 1);
  ShowLogFileName(Selected);
  ApplyNavButtons();
  FLastStatusFlags = (Selected > 0 ? 1 : 0) | (Count > 0 ? 2 : 0);
  DoUpdateStatus(Selected > 0, Count > 0);
}

void TBkOrlimoComposite::ListRepainted() {
  // Messages arriving in a burst do not run UpdateStatus each: the counts
  // follow here, at the list's repaint rate, and the host hears of it only
  // when "empty" or "nothing selected" changed.
  const std::int32_t Count = FMsgs->Count();  // hidden messages count: the list is not empty
  const std::int32_t Selected = FLstMsgs->GetSelCount();
  FStsMsgCount->SetCaption(MessageCountText());
  FStsSelCount->SetCaption(CountText("%d Selected", Selected));
  ShowLogFileName(Selected);
  const int Flags = (Selected > 0 ? 1 : 0) | (Count > 0 ? 2 : 0);
  if (Flags == FLastStatusFlags) return;
  FLastStatusFlags = Flags;
  DoUpdateStatus(Selected > 0, Count > 0);
}

void TBkOrlimoComposite::DisplayTimeDifference() {
  const TBkListSelection& Sel = FLstMsgs->Selection();
  const std::int32_t N = std::min(Sel.Count(), ShownCount());
  // The lowest and the highest selected position (for exactly two selected
  // items these are the two).
  std::int32_t Low = 0;
  while (Low < N && !Sel.Selected(Low)) ++Low;
  std::int32_t High = N - 1;
  while (High > Low && !Sel.Selected(High)) --High;
  if (Low >= High) {
    FStsTimeDiff->SetCaption("");
    return;
  }
  std::int32_t Earlier = GetItemMsgInfo(Low).TickCount();
  std::int32_t Later = GetItemMsgInfo(High).TickCount();
  if (!FMsgs->GetInsertAtEnd()) std::swap(Earlier, Later);
  FStsTimeDiff->SetCaption(Later < Earlier ? std::string("xx:xx:xx.xxx") : ConvertTickCount(WrapSub(Later, Earlier)));
}
