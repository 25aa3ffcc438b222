#include "components/LxStatus.h"

#include "components/LxDateFmt.h"
#include "components/LxSysRes.h"

#include <algorithm>
#include <cstdio>

TLxCustomStatusPane::TLxCustomStatusPane(TComponent* AOwner) : TGraphicControl(AOwner) {
  FBorderWidth = NewStyleControls() ? 1 : 2;
  SetParentColor(true);
  SetBounds(0, 0, 100, 20);
}

void TLxCustomStatusPane::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Invalidate();
}
void TLxCustomStatusPane::SetBorderWidth(int Value) {
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Invalidate();
}
void TLxCustomStatusPane::SetFillColor(TColor Value) {
  if (Value == FFillColor) return;
  FFillColor = Value;
  Invalidate();
}
void TLxCustomStatusPane::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}
void TLxCustomStatusPane::SetCaptionOffset(int Value) {
  if (Value == FCaptionOffset) return;
  FCaptionOffset = Value;
  Invalidate();
}
void TLxCustomStatusPane::TextChanged() { Invalidate(); }
void TLxCustomStatusPane::EnabledChanged() { Invalidate(); }

void TLxCustomStatusPane::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TLxCustomStatusPane::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

RECT TLxCustomStatusPane::GetCaptionRect() {
  return ToRECT(StatusCaptionRect(TLxRect{0, 0, GetWidth(), GetHeight()}, FFrameStyle, FBorderWidth));
}

std::string TLxCustomStatusPane::CaptionText() { return GetCaption(); }

bool TLxCustomStatusPane::AtSizeGrip() {
  auto* Bar = dynamic_cast<TLxCustomStatusBar*>(GetParent());
  return Bar && Bar->ReachesSizeGrip(*this);
}

void TLxCustomStatusPane::WndProc(TMessage& Message) {
  switch (FMouse.Handle(WindowHandle(), Message)) {
    case 1: MouseEnter(); break;
    case -1: MouseLeave(); break;
    default: break;
  }
  // The last 12 pixels of a pane at the bar's right edge belong to the bar,
  // so its size grip stays usable.
  if (TLxCustomStatusBar::PassHitToSizeGrip(*this, Message)) return;
  TGraphicControl::WndProc(Message);
}

void TLxCustomStatusPane::DrawCaption(TCanvas& Canvas, const RECT& R, const std::string& Text) {
  if (Text.empty()) return;
  Canvas.GetFont().Assign(GetFont());
  Canvas.Realize();
  HDC DC = Canvas.GetHandle();
  const int SavedDC = ::SaveDC(DC);
  int X;
  switch (FAlignment) {
    case taRightJustify: X = R.right - FCaptionOffset - 1; break;
    case taCenter: X = R.left + (R.right - R.left) / 2; break;
    default: X = R.left + FCaptionOffset + 1; break;
  }
  ::SetTextAlign(DC, SetTextAlignments[FAlignment] | TA_TOP);
  SIZE Pp{};
  ::GetTextExtentPoint32A(DC, "Pp", 2, &Pp);
  const int Y = R.top + (R.bottom - R.top - Pp.cy) / 2;
  ::SetBkColor(DC, ColorToRGB(FFillColor));
  const UINT Len = static_cast<UINT>(Text.size());
  if (!DrawEnabled()) {
    ::SetTextColor(DC, ColorToRGB(clBtnHighlight));
    ::ExtTextOutA(DC, X + 1, Y + 1, ETO_OPAQUE | ETO_CLIPPED, &R, Text.data(), Len, nullptr);
    ::SetBkMode(DC, TRANSPARENT);
    ::SetTextColor(DC, ColorToRGB(clBtnShadow));
    ::ExtTextOutA(DC, X, Y, ETO_CLIPPED, &R, Text.data(), Len, nullptr);
  } else {
    ::SetTextColor(DC, ColorToRGB(GetFont().GetColor()));
    ::ExtTextOutA(DC, X, Y, ETO_OPAQUE | ETO_CLIPPED, &R, Text.data(), Len, nullptr);
  }
  ::RestoreDC(DC, SavedDC);
}

void TLxCustomStatusPane::Paint(TCanvas& Canvas) {
  HDC DC = Canvas.GetHandle();
  RECT R{0, 0, GetWidth(), GetHeight()};
  FillSolid(DC, R, GetColor());
  ::InflateRect(&R, -FBorderWidth, -FBorderWidth);
  DrawBorder(Canvas, R, FFrameStyle);
  DrawCaption(Canvas, GetCaptionRect(), CaptionText());
  // A pane over the bar's corner shows the bar's size grip on top of itself.
  if (auto* Bar = dynamic_cast<TLxCustomStatusBar*>(GetParent()); Bar && Bar->SizeGripShowing() && AtSizeGrip())
    Bar->PaintSizeGrip(DC, GetLeft(), GetTop());
}

// ---------------------------------------------------------------------------

TLxCustomGlyphStatus::TLxCustomGlyphStatus(TComponent* AOwner)
    : TLxCustomStatusPane(AOwner), FGlyph(std::make_unique<TBitmap>()) {}

TLxCustomGlyphStatus::~TLxCustomGlyphStatus() = default;

void TLxCustomGlyphStatus::GlyphChanged() {
  FNumGlyphs = FGlyph->Empty() ? 1 : DetectNumGlyphs(FGlyph->GetWidth(), FGlyph->GetHeight());
  Invalidate();
}

void TLxCustomGlyphStatus::SetGlyph(TBitmap& Value) {
  FGlyph->Assign(Value);
  GlyphChanged();
}

void TLxCustomGlyphStatus::LoadGlyph(HINSTANCE Instance, const std::string& Name) {
  FGlyph->LoadFromResourceName(Instance, Name);
  GlyphChanged();
}

void TLxCustomGlyphStatus::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}
void TLxCustomGlyphStatus::SetGlyphAlignment(TGlyphAlignment Value) {
  if (Value == FGlyphAlignment) return;
  FGlyphAlignment = Value;
  Invalidate();
}
void TLxCustomGlyphStatus::SetGlyphOffset(int Value) {
  if (Value == FGlyphOffset) return;
  FGlyphOffset = Value;
  Invalidate();
}

RECT TLxCustomGlyphStatus::GetCaptionRect() {
  RECT R = TLxCustomStatusPane::GetCaptionRect();
  if (FGlyph->Empty()) return R;
  const int F = ScaleDesign(FGlyph->GetWidth() / FNumGlyphs) + FGlyphOffset;
  if (FGlyphAlignment == gaLeft)
    R.left += F;
  else
    R.right -= F;
  return R;
}

void TLxCustomGlyphStatus::Paint(TCanvas& Canvas) {
  TLxCustomStatusPane::Paint(Canvas);
  if (FGlyph->Empty()) return;
  const RECT Caption = TLxCustomStatusPane::GetCaptionRect();
  // The art is at 96 DPI: placed and drawn at the pane's DPI.
  const int ArtFrame = FGlyph->GetWidth() / FNumGlyphs, ArtHeight = FGlyph->GetHeight();
  const TLxGlyphPlace P =
      GlyphStatusPlace(GetWidth(), GetHeight(), ScaleDesign(ArtFrame) * FNumGlyphs, ScaleDesign(ArtHeight), FNumGlyphs,
                       FGlyphAlignment, FGlyphOffset, FBorderWidth, FFrameStyle, Caption.bottom - Caption.top);
  if (P.FrameWidth <= 0 || P.DrawHeight <= 0) return;
  const int Frame = (!GetEnabled() && FNumGlyphs >= 2) ? 1 : 0;
  // Through a bitmap of the frame's size on the fill colour; the glyph's
  // bottom-left pixel colour is transparent.
  TBitmap Temp(P.FrameWidth, P.DrawHeight);
  HDC TempDC = Temp.GetCanvas().GetHandle();
  FillSolid(TempDC, RECT{0, 0, P.FrameWidth, P.DrawHeight}, FFillColor);
  HDC GlyphDC = FGlyph->GetCanvas().GetHandle();
  const COLORREF Transparent = ::GetPixel(GlyphDC, 0, FGlyph->GetHeight() - 1);
  const int SrcWidth = ScaleBetweenDpi(P.FrameWidth, GetCurrentDpi(), DesignDpi);
  const int SrcHeight = ScaleBetweenDpi(P.DrawHeight, GetCurrentDpi(), DesignDpi);
  StretchTransparentCopy(TempDC, 0, 0, P.FrameWidth, P.DrawHeight, GlyphDC, Frame * ArtFrame, 0,
                         std::min(SrcWidth, ArtFrame), std::min(SrcHeight, ArtHeight), Transparent);
  ::BitBlt(Canvas.GetHandle(), P.Left, P.Top, P.FrameWidth, P.DrawHeight, TempDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------

namespace {
TLxPollingTimer* GPollingTimer = nullptr;
}

TLxPollingTimer::TLxPollingTimer() : FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetInterval(500);
  FTimer->SetOnTimer([this](TObject*) { Tick(); });
  FTimer->SetEnabled(true);
}

TLxPollingTimer::~TLxPollingTimer() = default;

TLxPollingTimer* TLxPollingTimer::Instance() { return GPollingTimer; }

void TLxPollingTimer::Register(TLxPollingStatus* Pane) { FPanes.push_back(Pane); }

void TLxPollingTimer::Unregister(TLxPollingStatus* Pane) {
  FPanes.erase(std::remove(FPanes.begin(), FPanes.end(), Pane), FPanes.end());
}

void TLxPollingTimer::Tick() {
  // A pane may go away during a tick: work on a copy, skip the departed. When
  // the last one goes, this object stays until the tick is over.
  ++FTicking;
  const std::vector<TLxPollingStatus*> Panes = FPanes;
  for (TLxPollingStatus* P : Panes)
    if (std::find(FPanes.begin(), FPanes.end(), P) != FPanes.end()) P->TimerExpired();
  --FTicking;
  if (FTicking == 0 && FPanes.empty() && GPollingTimer == this) {
    GPollingTimer = nullptr;
    delete this;  // nothing of this object is touched after
  }
}

TLxPollingStatus::TLxPollingStatus(TComponent* AOwner) : TLxCustomStatusPane(AOwner) {
  if (!GPollingTimer) GPollingTimer = new TLxPollingTimer();
  GPollingTimer->Register(this);
}

TLxPollingStatus::~TLxPollingStatus() {
  if (!GPollingTimer) return;
  GPollingTimer->Unregister(this);
  // While its tick runs, the timer goes at the tick's end instead.
  if (GPollingTimer->GetPanes().empty() && !GPollingTimer->Ticking()) {
    delete GPollingTimer;
    GPollingTimer = nullptr;
  }
}

bool TLxPollingStatus::GetActive() const { return GPollingTimer && GPollingTimer->GetTimer().GetEnabled(); }
void TLxPollingStatus::SetActive(bool Value) {
  if (GPollingTimer) GPollingTimer->GetTimer().SetEnabled(Value);
}
unsigned TLxPollingStatus::GetInterval() const { return GPollingTimer ? GPollingTimer->GetTimer().GetInterval() : 0; }
void TLxPollingStatus::SetInterval(unsigned Value) {
  if (GPollingTimer) GPollingTimer->GetTimer().SetInterval(Value);
}

void TLxPollingStatus::TimerExpired() {
  if (!OnTimerExpired) return;
  const TNotifyEvent Handler = OnTimerExpired;  // the handler may free this pane
  Handler(this);
}

// ---------------------------------------------------------------------------

TLxClockStatus::TLxClockStatus(TComponent* AOwner) : TLxPollingStatus(AOwner) {
  SetWidth(150);
  UpdateText();
}

std::string TLxClockStatus::ClockText() {
  SYSTEMTIME S{};
  ::GetLocalTime(&S);
  if (FFormat.empty()) {
    char Date[128] = {}, Time[128] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &S, nullptr, Date, sizeof Date);
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &S, nullptr, Time, sizeof Time);
    return std::string(Date) + " " + Time;
  }
  TLxDateTime T{S.wYear, S.wMonth, S.wDay, S.wDayOfWeek, S.wHour, S.wMinute, S.wSecond, S.wMilliseconds};
  TLxDateNames N;
  char Buf[128];
  for (int I = 0; I < 12; ++I) {
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + I, Buf, sizeof Buf) > 0) N.ShortMonth[I] = Buf;
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + I, Buf, sizeof Buf) > 0) N.LongMonth[I] = Buf;
  }
  for (int I = 0; I < 7; ++I) {  // the locale's week starts on Monday; ours on Sunday
    const int L = (I + 6) % 7;
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + L, Buf, sizeof Buf) > 0) N.ShortDay[I] = Buf;
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + L, Buf, sizeof Buf) > 0) N.LongDay[I] = Buf;
  }
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, Buf, sizeof Buf) > 0) N.TimeAMString = Buf;
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, Buf, sizeof Buf) > 0) N.TimePMString = Buf;
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, Buf, sizeof Buf) > 0 && Buf[0]) N.DateSeparator = Buf[0];
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, Buf, sizeof Buf) > 0 && Buf[0]) N.TimeSeparator = Buf[0];
  return FormatDateTimeText(FFormat, T, N);
}

void TLxClockStatus::UpdateText() {
  std::string Text = ClockText();
  if (Text == FText) return;
  FText = std::move(Text);
  Invalidate();
}

void TLxClockStatus::SetFormat(const std::string& Value) {
  if (Value == FFormat) return;
  FFormat = Value;
  UpdateText();
}

void TLxClockStatus::TimerExpired() {
  UpdateText();
  TLxPollingStatus::TimerExpired();
}

RECT TLxClockStatus::GetCaptionRect() {
  RECT R = TLxPollingStatus::GetCaptionRect();
  if (AtSizeGrip()) R.right -= SizeGripWidth(GetCurrentDpi());
  return R;
}

// ---------------------------------------------------------------------------

TLxKeyStatus::TLxKeyStatus(TComponent* AOwner) : TLxPollingStatus(AOwner) {
  SetWidth(45);
  FAlignment = taCenter;
  FKeyOn = ReadKey();
}

bool TLxKeyStatus::ReadKey() const {
  static constexpr int Keys[3] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
  return (::GetKeyState(Keys[FKey]) & 1) != 0;
}

void TLxKeyStatus::SetKey(TLxToggleKey Value) {
  if (Value == FKey) return;
  FKey = Value;
  FKeyOn = ReadKey();
  Invalidate();
}

std::string TLxKeyStatus::CaptionText() {
  static const char* const Names[3] = {"CAPS", "NUM", "SCR"};
  return Names[FKey];
}

void TLxKeyStatus::TimerExpired() {
  const bool On = ReadKey();
  if (On != FKeyOn) {
    FKeyOn = On;
    Invalidate();
  }
  TLxPollingStatus::TimerExpired();
}

// ---------------------------------------------------------------------------

TLxResourceStatus::TLxResourceStatus(TComponent* AOwner) : TLxPollingStatus(AOwner) {
  FBackColor = FFillColor;
  SetShowHint(true);
  ReadValue();
}

void TLxResourceStatus::SetResourceType(TLxResourceType Value) {
  if (Value == FResourceType) return;
  FResourceType = Value;
  FValue = -1;
  ReadValue();
  Invalidate();
}
void TLxResourceStatus::SetDisplayStyle(TLxDisplayStyle Value) {
  if (Value == FDisplayStyle) return;
  FDisplayStyle = Value;
  Invalidate();
}
void TLxResourceStatus::SetBarStyle(TBarStyle Value) {
  if (Value == FBarStyle) return;
  FBarStyle = Value;
  FShowPercent = false;
  Invalidate();
}
void TLxResourceStatus::SetBarColor(TColor Value) {
  if (Value == FBarColor) return;
  FBarColor = Value;
  Invalidate();
}
void TLxResourceStatus::SetBackColor(TColor Value) {
  if (Value == FBackColor) return;
  FBackColor = Value;
  Invalidate();
}
void TLxResourceStatus::SetNumSegments(int Value) {
  if (Value == FNumSegments) return;
  FNumSegments = Value;
  Invalidate();
}
void TLxResourceStatus::SetOrientation(TOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Invalidate();
}
void TLxResourceStatus::SetShowPercent(bool Value) {
  if (Value == FShowPercent) return;
  FShowPercent = Value;
  Invalidate();
}

void TLxResourceStatus::ReadValue() {
  int Value = 0;
  switch (FResourceType) {
    case rtSystem: Value = GetFreeSystemResources(GFSR_SYSTEMRESOURCES); break;
    case rtUser: Value = GetFreeSystemResources(GFSR_USERRESOURCES); break;
    case rtGDI: Value = GetFreeSystemResources(GFSR_GDIRESOURCES); break;
    case rtMemory: {
      MEMORYSTATUSEX M{};
      M.dwLength = sizeof M;
      if (::GlobalMemoryStatusEx(&M) && M.ullTotalPhys > 0) {
        FAvailKB = M.ullAvailPhys / 1024;
        Value = static_cast<int>(M.ullAvailPhys * 100 / M.ullTotalPhys);
      }
      break;
    }
  }
  if (Value == FValue) return;
  FValue = Value;
  static const char* const Names[4] = {"System", "User", "GDI", "Memory"};
  char Hint[64];
  std::snprintf(Hint, sizeof Hint, "%s: %d%%", Names[FResourceType], Value);
  SetHint(Hint);
  Invalidate();
}

void TLxResourceStatus::TimerExpired() {
  ReadValue();
  TLxPollingStatus::TimerExpired();
}

std::string TLxResourceStatus::CaptionText() {
  if (FDisplayStyle != dsText) return {};
  char Buf[48];
  if (FResourceType == rtMemory)
    std::snprintf(Buf, sizeof Buf, "%llu KB", FAvailKB);
  else
    std::snprintf(Buf, sizeof Buf, "%d%%", std::max(FValue, 0));
  return Buf;
}

void TLxResourceStatus::Paint(TCanvas& Canvas) {
  TLxPollingStatus::Paint(Canvas);
  if (FDisplayStyle != dsBar) return;
  RECT R = GetCaptionRect();
  if (AtSizeGrip()) R.right -= SizeGripWidth(GetCurrentDpi());
  if (R.right <= R.left || R.bottom <= R.top) return;
  Canvas.GetFont().Assign(GetFont());
  const int Percent = std::max(FValue, 0);
  if (FBarStyle == bsLED)
    DrawLEDBar(Canvas, R, FOrientation, Percent, FNumSegments, FBackColor, FBarColor);
  else
    DrawPercentBar(Canvas, R, FOrientation, FShowPercent, Percent, FBackColor, FBarColor);
}
