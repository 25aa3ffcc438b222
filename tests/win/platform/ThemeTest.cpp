// The process-wide look: system colours in the dark look, GDI objects made
// again after a switch, windows repainted, Windows' own choice read from the
// real registry.
#include "platform/Forms.h"
#include "platform/Theme.h"

#include "model/ThemeColors.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// The look is light again after each test, whatever it checked.
class LookTest : public ::testing::Test {
protected:
  void TearDown() override { SetDarkLook(false); }
};

TEST_F(LookTest, SystemColoursTakeTheDarkValuesOnlyWhileTheDarkLookIsOn) {
  ASSERT_FALSE(IsDarkLook());
  EXPECT_EQ(ColorToRGB(clWindow), ::GetSysColor(COLOR_WINDOW));
  const unsigned Before = LookGeneration();
  EXPECT_TRUE(SetDarkLook(true));
  EXPECT_FALSE(SetDarkLook(true)) << "no change, nothing to do";
  EXPECT_EQ(LookGeneration(), Before + 1);
  struct {
    TColor Color;
    int Index;
  } const Mapped[] = {{clWindow, COLOR_WINDOW},
                      {clWindowText, COLOR_WINDOWTEXT},
                      {clBtnFace, COLOR_BTNFACE},
                      {clBtnShadow, COLOR_BTNSHADOW},
                      {clBtnHighlight, COLOR_BTNHIGHLIGHT},
                      {clBtnText, COLOR_BTNTEXT},
                      {clHighlight, COLOR_HIGHLIGHT},
                      {clHighlightText, COLOR_HIGHLIGHTTEXT},
                      {clGrayText, COLOR_GRAYTEXT},
                      {clInfoBk, COLOR_INFOBK},
                      {clInfoText, COLOR_INFOTEXT},
                      {clAppWorkSpace, COLOR_APPWORKSPACE},
                      {cl3DDkShadow, COLOR_3DDKSHADOW},
                      {cl3DLight, COLOR_3DLIGHT},
                      {clWindowFrame, COLOR_WINDOWFRAME}};
  for (const auto& M : Mapped) {
    SCOPED_TRACE(M.Index);
    ASSERT_TRUE(DarkSysColor(M.Index).has_value());
    EXPECT_EQ(ColorToRGB(M.Color), *DarkSysColor(M.Index));
    EXPECT_EQ(LookSysColor(M.Index), *DarkSysColor(M.Index));
  }
  EXPECT_EQ(ColorToRGB(clWindow), RGB(30, 30, 30));
  // Menus and captions stay the system's, plain colours pass through.
  EXPECT_EQ(ColorToRGB(clMenu), ::GetSysColor(COLOR_MENU));
  EXPECT_EQ(ColorToRGB(clActiveCaption), ::GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(ColorToRGB(clPurple), RGB(128, 0, 128));
  EXPECT_TRUE(SetDarkLook(false));
  EXPECT_EQ(ColorToRGB(clBtnFace), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(LookGeneration(), Before + 2);
}

COLORREF BrushColor(HBRUSH Brush) {
  LOGBRUSH L{};
  GetObjectA(Brush, sizeof L, &L);
  return L.lbColor;
}
COLORREF PenColor(HPEN Pen) {
  LOGPEN L{};
  GetObjectA(Pen, sizeof L, &L);
  return L.lopnColor;
}

TEST_F(LookTest, BrushesAndPensOfSystemColoursAreMadeAgainAfterASwitch) {
  TBrush Window, Red;
  Window.SetColor(clWindow);
  Red.SetColor(clRed);
  TPen Shadow;
  Shadow.SetColor(clBtnShadow);
  EXPECT_EQ(BrushColor(Window.GetHandle()), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PenColor(Shadow.GetHandle()), ::GetSysColor(COLOR_BTNSHADOW));
  const HBRUSH RedBefore = Red.GetHandle();
  SetDarkLook(true);
  EXPECT_EQ(BrushColor(Window.GetHandle()), *DarkSysColor(COLOR_WINDOW));
  EXPECT_EQ(PenColor(Shadow.GetHandle()), *DarkSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Red.GetHandle(), RedBefore) << "a plain colour keeps its brush";
  SetDarkLook(false);
  EXPECT_EQ(BrushColor(Window.GetHandle()), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(LookTest, ASwitchRepaintsEveryWindowAndTheirBackgroundsFollow) {
  TForm Form(nullptr);
  Form.SetBounds(10, 10, 200, 150);
  Form.SetColor(clBtnFace);
  auto* Child = new TWinControl(&Form);
  Child->SetParent(&Form);
  Child->SetBounds(10, 10, 50, 50);
  Child->SetColor(clWindow);
  Form.Show();
  HWND Wnd = Form.GetHandle();
  ValidateRect(Wnd, nullptr);
  ValidateRect(Child->GetHandle(), nullptr);
  ASSERT_FALSE(GetUpdateRect(Wnd, nullptr, FALSE));
  SetDarkLook(true);
  EXPECT_TRUE(GetUpdateRect(Wnd, nullptr, FALSE));
  EXPECT_TRUE(GetUpdateRect(Child->GetHandle(), nullptr, FALSE));

  // The erase fills with the control's colour in the look.
  HDC Screen = GetDC(nullptr);
  HDC DC = CreateCompatibleDC(Screen);
  HBITMAP Bmp = CreateCompatibleBitmap(Screen, 8, 8);
  HGDIOBJ Old = SelectObject(DC, Bmp);
  SendMessageA(Child->GetHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  EXPECT_EQ(GetPixel(DC, 2, 2), *DarkSysColor(COLOR_WINDOW));
  SendMessageA(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  EXPECT_EQ(GetPixel(DC, 2, 2), *DarkSysColor(COLOR_BTNFACE));
  SetDarkLook(false);
  SendMessageA(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  EXPECT_EQ(GetPixel(DC, 2, 2), GetNearestColor(DC, ::GetSysColor(COLOR_BTNFACE)));
  SelectObject(DC, Old);
  DeleteObject(Bmp);
  DeleteDC(DC);
  ReleaseDC(nullptr, Screen);

  // A form made in the dark look gets its title bar (or nothing, where the
  // system has no such attribute) without failing.
  SetDarkLook(true);
  TForm Later(nullptr);
  Later.Show();
  ApplyTitleBarLook(Later.GetHandle());
  ApplyTitleBarLook(nullptr);
}

TEST(WindowsLook, AppsUseLightThemeIsReadAsADword) {
  constexpr const char* Path = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
  HKEY Key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &Key, nullptr),
            ERROR_SUCCESS);
  DWORD Saved = 0, Size = sizeof Saved, Type = 0;
  const bool HadValue = RegQueryValueExA(Key, "AppsUseLightTheme", nullptr, &Type, reinterpret_cast<BYTE*>(&Saved),
                                         &Size) == ERROR_SUCCESS &&
                        Type == REG_DWORD;
  auto SetDword = [&](DWORD V) {
    RegSetValueExA(Key, "AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&V), sizeof V);
  };
  RegDeleteValueA(Key, "AppsUseLightTheme");
  EXPECT_EQ(WindowsAppsUseLightTheme(), std::nullopt);
  SetDword(0);
  EXPECT_EQ(WindowsAppsUseLightTheme(), 0u);
  SetDword(1);
  EXPECT_EQ(WindowsAppsUseLightTheme(), 1u);
  RegSetValueExA(Key, "AppsUseLightTheme", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
  EXPECT_EQ(WindowsAppsUseLightTheme(), std::nullopt) << "only a DWORD counts";
  if (HadValue)
    SetDword(Saved);
  else
    RegDeleteValueA(Key, "AppsUseLightTheme");
  RegCloseKey(Key);

  EXPECT_TRUE(IsColorSetChange(reinterpret_cast<LPARAM>("ImmersiveColorSet")));
  EXPECT_FALSE(IsColorSetChange(reinterpret_cast<LPARAM>("Policy")));
  EXPECT_FALSE(IsColorSetChange(reinterpret_cast<LPARAM>("immersivecolorset ")));
  EXPECT_FALSE(IsColorSetChange(0));
}

}  // namespace
