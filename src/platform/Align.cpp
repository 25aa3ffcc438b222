// TWinControl: alignment of the children.
#include "platform/Controls.h"

#include <algorithm>
#include <vector>

// ---------------------------------------------------------------- alignment
void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) {
    FAlignPending = false;
    AlignControl(nullptr);
  }
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (IsDestroying()) return;
  if (FAlignLevel > 0) {
    FAlignPending = true;
    return;
  }
  ++FAlignLevel;
  try {
    RECT R = GetClientRect();
    AdjustClientRect(R);
    AlignControls(AControl, R);
  } catch (...) {
    --FAlignLevel;
    FAlignPending = false;
    throw;
  }
  --FAlignLevel;
  FAlignPending = false;
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl*, RECT& R) {
  static const TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign A : Order) {
    for (TControl* C : std::vector<TControl*>(FControls)) {
      if (C->FAlign != A || !C->FVisible) continue;
      // Popup windows do not take part in the layout.
      if (auto* W = dynamic_cast<TWinControl*>(C);
          W && W->FHandle && (::GetWindowLongA(W->FHandle, GWL_STYLE) & WS_POPUP))
        continue;
      const int RW = std::max<int>(R.right - R.left, 0);
      const int RH = std::max<int>(R.bottom - R.top, 0);
      switch (A) {
        case alTop:
          C->SetBounds(R.left, R.top, RW, C->FHeight);
          R.top += C->FHeight;
          break;
        case alBottom:
          C->SetBounds(R.left, R.bottom - C->FHeight, RW, C->FHeight);
          R.bottom -= C->FHeight;
          break;
        case alLeft:
          C->SetBounds(R.left, R.top, C->FWidth, RH);
          R.left += C->FWidth;
          break;
        case alRight:
          C->SetBounds(R.right - C->FWidth, R.top, C->FWidth, RH);
          R.right -= C->FWidth;
          break;
        case alClient: C->SetBounds(R.left, R.top, RW, RH); break;
        case alNone: break;
      }
    }
  }
}
