// The dark look on the message list, from the Theme value and Windows' own
// choice in the real registry: the list painted through WM_PRINTCLIENT (the
// routine of WM_PAINT) into a memory surface and read by pixels.
#include "core/BkOrlimo.h"
#include "core/LxOptFrm.h"
#include "CoreTestUtil.h"
#include "ThemeTestUtil.h"

#include "model/ThemeColors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

COLORREF Dark(int Index) { return *DarkSysColor(Index); }
COLORREF DarkKind(std::int32_t Kind) { return DarkKindColors[static_cast<std::size_t>(Kind)]; }

class ThemeTest : public ::testing::Test {
protected:
  void SetUp() override {
    SavedFonts = FOrlimoFonts;
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 420, 420);
    C = new TBkOrlimoComposite(Form.get(), &Clock);
    C->SetParent(Form.get());
    C->SetAlign(alClient);
    Form->Show();
    List = C->FLstMsgs;
    SetFocus(nullptr);  // rows without the focus rectangle
  }
  void TearDown() override {
    Form.reset();
    FOrlimoFonts = SavedFonts;
  }
  // Windows' value and the stored Theme, then the settings read as at start.
  void Load(std::optional<DWORD> AppsUseLightTheme, const char* Theme) {
    TThemeRegistry::SetAppsUseLightTheme(AppsUseLightTheme);
    Reg.SetTheme(std::string(Theme));
    C->LoadSettings();
  }
  std::unique_ptr<TSurface> Paint() {
    List->FlushChanges();
    auto S = std::make_unique<TSurface>(List->GetClientWidth(), List->GetClientHeight());
    SendMessageA(List->GetHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(S->DC()), PRF_CLIENT);
    return S;
  }
  RECT Row(int I) { return List->ItemRect(I); }
  // Whether the text of row I has a pixel of Color.
  bool TextHas(const TSurface& S, int I, COLORREF Color) {
    const RECT R = Row(I);
    for (int Y = R.top; Y < R.bottom; ++Y)
      if (S.RowHas(Y, 24, 120, Color)) return true;
    return false;
  }
  // The background right of every row's text.
  COLORREF Background(const TSurface& S) { return S.Pixel(S.Width() - 4, S.Height() - 4); }

  TThemeRegistry Reg{std::string(TBkOrlimoComposite::RegistryKey) + "\\View"};
  TOrlimoFonts SavedFonts;
  TManualClock Clock{0, 0};
  std::unique_ptr<TForm> Form;
  TBkOrlimoComposite* C = nullptr;
  TBkEditListBox* List = nullptr;
};

TEST_F(ThemeTest, FollowingWindowsTheListIsDarkWhenWindowsIsAndLightAgainWhenItChanges) {
  Load(0, "0");
  ASSERT_TRUE(IsDarkLook());
  EXPECT_EQ(C->GetTheme(), ThemeFollowWindows);
  C->AddMessage(lxmInfo, "WWWWWWWW", "a", "", 0, std::nullopt);
  C->AddMessage(lxmWarning, "WWWWWWWW", "a", "", 0, std::nullopt);
  C->AddSeparator("", 0);
  auto S = Paint();
  EXPECT_EQ(Background(*S), Dark(COLOR_WINDOW));
  EXPECT_TRUE(TextHas(*S, 0, DarkKind(lxmInfo)));
  EXPECT_FALSE(TextHas(*S, 0, RGB(0, 0, 0))) << "no black text on the dark background";
  EXPECT_TRUE(TextHas(*S, 1, DarkKind(lxmWarning)));
  const RECT Sep = Row(2);
  EXPECT_EQ(S->Pixel(2, Sep.top + (Sep.bottom - Sep.top) / 2), Dark(COLOR_BTNSHADOW));

  // Windows turns light: the same list in the system's colours.
  TThemeRegistry::SetAppsUseLightTheme(1);
  C->ApplyTheme();
  EXPECT_FALSE(IsDarkLook());
  auto L = Paint();
  EXPECT_EQ(Background(*L), Sys(COLOR_WINDOW));
  EXPECT_TRUE(TextHas(*L, 0, RGB(0, 0, 0)));
  EXPECT_FALSE(TextHas(*L, 1, DarkKind(lxmWarning)));
  // And dark again; a missing value is light.
  TThemeRegistry::SetAppsUseLightTheme(0);
  C->ApplyTheme();
  EXPECT_EQ(Background(*Paint()), Dark(COLOR_WINDOW));
  TThemeRegistry::SetAppsUseLightTheme(std::nullopt);
  C->ApplyTheme();
  EXPECT_EQ(Background(*Paint()), Sys(COLOR_WINDOW));
}

TEST_F(ThemeTest, LightAndDarkHoldWhateverWindowsChooses) {
  C->AddMessage(lxmInfo, "WWWWWWWW", "a", "", 0, std::nullopt);
  for (const std::optional<DWORD> Windows :
       {std::optional<DWORD>{0}, std::optional<DWORD>{1}, std::optional<DWORD>{}}) {
    SCOPED_TRACE(Windows ? static_cast<int>(*Windows) : -1);
    Load(Windows, "2");
    EXPECT_TRUE(IsDarkLook());
    EXPECT_EQ(C->GetTheme(), ThemeDark);
    auto D = Paint();
    EXPECT_EQ(Background(*D), Dark(COLOR_WINDOW));
    EXPECT_TRUE(TextHas(*D, 0, DarkKind(lxmInfo)));
    C->ApplyTheme();  // as when Windows' colours change
    EXPECT_TRUE(IsDarkLook());

    Load(Windows, "1");
    EXPECT_FALSE(IsDarkLook());
    EXPECT_EQ(C->GetTheme(), ThemeLight);
    auto L = Paint();
    EXPECT_EQ(Background(*L), Sys(COLOR_WINDOW));
    EXPECT_TRUE(TextHas(*L, 0, RGB(0, 0, 0)));
    C->ApplyTheme();
    EXPECT_FALSE(IsDarkLook());
  }
  // A value the settings never write follows Windows.
  Load(0, "5");
  EXPECT_TRUE(IsDarkLook());
  EXPECT_EQ(C->GetTheme(), ThemeFollowWindows);
}

TEST_F(ThemeTest, ColoursTheUserStoredAreDrawnAsStoredAndTheSelectionIsDark) {
  Load(1, "2");
  FOrlimoFonts[lxmError] = TOrlimoFontRec{false, clRed, 0};           // stored by the user
  FOrlimoFonts[lxmWarning] = TOrlimoFontRec{false, clWindowText, 0};  // its own entry, the default colour
  C->AddMessage(lxmError, "WWWWWWWW", "a", "", 0, std::nullopt);
  C->AddMessage(lxmWarning, "WWWWWWWW", "a", "", 0, std::nullopt);
  C->AddMessage(lxmCheckPoint, "WWWWWWWW", "a", "", 0, std::nullopt);
  List->SetSelected(2, true);
  auto S = Paint();
  EXPECT_TRUE(TextHas(*S, 0, RGB(255, 0, 0)));
  EXPECT_FALSE(TextHas(*S, 0, DarkKind(lxmError)));
  EXPECT_TRUE(TextHas(*S, 1, DarkKind(lxmWarning)));
  EXPECT_TRUE(TextHas(*S, 2, Dark(COLOR_HIGHLIGHT)));
  EXPECT_TRUE(TextHas(*S, 2, Dark(COLOR_HIGHLIGHTTEXT)));
  EXPECT_FALSE(TextHas(*S, 2, DarkKind(lxmCheckPoint))) << "selected text is highlight text";
  // A message font the user coloured is drawn in its colour too.
  FOrlimoFonts[0].Color = clBlue;
  EXPECT_TRUE(TextHas(*Paint(), 2, Dark(COLOR_HIGHLIGHTTEXT)));
  List->SetSelected(2, false);
  EXPECT_TRUE(TextHas(*Paint(), 2, RGB(0, 0, 255)));
}

TEST_F(ThemeTest, ThePanesTakeTheDarkTextAndTheStoredFontsKeepTheirColour) {
  Load(1, "1");
  EXPECT_EQ(C->FEdtStringList->GetFont().GetColor(), 0);
  C->SetTheme(ThemeDark);
  EXPECT_TRUE(IsDarkLook());
  EXPECT_EQ(C->FEdtStringList->GetFont().GetColor(), static_cast<TColor>(DarkKind(lxmInfo)));
  EXPECT_EQ(C->FEdtStream->GetFont().GetColor(), static_cast<TColor>(DarkKind(lxmInfo)));
  EXPECT_EQ(C->FGrdObject->GetFont().GetColor(), static_cast<TColor>(DarkKind(lxmInfo)));
  TMemorySettingsStore Saved;
  C->SaveSettingsTo(Saved);
  EXPECT_EQ(Saved.Values.at({"MsgFont", "Color"}), "0") << "what is saved stays the user's";
  EXPECT_EQ(Saved.Values.at({"View", "Theme"}), "2");
  // The memo answers WM_CTLCOLOREDIT with the dark colours.
  HDC DC = GetDC(C->FEdtStringList->GetHandle());
  SendMessageA(GetParent(C->FEdtStringList->GetHandle()), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(DC),
               reinterpret_cast<LPARAM>(C->FEdtStringList->GetHandle()));
  EXPECT_EQ(GetTextColor(DC), DarkKind(lxmInfo));
  EXPECT_EQ(GetBkColor(DC), Dark(COLOR_WINDOW));
  ReleaseDC(C->FEdtStringList->GetHandle(), DC);
  C->SetTheme(ThemeLight);
  EXPECT_EQ(C->FEdtStringList->GetFont().GetColor(), 0);
}

TEST_F(ThemeTest, ThePreferencesKindSampleShowsTheKindAsTheDarkListDoes) {
  Load(1, "2");
  TFrmPreferences D;
  D.Fill(*C);
  D.HandleNeeded();
  D.PrepareShow();
  ASSERT_EQ(D.SelectedKind(), lxmWarning);
  EXPECT_EQ(D.PnlKindSample->GetFont().GetColor(), static_cast<TColor>(DarkKind(lxmWarning)));
  // A colour the user picks shows as picked; the dialog's result is untouched.
  SendMessageA(D.ChkUseDefault->GetHandle(), BM_CLICK, 0, 0);
  D.CbxColor->SetSelectedColor(clRed);
  EXPECT_EQ(D.PnlKindSample->GetFont().GetColor(), clRed);
  D.CbxColor->SetSelectedColor(clWindowText);
  EXPECT_EQ(D.PnlKindSample->GetFont().GetColor(), static_cast<TColor>(DarkKind(lxmWarning)));
  EXPECT_EQ(D.KindStyles()[lxmWarning].Color, clWindowText);
  EXPECT_EQ(D.SampleFont(0).GetColor(), 0) << "the message font as stored";
}

// The font samples sit on the window colour: in the dark look a font colour
// never changed (black) shows in the dark look's text colour, readable on the
// dark face; a colour the user chose shows as chosen, and the fonts the
// dialog hands back keep their stored colours.
TEST_F(ThemeTest, ThePreferencesFontSamplesAreReadableInTheDarkLook) {
  Load(1, "2");
  ASSERT_TRUE(IsDarkLook());
  C->StreamFont().SetColor(clRed);
  TFrmPreferences D;
  D.Fill(*C);
  D.HandleNeeded();
  D.PrepareShow();
  const COLORREF Face = static_cast<COLORREF>(ColorToRGB(D.FSamples[0]->GetColor()));
  for (int I = 0; I < 2; ++I) {
    SCOPED_TRACE(I);
    const COLORREF Text =
        static_cast<COLORREF>(ColorToRGB(D.FSamples[static_cast<std::size_t>(I)]->GetFont().GetColor()));
    EXPECT_GE(ContrastRatio(Text, Face), MinTextContrast) << std::hex << Text << " on " << Face;
    EXPECT_EQ(D.SampleFont(I).GetColor(), 0) << "as stored";
  }
  EXPECT_EQ(D.FSamples[2]->GetFont().GetColor(), clRed);
  EXPECT_EQ(D.SampleFont(2).GetColor(), clRed);
  // In the light look the samples are the fonts themselves.
  C->SetTheme(ThemeLight);
  TFrmPreferences L;
  L.Fill(*C);
  EXPECT_EQ(L.FSamples[0]->GetFont().GetColor(), 0);
}

TEST_F(ThemeTest, AChoiceIsStoredAtOnce) {
  TThemeRegistry::SetAppsUseLightTheme(0);
  Reg.SetTheme(std::nullopt);
  C->LoadSettings();
  EXPECT_TRUE(IsDarkLook()) << "a missing value follows Windows";
  const std::pair<std::int32_t, const char*> Choices[] = {
      {ThemeLight, "1"}, {ThemeDark, "2"}, {ThemeFollowWindows, "0"}, {9, "0"}};
  for (const auto& [Theme, Stored] : Choices) {
    C->SetTheme(Theme);
    EXPECT_EQ(Reg.StoredTheme(), std::optional<std::string>(Stored)) << Theme;
    EXPECT_EQ(IsDarkLook(), Theme == ThemeDark || Theme != ThemeLight) << Theme;
  }
}

}  // namespace
