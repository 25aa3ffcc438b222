// Helpers of the viewer core's tests: items in a vector, a 32-bit memory
// surface to paint into and read pixels from, and keyboard state.
#pragma once

#include "core/BkListBox.h"

#include "platform/Forms.h"
#include "platform/Gdi.h"

#include <windows.h>

#include <string>
#include <vector>

class TTestItems : public TBkListItems {
public:
  std::vector<std::string> S;
  std::int32_t Count() const override { return static_cast<std::int32_t>(S.size()); }
  std::string GetString(std::int32_t I) const override { return S.at(static_cast<size_t>(I)); }
  void SetString(std::int32_t I, std::string_view T) override { S.at(static_cast<size_t>(I)) = std::string(T); }
  void DeleteWhere(const std::function<bool(std::int32_t)>& Gone) override {
    std::vector<std::string> Keep;
    for (size_t I = 0; I < S.size(); ++I)
      if (!Gone(static_cast<std::int32_t>(I))) Keep.push_back(S[I]);
    S = Keep;
  }
};

// A top-down 32-bit DIB selected into a memory DC.
class TSurface {
public:
  TSurface(int W, int H) : FW(W), FH(H) {
    BITMAPINFO BI{};
    BI.bmiHeader.biSize = sizeof BI.bmiHeader;
    BI.bmiHeader.biWidth = W;
    BI.bmiHeader.biHeight = -H;
    BI.bmiHeader.biPlanes = 1;
    BI.bmiHeader.biBitCount = 32;
    FDC = CreateMemoryDC();
    void* Bits = nullptr;
    FBmp.Reset(CreateDIBSection(FDC.Get(), &BI, DIB_RGB_COLORS, &Bits, nullptr, 0));
    FBits = static_cast<unsigned*>(Bits);
    FSelected = TSelectObject(FDC.Get(), FBmp.Get());
    for (int I = 0; I < W * H; ++I) FBits[I] = 0x00123456;  // a colour nothing paints
  }
  HDC DC() const { return FDC.Get(); }
  COLORREF Pixel(int X, int Y) const {
    const unsigned V = FBits[Y * FW + X];
    return RGB((V >> 16) & 0xFF, (V >> 8) & 0xFF, V & 0xFF);
  }
  bool RowHas(int Y, int X0, int X1, COLORREF C) const {
    for (int X = X0; X < X1; ++X)
      if (Pixel(X, Y) == C) return true;
    return false;
  }
  // Whether any pixel of the rectangle differs from C.
  bool AnyOtherThan(const RECT& R, COLORREF C) const {
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X)
        if (Pixel(X, Y) != C) return true;
    return false;
  }
  int Width() const { return FW; }
  int Height() const { return FH; }

private:
  int FW, FH;
  // Released in reverse order: the bitmap is selected out before it is deleted.
  TMemoryDC FDC;
  TBitmapHandle FBmp;
  TSelectObject FSelected;
  unsigned* FBits = nullptr;
};

// Holds keys down as far as GetKeyState can tell, for the lifetime of the object.
class TKeysDown {
public:
  explicit TKeysDown(std::initializer_list<int> Keys) {
    GetKeyboardState(FSaved);
    BYTE State[256];
    GetKeyboardState(State);
    for (int K : Keys) State[K] = 0x80;
    SetKeyboardState(State);
  }
  ~TKeysDown() { SetKeyboardState(FSaved); }

private:
  BYTE FSaved[256];
};

inline LRESULT Key(HWND Wnd, WPARAM VKey) { return SendMessageA(Wnd, WM_KEYDOWN, VKey, 1); }

inline void ClickAt(HWND Wnd, int X, int Y, WPARAM Flags = 0, bool Double = false) {
  const LPARAM P = MAKELPARAM(X, Y);
  SendMessageA(Wnd, Double ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON | Flags, P);
  SendMessageA(Wnd, WM_LBUTTONUP, Flags, P);
}

inline COLORREF Sys(int Index) { return GetSysColor(Index); }

// Runs a test with the dialogs answered by Answer (it gets the form as soon
// as its modal loop begins).
class TModalAnswer {
public:
  explicit TModalAnswer(std::function<void(TCustomForm&)> Answer) {
    Application->OnModalBegin = [this, Answer](TCustomForm& F) {
      ++Shown;
      Answer(F);
    };
  }
  ~TModalAnswer() { Application->OnModalBegin = nullptr; }
  int Shown = 0;
};
