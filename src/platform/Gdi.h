// Move-only owners of Win32 handles: one type per release function.
//   TGdiHandle<HFONT/HBITMAP/HBRUSH/HPEN/HRGN>  DeleteObject
//   TMemoryDC                                   DeleteDC
//   TWindowDC                                   ReleaseDC
//   TPaintDC                                    EndPaint
//   TSelectObject                               SelectObject back to the previous object
//   TMenuHandle                                 DestroyMenu
//   TIconHandle                                 DestroyIcon
#pragma once

#include <windows.h>

#include <utility>

// Generic owner: Traits::Handle is the handle type, Traits::Close releases it.
template <class Traits>
class TUniqueHandle {
public:
  using Handle = typename Traits::Handle;

  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(Handle H) noexcept : FHandle(H) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& Other) noexcept : FHandle(Other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& Other) noexcept {
    if (this != &Other) Reset(Other.Release());
    return *this;
  }

  Handle Get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != Handle{}; }
  // Gives up ownership without releasing.
  Handle Release() noexcept { return std::exchange(FHandle, Handle{}); }
  void Reset(Handle H = Handle{}) noexcept {
    Handle Old = std::exchange(FHandle, H);
    if (Old != Handle{}) Traits::Close(Old);
  }

private:
  Handle FHandle{};
};

template <class H>
struct TDeleteObjectTraits {
  using Handle = H;
  static void Close(H Value) noexcept { ::DeleteObject(Value); }
};
template <class H>
using TGdiHandle = TUniqueHandle<TDeleteObjectTraits<H>>;
using TFontHandle = TGdiHandle<HFONT>;
using TBitmapHandle = TGdiHandle<HBITMAP>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TPenHandle = TGdiHandle<HPEN>;
using TRegionHandle = TGdiHandle<HRGN>;

struct TDeleteDCTraits {
  using Handle = HDC;
  static void Close(HDC Value) noexcept { ::DeleteDC(Value); }
};
// A DC made with CreateCompatibleDC / CreateDC.
using TMemoryDC = TUniqueHandle<TDeleteDCTraits>;

struct TDestroyMenuTraits {
  using Handle = HMENU;
  static void Close(HMENU Value) noexcept { ::DestroyMenu(Value); }
};
using TMenuHandle = TUniqueHandle<TDestroyMenuTraits>;

struct TDestroyIconTraits {
  using Handle = HICON;
  static void Close(HICON Value) noexcept { ::DestroyIcon(Value); }
};
using TIconHandle = TUniqueHandle<TDestroyIconTraits>;

// The module (exe or DLL) that contains this code: window classes are
// registered for it and resources load from it by default.
HINSTANCE ModuleInstance();

// A compatible memory DC for the screen (or for Reference).
TMemoryDC CreateMemoryDC(HDC Reference = nullptr);

// GetDC / ReleaseDC. A null window gives the screen DC.
class TWindowDC {
public:
  TWindowDC() noexcept = default;
  explicit TWindowDC(HWND Wnd) noexcept : FWnd(Wnd), FDC(::GetDC(Wnd)) {}
  ~TWindowDC() { Reset(); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  TWindowDC(TWindowDC&& Other) noexcept
      : FWnd(std::exchange(Other.FWnd, nullptr)), FDC(std::exchange(Other.FDC, nullptr)) {}
  TWindowDC& operator=(TWindowDC&& Other) noexcept {
    if (this != &Other) {
      Reset();
      FWnd = std::exchange(Other.FWnd, nullptr);
      FDC = std::exchange(Other.FDC, nullptr);
    }
    return *this;
  }
  HDC Get() const noexcept { return FDC; }
  explicit operator bool() const noexcept { return FDC != nullptr; }
  void Reset() noexcept {
    if (FDC) ::ReleaseDC(FWnd, FDC);
    FDC = nullptr;
    FWnd = nullptr;
  }

private:
  HWND FWnd = nullptr;
  HDC FDC = nullptr;
};

// BeginPaint / EndPaint.
class TPaintDC {
public:
  explicit TPaintDC(HWND Wnd) noexcept : FWnd(Wnd) { FDC = ::BeginPaint(Wnd, &FPaint); }
  ~TPaintDC() {
    if (FWnd) ::EndPaint(FWnd, &FPaint);
  }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  TPaintDC(TPaintDC&& Other) noexcept
      : FWnd(std::exchange(Other.FWnd, nullptr)), FDC(std::exchange(Other.FDC, nullptr)), FPaint(Other.FPaint) {}
  TPaintDC& operator=(TPaintDC&&) = delete;
  HDC Get() const noexcept { return FDC; }
  const PAINTSTRUCT& Info() const noexcept { return FPaint; }

private:
  HWND FWnd = nullptr;
  HDC FDC = nullptr;
  PAINTSTRUCT FPaint{};
};

// Selects an object into a DC and selects the previous one back on destruction.
class TSelectObject {
public:
  TSelectObject() noexcept = default;
  TSelectObject(HDC DC, HGDIOBJ Object) noexcept : FDC(DC), FOld(::SelectObject(DC, Object)) {}
  ~TSelectObject() { Restore(); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;
  TSelectObject(TSelectObject&& Other) noexcept
      : FDC(std::exchange(Other.FDC, nullptr)), FOld(std::exchange(Other.FOld, nullptr)) {}
  TSelectObject& operator=(TSelectObject&& Other) noexcept {
    if (this != &Other) {
      Restore();
      FDC = std::exchange(Other.FDC, nullptr);
      FOld = std::exchange(Other.FOld, nullptr);
    }
    return *this;
  }
  void Restore() noexcept {
    if (FDC && FOld && FOld != HGDI_ERROR) ::SelectObject(FDC, FOld);
    FDC = nullptr;
    FOld = nullptr;
  }

private:
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};
