// Helpers shared by the components' tests.
#pragma once

#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"

#include <gtest/gtest.h>

// A 32-bit picture in a memory DC, for reading back what was drawn.
class TTestSurface {
public:
  TTestSurface(int Width, int Height, TColor Fill = 0x00FF00FF) : FDC(CreateMemoryDC()) {
    BITMAPINFO BI{};
    BI.bmiHeader.biSize = sizeof BI.bmiHeader;
    BI.bmiHeader.biWidth = Width;
    BI.bmiHeader.biHeight = -Height;
    BI.bmiHeader.biPlanes = 1;
    BI.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    FBitmap.Reset(::CreateDIBSection(FDC.Get(), &BI, DIB_RGB_COLORS, &Bits, nullptr, 0));
    FSelect = TSelectObject(FDC.Get(), FBitmap.Get());
    RECT R{0, 0, Width, Height};
    TBrushHandle B(::CreateSolidBrush(ColorToRGB(Fill)));
    ::FillRect(FDC.Get(), &R, B.Get());
  }
  HDC DC() const { return FDC.Get(); }
  COLORREF At(int X, int Y) const { return ::GetPixel(FDC.Get(), X, Y); }

private:
  TMemoryDC FDC;
  TBitmapHandle FBitmap;
  TSelectObject FSelect;
};

inline COLORREF Sys(TColor C) { return ColorToRGB(C); }

inline ::testing::AssertionResult RectIs(const RECT& R, int L, int T, int Rt, int B) {
  if (R.left == L && R.top == T && R.right == Rt && R.bottom == B) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << R.left << "," << R.top << "," << R.right << "," << R.bottom
                                       << ") expected (" << L << "," << T << "," << Rt << "," << B << ")";
}

// A borderless form that hosts the controls under test.
class THostForm : public TForm {
public:
  explicit THostForm(int Width = 400, int Height = 300) : TForm(nullptr) {
    SetBorderStyle(bsNone);
    SetBounds(0, 0, Width, Height);
    HandleNeeded();
  }
};

// Runs the posted messages of the thread.
inline void PumpMessages() { Application->ProcessMessages(); }
