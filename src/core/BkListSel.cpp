#include "core/BkListSel.h"

#include <algorithm>

std::int32_t TBkListSelection::Clamp(std::int32_t I) const {
  if (FSel.empty()) return 0;
  return std::clamp(I, 0, Count() - 1);
}

void TBkListSelection::Inserted(std::int32_t Position) {
  Position = std::clamp(Position, 0, Count());
  const bool WasEmpty = FSel.empty();
  FSel.insert(FSel.begin() + Position, 0);
  if (WasEmpty) {
    FCaret = FAnchor = FTop = 0;
    return;
  }
  if (FCaret >= Position) ++FCaret;
  if (FAnchor >= Position) ++FAnchor;
}

void TBkListSelection::Cleared() {
  FSel.clear();
  FSelCount = 0;
  FCaret = FAnchor = FTop = 0;
}

void TBkListSelection::Reversed() {
  std::reverse(FSel.begin(), FSel.end());
  if (FSel.empty()) return;
  FCaret = Count() - 1 - FCaret;
  FAnchor = Count() - 1 - FAnchor;
}

void TBkListSelection::Deleted(const std::function<bool(std::int32_t)>& IsDeleted) {
  std::size_t Out = 0;
  std::int32_t CaretShift = 0, AnchorShift = 0, TopShift = 0;
  FSelCount = 0;
  for (std::size_t I = 0; I < FSel.size(); ++I) {
    const auto Pos = static_cast<std::int32_t>(I);
    if (IsDeleted(Pos)) {
      if (Pos < FCaret) ++CaretShift;
      if (Pos < FAnchor) ++AnchorShift;
      if (Pos < FTop) ++TopShift;
      continue;
    }
    FSelCount += FSel[I];
    FSel[Out++] = FSel[I];
  }
  FSel.resize(Out);
  FCaret = Clamp(FCaret - CaretShift);
  FAnchor = Clamp(FAnchor - AnchorShift);
  FTop = Clamp(FTop - TopShift);
}

void TBkListSelection::Resize(std::int32_t N) {
  N = std::max(N, 0);
  while (Count() > N) {
    FSelCount -= FSel.back();
    FSel.pop_back();
  }
  FSel.resize(static_cast<std::size_t>(N), 0);
  FCaret = Clamp(FCaret);
  FAnchor = Clamp(FAnchor);
  FTop = Clamp(FTop);
}

bool TBkListSelection::Select(std::int32_t Index, bool On) {
  if (!InRange(Index)) return false;
  auto& S = FSel[static_cast<std::size_t>(Index)];
  if ((S != 0) == On) return false;
  S = On ? 1 : 0;
  FSelCount += On ? 1 : -1;
  return true;
}

bool TBkListSelection::SelectRange(std::int32_t From, std::int32_t To, bool On) {
  if (FSel.empty()) return false;
  if (From > To) std::swap(From, To);
  From = std::max(From, 0);
  To = std::min(To, Count() - 1);
  bool Changed = false;
  for (std::int32_t I = From; I <= To; ++I) Changed |= Select(I, On);
  return Changed;
}

bool TBkListSelection::DeselectAll() {
  if (FSelCount == 0) return false;
  std::fill(FSel.begin(), FSel.end(), 0);
  FSelCount = 0;
  return true;
}

void TBkListSelection::SetCaret(std::int32_t Index) { FCaret = Clamp(Index); }

void TBkListSelection::SetTopIndex(std::int32_t Index, std::int32_t PageRows) {
  const std::int32_t MaxTop = std::max(0, Count() - std::max(PageRows, 1));
  FTop = std::clamp(Index, 0, MaxTop);
}

void TBkListSelection::MakeVisible(std::int32_t Index, std::int32_t PageRows) {
  PageRows = std::max(PageRows, 1);
  if (Index < FTop)
    SetTopIndex(Index, PageRows);
  else if (Index >= FTop + PageRows)
    SetTopIndex(Index - PageRows + 1, PageRows);
}

bool TBkListSelection::Click(std::int32_t Index, bool Shift, bool Ctrl) {
  if (!InRange(Index)) return false;
  bool Changed = false;
  if (Shift) {
    if (!Ctrl) Changed |= DeselectAll();
    Changed |= SelectRange(Anchor(), Index, true);
  } else if (Ctrl) {
    Changed |= Select(Index, !Selected(Index));
    FAnchor = Index;
  } else {
    Changed |= DeselectAll();
    Changed |= Select(Index, true);
    FAnchor = Index;
  }
  FCaret = Index;
  return Changed;
}

bool TBkListSelection::MoveCaret(std::int32_t Index, bool Shift, bool Ctrl) {
  if (FSel.empty()) return false;
  Index = Clamp(Index);
  if (Ctrl && !Shift) {
    FCaret = Index;
    return false;
  }
  bool Changed = false;
  if (Shift) {
    Changed |= DeselectAll();
    Changed |= SelectRange(Anchor(), Index, true);
  } else {
    Changed |= DeselectAll();
    Changed |= Select(Index, true);
    FAnchor = Index;
  }
  FCaret = Index;
  return Changed;
}
