// Helpers shared by the platform tests.
#pragma once

#include "platform/Forms.h"

#include <functional>
#include <string>
#include <vector>

// Records what the application's exception display receives while it lives.
class TExceptionRecorder {
public:
  TExceptionRecorder() {
    Application->OnException = [this](TObject*, const std::exception& E) { Messages.push_back(E.what()); };
  }
  ~TExceptionRecorder() { Application->OnException = nullptr; }
  std::vector<std::string> Messages;
};

// Reads a pixel of a DC as 0x00BBGGRR.
inline TColor PixelAt(HDC DC, int X, int Y) { return static_cast<TColor>(::GetPixel(DC, X, Y)); }

// Runs Hook on each form as it begins a modal loop, while it lives.
struct TModalHook {
  explicit TModalHook(std::function<void(TCustomForm&)> Hook) { Application->OnModalBegin = std::move(Hook); }
  ~TModalHook() { Application->OnModalBegin = nullptr; }
};
