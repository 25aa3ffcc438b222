// The help page against the program: every menu the program builds (the main
// menu with its submenu, the message list's, the scratch pad's and the
// navigator's menus) is on the page with the same commands in the same order,
// with their access keys and shortcuts; the toolbar's buttons likewise; the
// sections the program opens the page at exist; the page needs no other file.
#include "MainFormTestUtil.h"

#include "core/LxHelp.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <utility>
#include <vector>

namespace {

// A command as the user reads it: its caption with '&' before the access key,
// and its shortcut.
using TCommand = std::pair<std::string, std::string>;
using TMenus = std::map<std::string, std::vector<TCommand>>;

std::string PageFile() {
  std::string Path = ORLIMO_HELP_PAGE;
  if (!Path.empty() && Path[0] == '/') Path = "Z:" + Path;  // a source tree of the host, seen from Wine
  for (char& C : Path)
    if (C == '/') C = '\\';
  return Path;
}

std::string ReadPage() {
  std::ifstream In(PageFile(), std::ios::binary);
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

// The text of a cell: an underlined letter is the access key, other tags go,
// entities become their characters.
std::string CellText(std::string Html) {
  Html = std::regex_replace(Html, std::regex("<u>(.)</u>"), "&$1");
  Html = std::regex_replace(Html, std::regex("<[^>]*>"), "");
  for (const auto& [Entity, Char] : std::vector<std::pair<std::string, std::string>>{
           {"&gt;", ">"}, {"&lt;", "<"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}})
    for (std::size_t At; (At = Html.find(Entity)) != std::string::npos;) Html.replace(At, Entity.size(), Char);
  return Html;
}

// The parts of Text between each Open and the Close after it.
std::vector<std::string> Between(const std::string& Text, const std::string& Open, const std::string& Close) {
  std::vector<std::string> Parts;
  for (std::size_t At = Text.find(Open); At != std::string::npos; At = Text.find(Open, At)) {
    At += Open.size();
    const std::size_t End = Text.find(Close, At);
    if (End == std::string::npos) break;
    Parts.push_back(Text.substr(At, End - At));
    At = End + Close.size();
  }
  return Parts;
}

// The menus the page describes: tables of class "commands", each naming its
// menu in data-menu, a row per command with the cells "cmd" and "key".
TMenus PageMenus(const std::string& Page) {
  TMenus Menus;
  for (const std::string& Table : Between(Page, "<table class=\"commands\" data-menu=\"", "</table>")) {
    const std::size_t NameEnd = Table.find('"');
    auto& Commands = Menus[Table.substr(0, NameEnd)];
    for (const std::string& Row : Between(Table, "<tr>", "</tr>")) {
      const auto Cmd = Between(Row, "<td class=\"cmd\">", "</td>");
      const auto Key = Between(Row, "<td class=\"key\">", "</td>");
      Commands.emplace_back(Cmd.empty() ? "<no command cell>" : CellText(Cmd[0]), Key.empty() ? "" : CellText(Key[0]));
    }
  }
  return Menus;
}

std::string WithoutAccessKey(std::string Caption) {
  Caption.erase(std::remove(Caption.begin(), Caption.end(), '&'), Caption.end());
  return Caption;
}

// A built menu as Windows holds it, read with GetMenuItemInfo: the captions
// and shortcuts of its commands; each submenu is a menu of its own, named
// after its parent.
void ReadMenu(HMENU Menu, const std::string& Name, TMenus& Menus) {
  auto& Commands = Menus[Name];
  for (int I = 0; I < GetMenuItemCount(Menu); ++I) {
    char Text[256] = {};
    MENUITEMINFOA Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    Info.dwTypeData = Text;
    Info.cch = sizeof Text;
    ASSERT_TRUE(GetMenuItemInfoA(Menu, static_cast<UINT>(I), TRUE, &Info)) << Name << " " << I;
    if (Info.fType & MFT_SEPARATOR) continue;
    const std::string Item = Text;
    const std::size_t Tab = Item.find('\t');
    Commands.emplace_back(Item.substr(0, Tab), Tab == std::string::npos ? "" : Item.substr(Tab + 1));
    if (Info.hSubMenu) ReadMenu(Info.hSubMenu, Name + "/" + WithoutAccessKey(Item.substr(0, Tab)), Menus);
  }
}

std::string Show(const std::vector<TCommand>& Commands) {
  std::string S;
  for (const auto& [Caption, Keys] : Commands) S += "\n  " + Caption + (Keys.empty() ? "" : "  [" + Keys + "]");
  return S;
}

TEST_F(MainFormTest, TheHelpPageNamesEveryMenuCommandWithItsShortcut) {
  const std::string Page = ReadPage();
  ASSERT_FALSE(Page.empty()) << PageFile();
  ASSERT_NO_FATAL_FAILURE(Make());

  TMenus Program;
  HMENU Bar = GetMenu(Form->GetHandle());
  ASSERT_NE(Bar, nullptr);
  for (int I = 0; I < GetMenuItemCount(Bar); ++I) {
    char Text[64] = {};
    GetMenuStringA(Bar, static_cast<UINT>(I), Text, sizeof Text, MF_BYPOSITION);
    ASSERT_NO_FATAL_FAILURE(ReadMenu(GetSubMenu(Bar, I), WithoutAccessKey(Text), Program));
  }
  ASSERT_NO_FATAL_FAILURE(ReadMenu(Viewer->FMnuPopup->GetHandle(), "List", Program));
  ASSERT_NO_FATAL_FAILURE(ReadMenu(Viewer->FMnuScratchPadPopup->GetHandle(), "Scratch pad", Program));
  ASSERT_NO_FATAL_FAILURE(ReadMenu(Viewer->FMnuNavMsg->GetHandle(), "Navigator", Program));
  ASSERT_EQ(Program.count("View/Dock"), 1u);
  ASSERT_GT(Program["File"].size(), 1u);

  const TMenus Described = PageMenus(Page);
  for (const auto& [Name, Commands] : Program) {
    const auto It = Described.find(Name);
    if (It == Described.end()) {
      ADD_FAILURE() << "the page has no table of the menu " << Name << ":" << Show(Commands);
      continue;
    }
    EXPECT_EQ(It->second, Commands) << "menu " << Name << "\non the page:" << Show(It->second)
                                    << "\nin the program:" << Show(Commands);
  }
  for (const auto& [Name, Commands] : Described)
    EXPECT_EQ(Program.count(Name), 1u) << "the page describes a menu the program does not have: " << Name;
}

TEST_F(MainFormTest, TheHelpPageNamesEveryToolbarButton) {
  const std::string Page = ReadPage();
  ASSERT_NO_FATAL_FAILURE(Make());
  std::vector<std::string> Program;
  for (TLxToolbar* Group : {Viewer->FTbgMessage, Viewer->FTbgNavigate, Viewer->FTbgView})
    for (int I = 0; I < Group->GetControlCount(); ++I)
      if (!Group->GetControl(I)->GetHint().empty()) Program.push_back(Group->GetControl(I)->GetHint());
  ASSERT_EQ(Program.size(), 19u);

  std::vector<std::string> Described;
  const auto Tables = Between(Page, "<table class=\"buttons\">", "</table>");
  ASSERT_EQ(Tables.size(), 1u);
  for (const std::string& Hint : Between(Tables[0], "<td class=\"hint\">", "</td>"))
    Described.push_back(CellText(Hint));
  EXPECT_EQ(Described, Program);
}

// The sections Help > Contents and the preferences' Help open the page at
// exist, every link inside the page leads somewhere, and the page needs no
// other file (its pictures are inline).
TEST(HelpPage, ItsSectionsExistAndItStandsAlone) {
  const std::string Page = ReadPage();
  ASSERT_FALSE(Page.empty()) << PageFile();
  const std::vector<std::string> Ids = Between(Page, " id=\"", "\"");
  auto Has = [&](const std::string& Name) { return std::find(Ids.begin(), Ids.end(), Name) != Ids.end(); };
  EXPECT_TRUE(Has(LxHelp::ContentsSection));
  EXPECT_TRUE(Has(LxHelp::PreferencesSection));
  EXPECT_LT(Page.find(std::string("id=\"") + LxHelp::ContentsSection + "\""), Page.find("<h2")) << "at the top";

  std::vector<std::string> Targets = Between(Page, " href=\"", "\"");
  for (const std::string& Source : Between(Page, " src=\"", "\"")) Targets.push_back(Source);
  int Pictures = 0;
  for (const std::string& Target : Targets) {
    if (Target.rfind("#", 0) == 0)
      EXPECT_TRUE(Has(Target.substr(1))) << "a link to a missing section: " << Target;
    else if (Target.rfind("data:image/png;base64,", 0) == 0)
      ++Pictures;
    else
      ADD_FAILURE() << "the page refers to another file: " << Target;
  }
  EXPECT_EQ(Pictures, 11 + 19) << "the kinds' icons and the toolbar's buttons";
  EXPECT_EQ(Page.find("<img data-art"), std::string::npos) << "a picture without its image";
}

}  // namespace
