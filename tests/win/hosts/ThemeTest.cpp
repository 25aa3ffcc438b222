// View > Theme and following Windows: the stored Theme value and Windows'
// "AppsUseLightTheme" in the real registry, the colour-set broadcast sent to
// the main form, and the message list read by pixels (painted through
// WM_PRINTCLIENT, the routine of WM_PAINT).
#include "MainFormTestUtil.h"

#include "../core/ThemeTestUtil.h"

#include "model/ThemeColors.h"

namespace {

COLORREF DarkWindow() { return *DarkSysColor(COLOR_WINDOW); }

// The message list painted into a memory bitmap.
class TListPixels {
public:
  explicit TListPixels(TBkOrlimoComposite& Viewer) {
    Viewer.FLstMsgs->FlushChanges();
    HWND Wnd = Viewer.FLstMsgs->GetHandle();
    RECT R{};
    GetClientRect(Wnd, &R);
    FWidth = R.right;
    FHeight = R.bottom;
    HDC Screen = GetDC(nullptr);
    FDC = CreateCompatibleDC(Screen);
    FBmp = CreateCompatibleBitmap(Screen, FWidth, FHeight);
    ReleaseDC(nullptr, Screen);
    FOld = SelectObject(FDC, FBmp);
    SendMessageA(Wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(FDC), PRF_CLIENT);
    FRow0 = Viewer.FLstMsgs->ItemRect(0);
  }
  ~TListPixels() {
    SelectObject(FDC, FOld);
    DeleteObject(FBmp);
    DeleteDC(FDC);
  }
  TListPixels(const TListPixels&) = delete;
  TListPixels& operator=(const TListPixels&) = delete;

  COLORREF Background() const { return GetPixel(FDC, FWidth - 4, FHeight - 4); }
  // Whether the first row's text has a pixel of Color.
  bool FirstRowHas(COLORREF Color) const {
    for (int Y = FRow0.top; Y < FRow0.bottom; ++Y)
      for (int X = 24; X < 120; ++X)
        if (GetPixel(FDC, X, Y) == Color) return true;
    return false;
  }

private:
  int FWidth = 0, FHeight = 0;
  HDC FDC = nullptr;
  HBITMAP FBmp = nullptr;
  HGDIOBJ FOld = nullptr;
  RECT FRow0{};
};

class ThemeMenuTest : public MainFormTest {
protected:
  void MakeWith(std::optional<DWORD> AppsUseLightTheme, const char* Theme) {
    TThemeRegistry::SetAppsUseLightTheme(AppsUseLightTheme);
    ASSERT_NO_FATAL_FAILURE(Make({}, {{"Theme", Theme}}));
    Add(lxmInfo, "WWWWWWWW");
  }
  // What Windows sends every top-level window when its colours change.
  void BroadcastColorSet(const char* Area = "ImmersiveColorSet") {
    SendMessageA(Form->GetHandle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(Area));
  }
  bool ListIsDark() {
    const TListPixels P(*Viewer);
    EXPECT_EQ(P.FirstRowHas(DarkKindColors[lxmInfo]), IsDarkLook()) << "the Info text";
    EXPECT_EQ(P.FirstRowHas(RGB(0, 0, 0)), !IsDarkLook()) << "the Info text";
    return P.Background() == DarkWindow();
  }
  TMenuItem* Checked() const {
    TMenuItem* Found = nullptr;
    for (TMenuItem* Item : {Form->MnuThemeFollow, Form->MnuThemeLight, Form->MnuThemeDark})
      if (Item->GetChecked()) {
        EXPECT_EQ(Found, nullptr) << "one item checked";
        Found = Item;
      }
    return Found;
  }

  TThemeRegistry Reg{ViewKey};
};

TEST_F(ThemeMenuTest, TheThemeSubmenuHasThreeRadioItemsCheckedAsStored) {
  ASSERT_NO_FATAL_FAILURE(MakeWith(1, "2"));
  ASSERT_EQ(Form->MnuTheme->GetCount(), 3);
  const struct {
    TMenuItem* Item;
    const char* Caption;
    int Tag;
  } Rows[] = {{Form->MnuThemeFollow, "&Follow Windows", ThemeFollowWindows},
              {Form->MnuThemeLight, "&Light", ThemeLight},
              {Form->MnuThemeDark, "&Dark", ThemeDark}};
  // The submenu as the window's menu shows it: last in View, after a line.
  HMENU View = GetSubMenu(GetMenu(Form->GetHandle()), 3);
  const int Last = GetMenuItemCount(View) - 1;
  EXPECT_TRUE(GetMenuState(View, static_cast<UINT>(Last - 1), MF_BYPOSITION) & MF_SEPARATOR);
  HMENU Sub = GetSubMenu(View, Last);
  ASSERT_NE(Sub, nullptr);
  ASSERT_EQ(GetMenuItemCount(Sub), 3);
  for (int I = 0; I < 3; ++I) {
    SCOPED_TRACE(Rows[I].Caption);
    ASSERT_EQ(Form->MnuTheme->GetItem(I), Rows[I].Item);
    EXPECT_EQ(Rows[I].Item->GetCaption(), Rows[I].Caption);
    EXPECT_EQ(Rows[I].Item->GetTag(), Rows[I].Tag);
    EXPECT_TRUE(Rows[I].Item->GetRadioItem());
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoA(Sub, static_cast<UINT>(I), TRUE, &Info));
    EXPECT_TRUE(Info.fType & MFT_RADIOCHECK);
    EXPECT_EQ((Info.fState & MFS_CHECKED) != 0, Rows[I].Tag == ThemeDark);
  }
  EXPECT_EQ(Checked(), Form->MnuThemeDark);
  EXPECT_TRUE(IsDarkLook());
  EXPECT_TRUE(ListIsDark());
}

TEST_F(ThemeMenuTest, ChoosingALookStoresItAndShowsItAtOnce) {
  ASSERT_NO_FATAL_FAILURE(MakeWith(1, "0"));
  EXPECT_EQ(Checked(), Form->MnuThemeFollow);
  EXPECT_FALSE(ListIsDark());

  Form->MnuThemeDark->Click();
  EXPECT_EQ(ReadValue(ViewKey, "Theme"), "2");
  EXPECT_EQ(Checked(), Form->MnuThemeDark);
  EXPECT_TRUE(ListIsDark());

  Form->MnuThemeLight->Click();
  EXPECT_EQ(ReadValue(ViewKey, "Theme"), "1");
  EXPECT_EQ(Checked(), Form->MnuThemeLight);
  EXPECT_FALSE(ListIsDark());

  TThemeRegistry::SetAppsUseLightTheme(0);
  Form->MnuThemeFollow->Click();
  EXPECT_EQ(ReadValue(ViewKey, "Theme"), "0");
  EXPECT_EQ(Checked(), Form->MnuThemeFollow);
  EXPECT_TRUE(ListIsDark());

  // The choice is saved with the other settings and read at the next start.
  Form->MnuThemeDark->Click();
  Form.reset();
  TThemeRegistry::SetAppsUseLightTheme(1);
  SetDarkLook(false);
  Form = std::make_unique<TBkFrmOrlimo>(nullptr, std::vector<std::string>{});
  Viewer = Form->GetViewer();
  EXPECT_EQ(ReadValue(ViewKey, "Theme"), "2");
  EXPECT_EQ(Checked(), Form->MnuThemeDark);
  EXPECT_TRUE(IsDarkLook());
}

TEST_F(ThemeMenuTest, FollowingWindowsTheFormTurnsWhenWindowsColoursChange) {
  ASSERT_NO_FATAL_FAILURE(MakeWith(0, "0"));
  Form->Show();
  EXPECT_TRUE(ListIsDark());

  // Windows turns light: the broadcast repaints the list in light colours.
  TThemeRegistry::SetAppsUseLightTheme(1);
  HWND List = Viewer->FLstMsgs->GetHandle();
  ValidateRect(List, nullptr);
  BroadcastColorSet();
  EXPECT_FALSE(IsDarkLook());
  EXPECT_TRUE(GetUpdateRect(List, nullptr, FALSE)) << "the list waits to be painted again";
  EXPECT_FALSE(ListIsDark());

  // Another setting's broadcast leaves the look as it is.
  TThemeRegistry::SetAppsUseLightTheme(0);
  BroadcastColorSet("Policy");
  SendMessageA(Form->GetHandle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  EXPECT_FALSE(IsDarkLook());
  BroadcastColorSet();
  EXPECT_TRUE(IsDarkLook());
  EXPECT_TRUE(ListIsDark());

  // A look chosen in the menu holds whatever Windows does.
  Form->MnuThemeLight->Click();
  BroadcastColorSet();
  EXPECT_FALSE(ListIsDark());
  Form->MnuThemeDark->Click();
  TThemeRegistry::SetAppsUseLightTheme(1);
  BroadcastColorSet();
  EXPECT_TRUE(ListIsDark());
  TThemeRegistry::SetAppsUseLightTheme(std::nullopt);
  BroadcastColorSet();
  EXPECT_TRUE(ListIsDark());
}

}  // namespace
