#include "core/LxInsFrm.h"

#include "core/BkLxStr.h"
#include "core/BkOrlimo.h"

#include "platform/PlatformExcept.h"

namespace {

// A 16 x 16 icon with a kind's list picture in its middle; its transparent
// colour stays transparent. Null when the picture is missing.
HICON MakeKindIcon(const char* Name) {
  TBitmap Picture;
  try {
    Picture.LoadFromResourceName(BkLxStr::ResourceModule(), Name);
  } catch (const EResNotFound&) {
    return nullptr;
  }
  constexpr int Size = 16;
  HDC Source = Picture.GetCanvas().GetHandle();
  TWindowDC Screen(nullptr);
  TBitmapHandle Color(::CreateCompatibleBitmap(Screen.Get(), Size, Size));
  TBitmapHandle Mask(::CreateBitmap(Size, Size, 1, 1, nullptr));
  {
    TMemoryDC ColorDC = CreateMemoryDC(Screen.Get());
    TMemoryDC MaskDC = CreateMemoryDC(Screen.Get());
    TSelectObject ColorSel(ColorDC.Get(), Color.Get());
    TSelectObject MaskSel(MaskDC.Get(), Mask.Get());
    const RECT All{0, 0, Size, Size};
    ::FillRect(ColorDC.Get(), &All, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::FillRect(MaskDC.Get(), &All, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const int Left = (Size - Picture.GetWidth()) / 2;
    const int Top = (Size - Picture.GetHeight()) / 2;
    for (int Y = 0; Y < Picture.GetHeight() && Y + Top < Size; ++Y)
      for (int X = 0; X < Picture.GetWidth() && X + Left < Size; ++X) {
        const COLORREF C = ::GetPixel(Source, X, Y);
        if (C == TBkOrlimoComposite::IconTransparentColor) continue;
        ::SetPixel(ColorDC.Get(), Left + X, Top + Y, C);
        ::SetPixel(MaskDC.Get(), Left + X, Top + Y, RGB(0, 0, 0));
      }
  }
  ICONINFO Info{TRUE, 0, 0, Mask.Get(), Color.Get()};
  return ::CreateIconIndirect(&Info);
}

}  // namespace

TFrmInspect::TFrmInspect(const std::string& Caption, int Width, int Height, const char* IconName)
    : TForm(&InspectorWindowOwner()), FIcon(MakeKindIcon(IconName)) {
  SetBorderStyle(bsSizeable);
  SetFormStyle(fsStayOnTop);
  SetCaption(Caption);
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetWidth(Width);
  SetHeight(Height);
  Panel = new TLxPanel(this);
  Panel->SetParent(this);
  Panel->SetAlign(alClient);
  Panel->SetBorderOuter(fsLowered);
  Panel->SetFrameSides(0);
}

TFrmInspect::~TFrmInspect() {
  // The window lets go of the icon before the icon goes.
  if (HandleAllocated()) {
    ::SendMessageA(WindowHandle(), WM_SETICON, ICON_SMALL, 0);
    ::SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, 0);
  }
}

void TFrmInspect::CreateWindowHandle(const TCreateParams& Params) {
  TForm::CreateWindowHandle(Params);
  if (FIcon) {
    ::SendMessageA(WindowHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FIcon.Get()));
    ::SendMessageA(WindowHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon.Get()));
  }
}

bool TFrmInspect::IsShortCut(WORD Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && Shift == 0) {
    Close();
    return true;
  }
  return TForm::IsShortCut(Key, Shift);
}

void TFrmInspect::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  if (Action == caHide) Action = caFree;
}

TComponent& InspectorWindowOwner() {
  static TComponent Owner(nullptr);
  return Owner;
}
