// Combo boxes: the colour table and lookup, type-ahead driven by its timer,
// and the registry history of the MRU combo box.
#include "components/LxCmboBx.h"
#include "components/LxCommon.h"
#include "components/LxMRUCbx.h"
#include "platform/Registry.h"
#include "TestUtil.h"

#include <string>
#include <vector>

namespace {

class ColorComboTest : public ::testing::Test {
protected:
  ColorComboTest() : Form(300, 200), Combo(&Form) {
    Combo.SetParent(&Form);
    Combo.OnChange = [this](TObject*) { ++Changes; };
    Combo.OnMatch = [this](TObject*) { ++Matches; };
  }
  void Type(char C) { ::SendMessageA(Combo.WindowHandle(), WM_CHAR, static_cast<unsigned char>(C), 0); }
  std::string Selected() { return Combo.GetItems()[Combo.GetItemIndex()]; }
  THostForm Form;
  TLxColorComboBox Combo;
  int Changes = 0, Matches = 0;
};

TEST_F(ColorComboTest, ListsTheTableAndLooksColoursUp) {
  ASSERT_EQ(Combo.GetItems().Count(), 43);
  EXPECT_EQ(Combo.GetItemIndex(), 0);
  EXPECT_EQ(Selected(), "Default");
  EXPECT_EQ(Combo.GetItems()[42], "Custom");
  Combo.SetSelectedColor(clRed);
  EXPECT_EQ(Selected(), "Red");
  EXPECT_EQ(Combo.GetSelectedColor(), clRed);
  Combo.SetSelectedColor(clBtnFace);
  EXPECT_EQ(Selected(), "BtnFace");
  // A colour no item has goes to the custom item.
  Combo.SetSelectedColor(0x123456);
  EXPECT_EQ(Combo.GetItemIndex(), 42);
  EXPECT_EQ(Combo.GetCustomColor(), 0x123456);
  EXPECT_EQ(Combo.GetSelectedColor(), 0x123456);
  EXPECT_EQ(Changes, 3);
  // Without system colours: Default, 16 standard colours and Custom.
  Combo.SetShowSysColors(false);
  EXPECT_EQ(Combo.GetItems().Count(), 18);
  EXPECT_EQ(Combo.GetSelectedColor(), 0x123456);
  EXPECT_EQ(Selected(), "Custom");
  // Black (0) is found as "Default" first while the default colour is black.
  Combo.SetSelectedColor(clBlack);
  EXPECT_EQ(Selected(), "Default");
}

TEST_F(ColorComboTest, RenamingAColourKeepsTheSelection) {
  Combo.SetSelectedColor(clNavy);
  const int Index = Combo.GetItemIndex();
  EXPECT_TRUE(Combo.GetColorNames().SetNameOf("Navy", "Marine"));
  EXPECT_EQ(Combo.GetItems()[Index], "Marine");
  EXPECT_EQ(Combo.GetItemIndex(), Index);
  EXPECT_EQ(Combo.GetSelectedColor(), clNavy);
  EXPECT_TRUE(Combo.GetColorNames().Changed());
  EXPECT_TRUE(Combo.GetColorNames().SetNameOf("DkShadow3D", "Dark shadow"));
  EXPECT_EQ(Combo.GetItems()[38], "Dark shadow");
}

// A window made again (here for a new font) keeps the chosen item and tells
// nobody: nothing changed for the user.
TEST_F(ColorComboTest, ANewWindowKeepsTheChoiceAndFiresNoChange) {
  Combo.SetItemIndex(1);  // "Black", the colour "Default" has too
  Changes = 0;
  Combo.GetFont().SetHeight(-20);
  EXPECT_EQ(Selected(), "Black");
  EXPECT_EQ(::SendMessageA(Combo.WindowHandle(), CB_GETITEMHEIGHT, 0, 0), GetMinFontHeight(Combo.GetFont()) + 4)
      << "made again";
  Combo.SetSelectedColor(0x123456);
  Changes = 0;
  Combo.GetFont().SetHeight(-12);
  EXPECT_EQ(Selected(), "Custom");
  EXPECT_EQ(Combo.GetSelectedColor(), 0x123456);
  EXPECT_EQ(Changes, 0);
}

TEST_F(ColorComboTest, TypeAheadCollectsUntilTheTimerRunsOut) {
  Type('b');
  EXPECT_EQ(Selected(), "Black");
  Type('l');
  EXPECT_EQ(Selected(), "Black");
  Type('u');
  EXPECT_EQ(Selected(), "Blue");
  EXPECT_EQ(Matches, 3);
  EXPECT_TRUE(Combo.GetSearchTimer().GetEnabled());
  EXPECT_EQ(Combo.GetSearchTimer().GetInterval(), 2000u);
  // Two seconds later the search starts over: "l" alone finds Lime.
  Combo.GetSearchTimer().Timer();
  EXPECT_EQ(Combo.GetSearchText(), "");
  EXPECT_FALSE(Combo.GetSearchTimer().GetEnabled());
  Type('l');
  EXPECT_EQ(Selected(), "Lime");
  // Backspace to nothing selects the first item; a key that finds nothing keeps the selection.
  Type('\b');
  EXPECT_EQ(Selected(), "Default");
  Type('q');
  EXPECT_EQ(Selected(), "Default");
  // Cursor keys clear the search.
  ::SendMessageA(Combo.WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Combo.GetSearchText(), "");
}

class TAnsweringColorCombo : public TLxColorComboBox {
public:
  using TLxColorComboBox::TLxColorComboBox;
  TColor Answer = 0x00ABCDEF;
  int Shown = 0;

protected:
  bool ExecuteColorDialog(TColor& Color) override {
    ++Shown;
    Color = Answer;
    return true;
  }
};

TEST(ColorCombo, TheCustomItemOpensTheColourDialogOnAcceptedCloseUp) {
  THostForm Form;
  TAnsweringColorCombo Combo(&Form);
  Combo.SetParent(&Form);
  Combo.SetItemIndex(42);
  const WPARAM Id = static_cast<WPARAM>(::GetDlgCtrlID(Combo.WindowHandle()));
  auto Notify = [&](WORD Code) {
    ::SendMessageA(Form.WindowHandle(), WM_COMMAND, MAKEWPARAM(Id, Code),
                   reinterpret_cast<LPARAM>(Combo.WindowHandle()));
  };
  Notify(CBN_DROPDOWN);
  Notify(CBN_SELENDCANCEL);
  Notify(CBN_CLOSEUP);
  PumpMessages();
  EXPECT_EQ(Combo.Shown, 0);  // cancelled
  Notify(CBN_DROPDOWN);
  Notify(CBN_SELENDOK);
  Notify(CBN_CLOSEUP);
  PumpMessages();
  EXPECT_EQ(Combo.Shown, 1);
  EXPECT_EQ(Combo.GetCustomColor(), 0x00ABCDEF);
  EXPECT_EQ(Combo.GetSelectedColor(), 0x00ABCDEF);
}

std::vector<std::string> WindowItems(TComboBox& C) {
  std::vector<std::string> Items;
  const LRESULT Count = ::SendMessageA(C.WindowHandle(), CB_GETCOUNT, 0, 0);
  for (LRESULT I = 0; I < Count; ++I) {
    char Text[64] = {};
    ::SendMessageA(C.WindowHandle(), CB_GETLBTEXT, static_cast<WPARAM>(I), reinterpret_cast<LPARAM>(Text));
    Items.emplace_back(Text);
  }
  return Items;
}

bool HasSortStyle(TComboBox& C) { return (::GetWindowLongA(C.WindowHandle(), GWL_STYLE) & CBS_SORT) != 0; }

// Sorted applies to the items added later too: the window has the sort style,
// and the items follow the window's order.
TEST(ComboBox, ASortedComboBoxPutsItemsAddedLaterInOrder) {
  THostForm Form;
  TLxComboBox C(&Form);
  C.SetParent(&Form);
  for (const char* S : {"pear", "Apple", "fig"}) C.AddItem(S, reinterpret_cast<std::intptr_t>(S));
  C.SetItemIndex(2);
  C.SetSorted(true);
  EXPECT_TRUE(HasSortStyle(C));
  EXPECT_EQ(C.GetItems().FStrings, (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(C.GetItems()[C.GetItemIndex()], "fig") << "the selection stays with its item";
  for (const char* S : {"banana", "zucchini", "cherry"}) C.AddItem(S);
  EXPECT_EQ(C.AddItem("date"), 3);
  const std::vector<std::string> Sorted{"Apple", "banana", "cherry", "date", "fig", "pear", "zucchini"};
  EXPECT_EQ(C.GetItems().FStrings, Sorted);
  EXPECT_EQ(WindowItems(C), Sorted);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(C.GetItems().GetObject(5))), "pear");
  EXPECT_EQ(C.GetItems()[C.GetItemIndex()], "fig");

  C.SetSorted(false);
  EXPECT_FALSE(HasSortStyle(C));
  C.AddItem("avocado");
  EXPECT_EQ(WindowItems(C).back(), "avocado");
  EXPECT_EQ(C.GetItems().FStrings.back(), "avocado");

  // Sorted before the window exists.
  TLxComboBox D(&Form);
  D.SetSorted(true);
  for (const char* S : {"b", "C", "a"}) D.AddItem(S);
  EXPECT_EQ(D.GetItems().FStrings, (std::vector<std::string>{"a", "b", "C"}));
  D.SetParent(&Form);
  D.AddItem("ab");
  EXPECT_TRUE(HasSortStyle(D));
  EXPECT_EQ(D.GetItems().FStrings, (std::vector<std::string>{"a", "ab", "b", "C"}));
  EXPECT_EQ(WindowItems(D), D.GetItems().FStrings);
}

TEST(ComboBox, EditableTypeAheadCompletesWithTheRestSelected) {
  THostForm Form;
  TLxComboBox C(&Form);
  C.SetParent(&Form);
  for (const char* S : {"alpha", "albatross", "beta"}) C.AddItem(S);
  HWND E = C.EditWindow();
  ASSERT_NE(E, nullptr);
  int Matches = 0;
  C.OnMatch = [&](TObject*) { ++Matches; };
  ::SendMessageA(E, WM_CHAR, 'a', 0);
  ::SendMessageA(E, WM_CHAR, 'l', 0);
  ::SendMessageA(E, WM_CHAR, 'b', 0);
  EXPECT_EQ(C.GetText(), "albatross");
  EXPECT_EQ(C.GetItemIndex(), 1);
  DWORD Start = 0, End = 0;
  ::SendMessageA(E, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  EXPECT_EQ(Start, 3u);
  EXPECT_EQ(End, 9u);
  EXPECT_EQ(Matches, 3);
  // A text no item starts with stays as typed.
  C.SetText("");
  ::SendMessageA(E, WM_CHAR, 'z', 0);
  EXPECT_EQ(C.GetText(), "z");
}

// ---------------------------------------------------------------------------

const std::string MruKey = "Software\\Brunelk\\OrlimoComponentsTest";

class MruTest : public ::testing::Test {
protected:
  MruTest() {
    TRegistry R;
    R.DeleteKey(MruKey);
    Application->OnMessageBox = [this](const std::string& Text, const std::string&, UINT) {
      Messages.push_back(Text);
      return IDOK;
    };
  }
  ~MruTest() override {
    Application->OnMessageBox = nullptr;
    TRegistry R;
    R.DeleteKey(MruKey);
  }
  static void Configure(TLxMRUComboBox& C) {
    C.SetName("CbxFind");
    C.SetRegPath(MruKey);
    C.SetRegSection("History");
    C.SetMruID("Find");
  }
  std::vector<std::string> Messages;
};

TEST_F(MruTest, LoadsSkippingEmptyAndRepeatedEntriesAndSelectsTheFirst) {
  TRegIniFile Ini(MruKey);
  Ini.WriteString("History", "Find_Count", "5");
  for (auto [I, S] :
       std::vector<std::pair<int, std::string>>{{0, "alpha"}, {1, ""}, {2, "beta"}, {3, "ALPHA"}, {4, "gamma"}})
    Ini.WriteString("History", "Find_Item" + std::to_string(I), S);
  THostForm Form;
  TLxMRUComboBox C(&Form);
  Configure(C);
  C.SetParent(&Form);
  EXPECT_EQ(C.GetItems().FStrings, (std::vector<std::string>{"alpha", "beta", "gamma"}));
  EXPECT_EQ(C.GetItemIndex(), 0);
  EXPECT_TRUE(Messages.empty());
}

TEST_F(MruTest, LeavingPutsTheTextOnTopAndSavesAtMostMaxHistory) {
  THostForm Form;
  TLxMRUComboBox C(&Form);
  Configure(C);
  C.SetMaxHistory(3);
  C.SetParent(&Form);
  for (const char* S : {"one", "two", "three", "four"}) C.AddItem(S);
  C.SetText("five");
  ::SendMessageA(C.EditWindow(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(C.GetItems()[0], "five");
  TRegIniFile Ini(MruKey);
  EXPECT_EQ(Ini.ReadString("History", "Find_Count", ""), "3");
  EXPECT_EQ(Ini.ReadString("History", "Find_Item0", ""), "five");
  EXPECT_EQ(Ini.ReadString("History", "Find_Item2", ""), "two");
  EXPECT_FALSE(Ini.ValueExists("History", "Find_Item3"));
  // An entry already listed moves up instead of being repeated.
  C.SetText("two");
  ::SendMessageA(C.EditWindow(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(C.GetItems().FStrings, (std::vector<std::string>{"two", "five", "one", "three", "four"}));
  // The popup's remove command takes the current text's entry away.
  C.RemoveCurrentEntry();
  EXPECT_EQ(C.GetItems().IndexOf("two"), -1);
  EXPECT_EQ(C.GetEditMenu()->GetItems()->GetItem(C.GetEditMenu()->GetItems()->GetCount() - 1)->GetCaption(),
            "&Remove entry from history list");
}

// The stored count is a claim: at most MaxHistory entries are read, however
// large (or negative) the count says.
TEST_F(MruTest, TheStoredCountIsHeldToMaxHistory) {
  TRegIniFile Ini(MruKey);
  for (int I = 0; I < 8; ++I) Ini.WriteString("History", "Find_Item" + std::to_string(I), "entry" + std::to_string(I));
  for (const char* Count : {"100", "99999999999999999999", "2147483648"}) {
    Ini.WriteString("History", "Find_Count", Count);
    THostForm Form;
    TLxMRUComboBox C(&Form);
    Configure(C);
    C.SetMaxHistory(5);
    C.SetParent(&Form);
    EXPECT_EQ(C.GetItems().Count(), 5) << Count;
  }
  Ini.WriteString("History", "Find_Count", "-3");
  THostForm Form;
  TLxMRUComboBox C(&Form);
  Configure(C);
  C.SetParent(&Form);
  EXPECT_EQ(C.GetItems().Count(), 0);
}

// Leaving a combo box without its storage still puts the text on top; it is
// not stored, and no box opens in the middle of the focus change.
TEST_F(MruTest, LeavingWithoutStorageKeepsTheTextOnTopAndSaysNothing) {
  THostForm Form;
  TLxMRUComboBox C(&Form);
  C.SetName("CbxFind");
  C.SetParent(&Form);
  C.AddItem("older");
  C.SetText("newest");
  ::SendMessageA(C.EditWindow(), WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(C.GetItems().FStrings, (std::vector<std::string>{"newest", "older"}));
  EXPECT_TRUE(Messages.empty());
  C.SaveHistory();
  EXPECT_EQ(Messages, std::vector<std::string>{"MruID property is empty. Unable to save MRU values for CbxFind."});
}

TEST_F(MruTest, MissingPropertiesAreNamedInTheMessage) {
  THostForm Form;
  TLxMRUComboBox C(&Form);
  C.SetName("CbxFind");
  C.SetParent(&Form);
  EXPECT_TRUE(Messages.empty());  // nothing said at creation
  C.LoadHistory();
  C.SetMruID("Find");
  C.SaveHistory();
  C.SetRegSection("History");
  C.LoadHistory();
  ASSERT_EQ(Messages.size(), 3u);
  EXPECT_EQ(Messages[0], "MruID property is empty. Unable to load MRU values for CbxFind.");
  EXPECT_EQ(Messages[1], "RegSection property is empty. Unable to save MRU values for CbxFind.");
  EXPECT_EQ(Messages[2], "RegPath property is empty. Unable to load MRU values for CbxFind.");
}

TEST_F(MruTest, EnterAndEscapeFireTheirEvents) {
  THostForm Form;
  TLxMRUComboBox C(&Form);
  C.SetParent(&Form);
  int Enter = 0, Escape = 0;
  C.OnEnterKeyPressed = [&](TObject*) { ++Enter; };
  C.OnEscapeKeyPressed = [&](TObject*) { ++Escape; };
  ::SendMessageA(C.EditWindow(), WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageA(C.EditWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageA(C.EditWindow(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Enter, 2);
  EXPECT_EQ(Escape, 1);
}

}  // namespace
