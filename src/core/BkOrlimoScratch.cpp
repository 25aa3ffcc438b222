// The scratch pad: 100 numbered lines in a grid that clients overwrite.
#include "core/BkOrlimo.h"

void TBkOrlimoComposite::ScratchPadMsg(std::int32_t Line, std::string_view Text) {
  if (Line < 0 || Line >= ScratchPadLines) return;
  // The grid holds the texts, shown or not; it neither scrolls nor moves its selection.
  FGrdScratchPad->SetCell(1, Line, std::string(Text));
}

const std::string& TBkOrlimoComposite::GetScratchPadLine(std::int32_t Line) const {
  static const std::string Empty;
  if (Line < 0 || Line >= ScratchPadLines) return Empty;
  return FGrdScratchPad->GetCell(1, Line);
}

void TBkOrlimoComposite::ClearScratchPad() { FGrdScratchPad->ClearColumn(1); }

void TBkOrlimoComposite::ScratchPadPopupClick(TObject* Sender) {
  if (auto* Item = dynamic_cast<TMenuItem*>(Sender); Item && Item->GetTag() == 1) ClearScratchPad();
}

void TBkOrlimoComposite::DrawScratchPadCell(int ACol, int ARow, const RECT& Rect, TGridDrawState) {
  TCanvas& C = FGrdScratchPad->GetCanvas();
  const std::string& Text = FGrdScratchPad->GetCell(ACol, ARow);
  if (ACol == 0) {
    // Grey line numbers, right-aligned, with a grey line along the cell's
    // right edge: its last pixel column, as the grid leaves no gap between a
    // fixed column without fixed lines and the next.
    C.GetPen().SetColor(RGB(128, 128, 128));
    C.MoveTo(Rect.right - 1, Rect.top);
    C.LineTo(Rect.right - 1, Rect.bottom + 1);
    C.GetPen().SetColor(clWindowText);
    C.Realize();
    SetTextAlign(C.GetHandle(), TA_RIGHT);
    C.GetFont().SetColor(RGB(128, 128, 128));
    C.TextRect(RECT{Rect.left, Rect.top, Rect.right - 1, Rect.bottom}, Rect.right - 4, Rect.top + 2, Text);
  } else {
    C.Realize();
    SetTextAlign(C.GetHandle(), TA_LEFT);
    C.TextRect(Rect, Rect.left + 2, Rect.top + 2, Text);
  }
}
