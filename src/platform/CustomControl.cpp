// The canvas of a control, the custom (self-painting) control and the graphic control.
#include "platform/Controls.h"

#include "model/ScopeExit.h"

#include <algorithm>

// ---------------------------------------------------------------- TControlCanvas
namespace {
// Never destroyed: canvases may still go while static objects are destroyed
// (the application frees its hint window then).
std::vector<TControlCanvas*>& CanvasList() {
  static auto* List = new std::vector<TControlCanvas*>;
  return *List;
}
}  // namespace

TControlCanvas::TControlCanvas(TWinControl& Control) : FControl(Control) {}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (FPainting) return;
  if (FControl.HandleAllocated()) {
    FWindowDC = TWindowDC(FControl.WindowHandle());
    SetHandle(FWindowDC.Get());
    CanvasList().push_back(this);
  } else {
    FMemoryDC = CreateMemoryDC();
    SetHandle(FMemoryDC.Get());
  }
}

void TControlCanvas::FreeHandle() {
  if (FPainting) return;
  ReleaseObjects();
  SetHandle(nullptr);
  if (FWindowDC) {
    auto& L = CanvasList();
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
  }
  FWindowDC.Reset();
  FMemoryDC.Reset();
}

void TControlCanvas::AttachPaintDC(HDC DC) {
  FreeHandle();
  FPainting = true;
  SetHandle(DC);
}

void TControlCanvas::DetachPaintDC() {
  ReleaseObjects();
  SetHandle(nullptr);
  FPainting = false;
}

void TControlCanvas::FreeDeviceContexts() {
  std::vector<TControlCanvas*> L(CanvasList());
  for (TControlCanvas* C : L) C->FreeHandle();
}

// ---------------------------------------------------------------- TCustomControl
TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) { FClickEvents = true; }

TCustomControl::~TCustomControl() {
  if (FCanvas) FCanvas->FreeHandle();
}

TCanvas& TCustomControl::GetCanvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TControlCanvas>(*this);
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush().SetColor(GetColor());
  }
  return *FCanvas;
}

void TCustomControl::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoCustomControl";
}

bool TCustomControl::EraseBackground(HDC) { return true; }

void TCustomControl::Paint(TCanvas& Canvas) {
  RECT R = GetClientRect();
  Canvas.FillRect(R);
}

void TCustomControl::PaintWindow(HDC DC) {
  GetCanvas();
  // Paints through the canvas into Target; the canvas lets go of it also when
  // Paint throws.
  auto PaintInto = [this](HDC Target) {
    FCanvas->AttachPaintDC(Target);
    auto Detach = ScopeExit([this] { FCanvas->DetachPaintDC(); });
    // Every paint starts with the control's font and a solid brush of its
    // colour, whatever the last one left.
    FCanvas->SetFont(GetFont());
    FCanvas->GetBrush().SetColor(GetColor());
    FCanvas->GetBrush().SetStyle(bsSolid);
    Paint(*FCanvas);
  };
  RECT R = GetClientRect();
  if (!FDoubleBuffered || R.right <= 0 || R.bottom <= 0) {
    PaintInto(DC);
    return;
  }
  TMemoryDC MemDC = CreateMemoryDC(DC);
  TBitmapHandle Bmp(::CreateCompatibleBitmap(DC, R.right, R.bottom));
  TSelectObject Sel(MemDC.Get(), Bmp.Get());
  RECT Clip{};
  ::GetClipBox(DC, &Clip);
  ::IntersectClipRect(MemDC.Get(), Clip.left, Clip.top, Clip.right, Clip.bottom);
  PaintInto(MemDC.Get());
  ::BitBlt(DC, Clip.left, Clip.top, Clip.right - Clip.left, Clip.bottom - Clip.top, MemDC.Get(), Clip.left, Clip.top,
           SRCCOPY);
}

void TCustomControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_PAINT: {
      TPaintDC DC(WindowHandle());
      PaintWindow(DC.Get());
      M.Result = 0;
      return;
    }
    case WM_DESTROY:
      if (FCanvas) FCanvas->FreeHandle();
      break;
    default: break;
  }
  TWinControl::WndProc(M);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TCustomControl(AOwner) { SetParentColor(true); }

void TGraphicControl::WndProc(TMessage& M) {
  if (M.Msg == WM_MOUSEACTIVATE) {
    M.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::WndProc(M);
}
