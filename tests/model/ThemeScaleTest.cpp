// The scaling rule for design pixels, and the contrast of the kind colours
// on the light and the dark background.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "model/DpiScale.h"
#include "model/Settings.h"
#include "model/ThemeColors.h"

namespace {

struct TScaleCase {
  int Design;
  int At120, At144, At168, At192;
};

TEST(ScaleForDpi, RoundsHalvesAwayFromZeroAtTheUsualScales) {
  // 120 = 125 %, 144 = 150 %, 168 = 175 %, 192 = 200 %.
  const TScaleCase Cases[] = {
      {1, 1, 2, 2, 2},           // 1.25 -> 1, 1.5 -> 2, 1.75 -> 2
      {2, 3, 3, 4, 4},           // 2.5 -> 3 (a half goes up), 3 -> 3, 3.5 -> 4
      {3, 4, 5, 5, 6},           // 3.75, 4.5, 5.25
      {11, 14, 17, 19, 22},      // 13.75, 16.5, 19.25: the kind icons' height
      {14, 18, 21, 25, 28},      // 17.5, 21, 24.5
      {18, 23, 27, 32, 36},      // 22.5, 27, 31.5: the glyphs
      {25, 31, 38, 44, 50},      // 31.25, 37.5, 43.75: toolbar buttons
      {265, 331, 398, 464, 530}  // 331.25, 397.5, 463.75
  };
  for (const TScaleCase& C : Cases) {
    SCOPED_TRACE(C.Design);
    EXPECT_EQ(ScaleForDpi(C.Design, 96), C.Design);
    EXPECT_EQ(ScaleForDpi(C.Design, 120), C.At120);
    EXPECT_EQ(ScaleForDpi(C.Design, 144), C.At144);
    EXPECT_EQ(ScaleForDpi(C.Design, 168), C.At168);
    EXPECT_EQ(ScaleForDpi(C.Design, 192), C.At192);
    // Negative sizes (offsets to the left or up) mirror the positive ones.
    for (int Dpi : {96, 120, 144, 168, 192}) EXPECT_EQ(ScaleForDpi(-C.Design, Dpi), -ScaleForDpi(C.Design, Dpi)) << Dpi;
  }
}

TEST(ScaleForDpi, IsIdenticalAt96AndWhenTheDpiIsNotKnown) {
  for (int V : {0, 1, -1, 7, -7, 1000, INT_MAX, INT_MIN}) {
    EXPECT_EQ(ScaleForDpi(V, 96), V);
    EXPECT_EQ(ScaleForDpi(V, 0), V);
    EXPECT_EQ(ScaleForDpi(V, -144), V);
  }
}

TEST(ScaleForDpi, NeverMakesANonZeroSizeZero) {
  for (int Dpi : {1, 24, 47, 48, 72, 95}) {
    SCOPED_TRACE(Dpi);
    EXPECT_EQ(ScaleForDpi(0, Dpi), 0);
    EXPECT_EQ(ScaleForDpi(1, Dpi), 1);
    EXPECT_EQ(ScaleForDpi(-1, Dpi), -1);
  }
  EXPECT_EQ(ScaleForDpi(3, 48), 2);  // 1.5 rounds away from zero
  EXPECT_EQ(ScaleForDpi(-3, 48), -2);
  EXPECT_EQ(ScaleForDpi(100, 72), 75);
}

TEST(ScaleForDpi, ClampsWhatIntCannotHold) {
  EXPECT_EQ(ScaleForDpi(INT_MAX, 192), INT_MAX);
  EXPECT_EQ(ScaleForDpi(INT_MIN, 192), -INT_MAX);
  EXPECT_EQ(ScaleForDpi(INT_MAX / 2, 192), INT_MAX - 1);
  EXPECT_EQ(ScaleForDpi(1'000'000, 480), 5'000'000);
}

TEST(ContrastRatio, FollowsTheRelativeLuminanceOfSrgb) {
  EXPECT_DOUBLE_EQ(RelativeLuminance(RgbColor(0, 0, 0)), 0.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(RgbColor(255, 255, 255)), 1.0);
  // Green weighs most, blue least: the channels are read in 0x00BBGGRR order.
  EXPECT_NEAR(RelativeLuminance(RgbColor(255, 0, 0)), 0.2126, 1e-9);
  EXPECT_NEAR(RelativeLuminance(RgbColor(0, 255, 0)), 0.7152, 1e-9);
  EXPECT_NEAR(RelativeLuminance(RgbColor(0, 0, 255)), 0.0722, 1e-9);
  EXPECT_NEAR(RelativeLuminance(0xFF000000u | RgbColor(0, 0, 255)), 0.0722, 1e-9);
  // The linear segment near black and the power curve above it.
  EXPECT_NEAR(RelativeLuminance(RgbColor(10, 10, 10)), 10 / 255.0 / 12.92, 1e-12);
  EXPECT_NEAR(RelativeLuminance(RgbColor(128, 128, 128)), 0.2158605, 1e-6);

  EXPECT_DOUBLE_EQ(ContrastRatio(RgbColor(0, 0, 0), RgbColor(255, 255, 255)), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(RgbColor(255, 255, 255), RgbColor(0, 0, 0)), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(RgbColor(30, 60, 90), RgbColor(30, 60, 90)), 1.0);
  // Known values: grey 0x777777 on white just misses 4.5, 0x767676 reaches it.
  EXPECT_LT(ContrastRatio(RgbColor(0x77, 0x77, 0x77), RgbColor(255, 255, 255)), 4.5);
  EXPECT_GE(ContrastRatio(RgbColor(0x76, 0x76, 0x76), RgbColor(255, 255, 255)), 4.5);
}

TEST(ThemeRgb, ResolvesTheWindowColoursOfTheLookAndLeavesRgbAsItIs) {
  EXPECT_EQ(ThemeRgb(SettingsWindowTextColor, LightThemeColors), RgbColor(0, 0, 0));
  EXPECT_EQ(ThemeRgb(SettingsWindowTextColor, DarkThemeColors), DarkThemeColors.WindowText);
  EXPECT_EQ(ThemeRgb(SettingsSysColor(5), DarkThemeColors), DarkThemeColors.Window);
  EXPECT_EQ(ThemeRgb(0x0080FF, DarkThemeColors), 0x0080FFu);
  EXPECT_EQ(ThemeRgb(0, LightThemeColors), 0u);
  EXPECT_EQ(ThemeRgb(SettingsSysColor(13), LightThemeColors), std::nullopt);
}

// The colour each kind 0..10 is drawn in with the settings' defaults (an
// empty store), as RGB in the light look.
std::array<std::uint32_t, IconKindCount> DefaultKindRgb() {
  TMemorySettingsStore Empty;
  TOrlimoSettings Settings;
  TOrlimoKindStyles Styles{};
  ReadSettings(Empty, Settings, Styles);
  std::array<std::uint32_t, IconKindCount> Rgb{};
  for (std::size_t Kind = 0; Kind < IconKindCount; ++Kind) {
    const auto Color = ThemeRgb(KindColorStyle(Styles, static_cast<std::int32_t>(Kind)).Color, LightThemeColors);
    EXPECT_TRUE(Color.has_value()) << "kind " << Kind;
    Rgb[Kind] = Color.value_or(0);
  }
  return Rgb;
}

TEST(KindColors, EveryDefaultIsReadableOnTheLightBackground) {
  const auto Defaults = DefaultKindRgb();
  for (std::size_t Kind = 0; Kind < IconKindCount; ++Kind)
    EXPECT_GE(ContrastRatio(Defaults[Kind], LightThemeColors.Window), MinTextContrast) << "kind " << Kind;
}

TEST(KindColors, TheLightDefaultsFailOnTheDarkBackgroundAndTheDarkPaletteReplacesThem) {
  // The light defaults are the window-text colour: black, unreadable on the
  // dark background. Which fail is reported, so a change of the defaults
  // shows here.
  const auto Defaults = DefaultKindRgb();
  std::string Failing;
  for (std::size_t Kind = 0; Kind < IconKindCount; ++Kind) {
    const double Ratio = ContrastRatio(Defaults[Kind], DarkThemeColors.Window);
    if (Ratio < MinTextContrast) {
      char Line[80];
      std::snprintf(Line, sizeof Line, "kind %zu #%06X %.2f; ", Kind, static_cast<unsigned>(Defaults[Kind]), Ratio);
      Failing += Line;
    }
  }
  std::printf("light defaults below %.1f on the dark background: %s\n", MinTextContrast, Failing.c_str());
  EXPECT_FALSE(Failing.empty());

  for (std::size_t Kind = 0; Kind < IconKindCount; ++Kind) {
    SCOPED_TRACE(Kind);
    EXPECT_GE(ContrastRatio(DarkKindColors[Kind], DarkThemeColors.Window), MinTextContrast);
    EXPECT_EQ(DarkKindColors[Kind] & 0xFF000000u, 0u);
  }
  EXPECT_GE(ContrastRatio(DarkThemeColors.WindowText, DarkThemeColors.Window), MinTextContrast);
  // The kinds a reader must tell apart at a glance differ from plain text.
  EXPECT_NE(DarkKindColors[lxmWarning], DarkKindColors[lxmInfo]);
  EXPECT_NE(DarkKindColors[lxmError], DarkKindColors[lxmInfo]);
  EXPECT_NE(DarkKindColors[lxmError], DarkKindColors[lxmWarning]);
}

TEST(DarkSysColor, EveryTextColourIsReadableOnTheBackgroundsItIsDrawnOn) {
  namespace S = SysColorIndex;
  struct {
    int Text, Back;
  } const Pairs[] = {
      {S::WindowText, S::Window}, {S::BtnText, S::BtnFace}, {S::HighlightText, S::Highlight}, {S::GrayText, S::Window},
      {S::GrayText, S::BtnFace},  {S::InfoText, S::InfoBk}, {S::WindowText, S::AppWorkspace}, {S::BtnText, S::Window},
  };
  for (const auto& P : Pairs) {
    SCOPED_TRACE(testing::Message() << "text " << P.Text << " on " << P.Back);
    const auto Text = DarkSysColor(P.Text), Back = DarkSysColor(P.Back);
    ASSERT_TRUE(Text && Back);
    EXPECT_GE(ContrastRatio(*Text, *Back), MinTextContrast);
    // Dark: every background is well below middle grey (0.18).
    EXPECT_LT(RelativeLuminance(*Back), 0.1);
  }
  // The window colours are the look's.
  EXPECT_EQ(DarkSysColor(S::Window), DarkThemeColors.Window);
  EXPECT_EQ(DarkSysColor(S::WindowText), DarkThemeColors.WindowText);
  // A line in the shadow colour shows on the window, and the 3D edges keep
  // their order from dark to light.
  EXPECT_GE(ContrastRatio(*DarkSysColor(S::BtnShadow), DarkThemeColors.Window), 2.0);
  EXPECT_LT(RelativeLuminance(*DarkSysColor(S::DkShadow3D)), RelativeLuminance(*DarkSysColor(S::BtnFace)));
  EXPECT_LT(RelativeLuminance(*DarkSysColor(S::BtnFace)), RelativeLuminance(*DarkSysColor(S::Light3D)));
  EXPECT_LT(RelativeLuminance(*DarkSysColor(S::BtnShadow)), RelativeLuminance(*DarkSysColor(S::BtnHighlight)));
  // Captions, menus, scroll bars and the desktop stay the system's.
  for (int Index : {0, 1, 2, 3, 4, 7, 9, 10, 11, 19, 25, 26, 27, 28, 29, 30, -1, 31})
    EXPECT_EQ(DarkSysColor(Index), std::nullopt) << Index;
}

TEST(IsDarkTheme, FollowsWindowsOnlyWhenTheSettingSaysSo) {
  // Follow Windows: AppsUseLightTheme 0 is dark, anything else or missing light.
  EXPECT_TRUE(IsDarkTheme(ThemeFollowWindows, 0u));
  EXPECT_FALSE(IsDarkTheme(ThemeFollowWindows, 1u));
  EXPECT_FALSE(IsDarkTheme(ThemeFollowWindows, 2u));
  EXPECT_FALSE(IsDarkTheme(ThemeFollowWindows, std::nullopt));
  for (auto Windows :
       {std::optional<std::uint32_t>{0u}, std::optional<std::uint32_t>{1u}, std::optional<std::uint32_t>{}}) {
    EXPECT_FALSE(IsDarkTheme(ThemeLight, Windows));
    EXPECT_TRUE(IsDarkTheme(ThemeDark, Windows));
    // A value the settings never write follows Windows.
    EXPECT_EQ(IsDarkTheme(7, Windows), IsDarkTheme(ThemeFollowWindows, Windows));
  }
}

TEST(ThemeKindColor, ReplacesOnlyTheDefaultColoursInTheDarkLook) {
  const std::int32_t Defaults[] = {0, SettingsWindowTextColor};
  for (std::int32_t Kind = 0; Kind < static_cast<std::int32_t>(IconKindCount); ++Kind) {
    SCOPED_TRACE(Kind);
    for (std::int32_t D : Defaults) {
      EXPECT_EQ(ThemeKindColor(Kind, D, false), D);
      EXPECT_EQ(ThemeKindColor(Kind, D, true),
                static_cast<std::int32_t>(DarkKindColors[static_cast<std::size_t>(Kind)]));
    }
    // Colours the user stored are drawn as stored, system colours too.
    for (std::int32_t Stored : {0x0000FF, 0x010101, 0xFFFFFF, SettingsSysColor(5), SettingsSysColor(13)}) {
      EXPECT_EQ(ThemeKindColor(Kind, Stored, true), Stored);
      EXPECT_EQ(ThemeKindColor(Kind, Stored, false), Stored);
    }
  }
  // The columns beside the text (no kind) and kinds out of range take kind 0's.
  EXPECT_EQ(ThemeKindColor(-1, 0, true), static_cast<std::int32_t>(DarkKindColors[0]));
  EXPECT_EQ(ThemeKindColor(lxmSeparator, 0, true), static_cast<std::int32_t>(DarkKindColors[0]));
  EXPECT_EQ(ThemeKindColor(1000, SettingsWindowTextColor, true), static_cast<std::int32_t>(DarkKindColors[0]));
  // Every kind's default, as the settings' defaults give it, is readable in the dark look.
  TMemorySettingsStore Empty;
  TOrlimoSettings Settings;
  TOrlimoKindStyles Styles{};
  ReadSettings(Empty, Settings, Styles);
  for (std::int32_t Kind = 0; Kind < static_cast<std::int32_t>(IconKindCount); ++Kind) {
    const auto Shown = ThemeKindColor(Kind, KindColorStyle(Styles, Kind).Color, true);
    EXPECT_GE(ContrastRatio(static_cast<std::uint32_t>(Shown), DarkThemeColors.Window), MinTextContrast) << Kind;
  }
}

}  // namespace
