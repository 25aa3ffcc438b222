// The about box (layout, keys, its picture) and the help command's choice
// between the help file, the help page and a message.
#include "core/LxAbtFrm.h"
#include "core/LxHelp.h"
#include "core/LxOptFrm.h"
#include "CoreTestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(AboutBox, IsAFixedDialogWithPictureAndOkButton) {
  TFrmAbout D;
  EXPECT_EQ(D.GetCaption(), "About");
  EXPECT_EQ(D.GetClientWidth(), 361);
  EXPECT_EQ(D.GetClientHeight(), 198);
  EXPECT_EQ(D.Image->GetWidth(), 346);
  EXPECT_EQ(D.Image->GetHeight(), 151);
  EXPECT_EQ(D.BtnOK->GetCaption(), "OK");
  EXPECT_EQ(D.BtnOK->GetModalResult(), mrOk);
  // Inside the client area, below the picture.
  EXPECT_GE(D.BtnOK->GetTop(), D.Image->GetTop() + D.Image->GetHeight());
  EXPECT_LE(D.BtnOK->GetTop() + D.BtnOK->GetHeight(), 198);
  EXPECT_LE(D.Image->GetLeft() + D.Image->GetWidth(), 361);
  const LONG Style = GetWindowLongA(D.GetHandle(), GWL_STYLE);
  EXPECT_FALSE(Style & WS_THICKFRAME) << "fixed size";
  EXPECT_FALSE(Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(Style & WS_SYSMENU);
}

// The about box's texts are drawn by its picture in Arial, beside the band;
// the dialog's font only reaches the OK button. Both fit, also with a wider
// dialog font, and the layout stays the designed one.
TEST(AboutBox, ItsTextsFitWhateverTheDialogFont) {
  TFrmAbout D;
  D.GetFont().SetName("Courier New");
  D.GetFont().SetHeight(-16);
  EXPECT_EQ(D.Image->GetLeft(), 8);
  EXPECT_EQ(D.Image->GetTop(), 8);
  EXPECT_EQ(D.BtnOK->GetLeft(), 143);
  EXPECT_EQ(D.BtnOK->GetTop(), 166);
  TCanvas& Canvas = D.Image->GetCanvas();
  auto Extent = [&](const char* Text, int Height, bool Bold) {
    Canvas.GetFont().SetName("Arial");
    Canvas.GetFont().SetHeight(Height);
    Canvas.GetFont().SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{0});
    return Canvas.TextWidth(Text);
  };
  const int X = TLxAboutPicture::BandWidth + 18;
  EXPECT_LT(X + Extent(TLxAboutPicture::Title, -34, true), D.Image->GetWidth() - 8);
  EXPECT_LT(X + 2 + Extent(TLxAboutPicture::Subtitle, -14, false), D.Image->GetWidth() - 8);
  EXPECT_LT(X + 2 + Extent(TLxAboutPicture::Version, -14, false), D.Image->GetWidth() - 8);
  Canvas.SetFont(D.BtnOK->GetFont());
  EXPECT_EQ(D.BtnOK->GetFont().GetName(), "Courier New");
  EXPECT_LT(Canvas.TextWidth("OK"), D.BtnOK->GetWidth() - 8);
}

TEST(AboutBox, EnterAndEscapeCloseIt) {
  for (WPARAM K : {VK_RETURN, VK_ESCAPE}) {
    TModalAnswer Answer([K](TCustomForm& F) {
      HWND Target = GetFocus();
      if (!Target || !IsChild(F.GetHandle(), Target)) Target = F.GetHandle();
      PostMessageA(Target, WM_KEYDOWN, K, 1);
    });
    TFrmAbout D;
    EXPECT_EQ(D.ShowModal(), mrOk) << K;
    EXPECT_EQ(Answer.Shown, 1);
  }
}

TEST(AboutBox, PictureShowsTheBandTheMarkAndTheName) {
  TFrmAbout D;
  TLxAboutPicture& P = *D.Image;
  D.HandleNeeded();
  TSurface S(P.GetWidth(), P.GetHeight());
  P.PaintTo(S.DC(), 0, 0);
  auto C = [](TColor V) { return static_cast<COLORREF>(V); };
  // The band: the title blue at the top, its light shade near the bottom, a frame around.
  EXPECT_EQ(S.Pixel(1, 1), C(TLxAboutPicture::BandTop));
  const COLORREF Low = S.Pixel(1, P.GetHeight() - 2);
  EXPECT_NEAR(GetBValue(Low), (TLxAboutPicture::BandBottom >> 16) & 0xFF, 4);
  EXPECT_EQ(S.Pixel(0, 0), Sys(COLOR_BTNSHADOW));
  // The mark: its frame, its page and the first row's info mark (design cell 3, 8).
  const POINT O = P.MarkOrigin();
  const int K = TLxAboutPicture::Scale;
  EXPECT_EQ(S.Pixel(O.x + 1 * K, O.y + 2 * K), RGB(0x20, 0x20, 0x20));
  EXPECT_EQ(S.Pixel(O.x + 2 * K, O.y + 7 * K), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(S.Pixel(O.x + 3 * K + 1, O.y + 8 * K + 1), RGB(0x2E, 0x78, 0xD8));
  EXPECT_EQ(S.Pixel(O.x + 7 * K + 1, O.y + 17 * K + 1), RGB(0xD0, 0x20, 0x20)) << "the error mark, indented";
  // The name: blue text right of the band, on the window colour.
  bool Name = false;
  for (int Y = 20; Y < 70 && !Name; ++Y)
    Name = S.RowHas(Y, TLxAboutPicture::BandWidth, P.GetWidth() - 1, C(TLxAboutPicture::BandTop));
  EXPECT_TRUE(Name);
  EXPECT_EQ(S.Pixel(P.GetWidth() - 3, P.GetHeight() - 3), Sys(COLOR_WINDOW));
}

// A folder of its own for each case, removed afterwards.
class HelpTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, Tmp);
    Dir = std::string(Tmp) + "orlimo-help-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(Dir.c_str(), nullptr);
    LxHelp::SetHelpCommandHook([this](UINT Command, ULONG_PTR Data) {
      Calls.push_back("help " + std::to_string(Command) + " " + std::to_string(Data) + " " +
                      Application->GetHelpFile());
      return HelpWorks;
    });
    LxHelp::SetOpenDocumentHook([this](const std::string& File, const std::string& Section) {
      Calls.push_back("open " + File + "#" + Section);
      return PageOpens;
    });
    Application->OnMessageBox = [this](const std::string& Text, const std::string& Caption, UINT) {
      Calls.push_back("box " + Caption + ": " + Text);
      return IDOK;
    };
    Application->SetHelpFile("Before.hlp");
  }
  void TearDown() override {
    LxHelp::SetHelpCommandHook(nullptr);
    LxHelp::SetOpenDocumentHook(nullptr);
    Application->OnMessageBox = nullptr;
    Application->SetHelpFile("");
    for (const char* N : {LxHelp::HelpFileName, LxHelp::HelpPageName}) DeleteFileA((Dir + N).c_str());
    RemoveDirectoryA(Dir.c_str());
  }
  void Put(const char* Name) {
    FILE* F = std::fopen((Dir + Name).c_str(), "wb");
    ASSERT_NE(F, nullptr);
    std::fclose(F);
  }

  std::string Dir;
  std::vector<std::string> Calls;
  bool HelpWorks = true;
  bool PageOpens = true;
};

TEST_F(HelpTest, TheHelpFileGoesToTheHelpSystemWithTheHelpFileNameRestored) {
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpFileName));
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpPageName));
  EXPECT_EQ(LxHelp::ShowHelpContents(Dir), LxHelp::THelpShown::HelpFile);
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0], "help 3 0 " + Dir + "Orlimo.hlp");
  EXPECT_EQ(Application->GetHelpFile(), "Before.hlp");
  // Also when the help system throws.
  LxHelp::SetHelpCommandHook([](UINT, ULONG_PTR) -> bool { throw std::runtime_error("gone"); });
  EXPECT_THROW(LxHelp::ShowHelpContents(Dir), std::runtime_error);
  EXPECT_EQ(Application->GetHelpFile(), "Before.hlp");
}

TEST_F(HelpTest, WithoutTheHelpFileThePageIsOpened) {
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpPageName));
  EXPECT_EQ(LxHelp::ShowHelpContents(Dir), LxHelp::THelpShown::HelpPage);
  EXPECT_EQ(Calls, std::vector<std::string>{"open " + Dir + "Orlimo.html#contents"});
}

TEST_F(HelpTest, ThePreferencesHelpOpensThePageAtItsSection) {
  // The preferences dialog's Help looks next to the program: this test's folder.
  const std::string Page = LxHelp::ProgramDirectory() + LxHelp::HelpPageName;
  ASSERT_EQ(GetFileAttributesA(Page.c_str()), INVALID_FILE_ATTRIBUTES) << "no page beside the tests";
  const std::string Saved = Dir;
  Dir = LxHelp::ProgramDirectory();
  HelpWorks = false;  // were a help file there, the page would still be opened
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpPageName));
  {
    TFrmPreferences D;
    D.HelpClick();
  }
  DeleteFileA(Page.c_str());
  Dir = Saved;
  ASSERT_FALSE(Calls.empty());
  EXPECT_EQ(Calls.back(), "open " + Page + "#preferences");
}

TEST(Help, ThePageUrlKeepsTheSectionAndEscapesTheName) {
  EXPECT_EQ(LxHelp::PageUrl("C:\\Program Files\\Orlimo\\Orlimo.html", "preferences"),
            "file:///C:/Program%20Files/Orlimo/Orlimo.html#preferences");
  EXPECT_EQ(LxHelp::PageUrl("C:\\A#1\\Orlimo.html", ""), "file:///C:/A%231/Orlimo.html");
}

TEST_F(HelpTest, AHelpSystemThatFailsFallsBackToThePage) {
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpFileName));
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpPageName));
  HelpWorks = false;
  EXPECT_EQ(LxHelp::ShowHelpContents(Dir), LxHelp::THelpShown::HelpPage);
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[1], "open " + Dir + "Orlimo.html#contents");
  EXPECT_EQ(Application->GetHelpFile(), "Before.hlp");
}

TEST_F(HelpTest, NothingToOpenIsSaidInAMessage) {
  EXPECT_EQ(LxHelp::ShowHelpContents(Dir), LxHelp::THelpShown::Nothing);
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].rfind("box Orlimo: The help for Orlimo cannot be shown.", 0), 0u) << Calls[0];
  EXPECT_NE(Calls[0].find("Neither \"Orlimo.hlp\" nor \"Orlimo.html\" was found in \"" + Dir + "\""), std::string::npos)
      << Calls[0];

  // A page that no program opens.
  Calls.clear();
  ASSERT_NO_FATAL_FAILURE(Put(LxHelp::HelpPageName));
  PageOpens = false;
  EXPECT_EQ(LxHelp::ShowHelpContents(Dir), LxHelp::THelpShown::Nothing);
  ASSERT_EQ(Calls.size(), 2u);
  // The box says where the page is, to open it by hand.
  EXPECT_NE(Calls[1].find("It is the file \"" + Dir + "Orlimo.html\": open it in a web browser."), std::string::npos)
      << Calls[1];
}

TEST(Help, TheProgramDirectoryIsTheTestProgramsFolder) {
  char Path[MAX_PATH];
  GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Expected(Path);
  Expected.erase(Expected.find_last_of('\\') + 1);
  EXPECT_EQ(LxHelp::ProgramDirectory(), Expected);
}

}  // namespace
