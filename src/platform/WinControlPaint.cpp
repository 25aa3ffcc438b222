// TWinControl: repainting, z-order, messages and painting into any DC.
#include "platform/Controls.h"

#include <algorithm>

// ---------------------------------------------------------------- repainting, z-order, painting
void TWinControl::Invalidate() {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
  if (FHandle) ::UpdateWindow(FHandle);
}

void TWinControl::BringToFront() {
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::find(L.begin(), L.end(), this));
    L.push_back(this);
  }
  if (FHandle) ::SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RequestAlign();
}

void TWinControl::SendToBack() {
  if (FParent) {
    auto& L = FParent->FControls;
    L.erase(std::find(L.begin(), L.end(), this));
    L.insert(L.begin(), this);
  }
  if (FHandle) ::SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RequestAlign();
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (FHandle) return ::SendMessageA(FHandle, Msg, WParam, LParam);
  TMessage M{Msg, WParam, LParam, 0};
  WndProc(M);
  return M.Result;
}

void TWinControl::PaintWindow(HDC DC) {
  if (FHandle) {
    TMessage M{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT | PRF_ERASEBKGND, 0};
    DefaultHandler(M);
  }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  const int Saved = ::SaveDC(DC);
  POINT OldOrg{};
  ::OffsetViewportOrgEx(DC, X, Y, &OldOrg);
  RECT R = GetClientRect();
  ::IntersectClipRect(DC, 0, 0, R.right, R.bottom);
  EraseBackground(DC);
  PaintWindow(DC);
  ::RestoreDC(DC, Saved);
  for (TControl* C : FControls) {
    auto* W = dynamic_cast<TWinControl*>(C);
    if (!W || !W->FVisible) continue;
    if (W->FHandle && (::GetWindowLongA(W->FHandle, GWL_STYLE) & WS_POPUP)) continue;
    POINT Origin{X + W->FLeft, Y + W->FTop};
    if (W->FHandle && FHandle) {
      POINT P{0, 0};
      ::MapWindowPoints(W->FHandle, FHandle, &P, 1);
      Origin = POINT{X + P.x, Y + P.y};
    }
    const int S2 = ::SaveDC(DC);
    ::IntersectClipRect(DC, Origin.x, Origin.y, Origin.x + W->FWidth, Origin.y + W->FHeight);
    W->PaintTo(DC, Origin.x, Origin.y);
    ::RestoreDC(DC, S2);
  }
}

bool TWinControl::EraseBackground(HDC DC) {
  RECT R = GetClientRect();
  ::FillRect(DC, &R, ColorBrush());
  return true;
}
