// The settings in the real (current user) registry: the layout of the
// written values, the panel key inside the IDE kept apart, values of the
// wrong type.
#include "platform/RegSettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Test keys of the same shape as the viewer's: the IDE panel's key lies
// below the standalone one.
const std::string TestRoot = "Software\\Brunelk\\OrlimoSettingsTest";
const std::string StandaloneKey = TestRoot + "\\1.0";
const std::string PanelKey = StandaloneKey + "\\CodeRush";

class RegSettingsStore : public ::testing::Test {
protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    TRegistry Reg;
    Reg.DeleteKey(TestRoot);
  }
  // A value as the registry holds it: its type and its text.
  static std::pair<DWORD, std::string> Raw(const std::string& Key, const char* Name) {
    HKEY H = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, KEY_READ, &H) != ERROR_SUCCESS) return {0, "<no key>"};
    char Buf[256] = {};
    DWORD Type = 0, Size = sizeof Buf - 1;
    const LONG Rc = RegQueryValueExA(H, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Buf), &Size);
    RegCloseKey(H);
    if (Rc != ERROR_SUCCESS) return {0, "<no value>"};
    return {Type, Buf};
  }
  static std::vector<std::string> Sorted(std::vector<std::string> V) {
    std::sort(V.begin(), V.end());
    return V;
  }
};

TOrlimoSettings Changed() {
  TOrlimoSettings S;
  S.ViewToolbar = false;
  S.ViewInspectorPane = true;
  S.InspectorBarPos = 400;
  S.IdleTime = 30;
  S.NavigatorMessage = lxmError;
  S.MsgFont = {"Tahoma", 10, 0x0000FF, TextStyleBold | TextStyleItalic};
  S.StreamFont = {"Lucida Console", 9, SettingsWindowTextColor, TextStyleUnderline};
  return S;
}

}  // namespace

TEST_F(RegSettingsStore, FirstUseCreatesTheBaseKeyAndReadsTheDefaults) {
  TRegistry Reg;
  ASSERT_FALSE(Reg.KeyExists(StandaloneKey));
  TRegSettingsStore Store(StandaloneKey);
  EXPECT_TRUE(Reg.KeyExists(StandaloneKey));
  TOrlimoSettings S = Changed();
  TOrlimoKindStyles K{};
  ReadSettings(Store, S, K);
  EXPECT_EQ(S, TOrlimoSettings{});
  EXPECT_EQ(K[lxmWarning], DefaultStoredKindStyle);
  ASSERT_TRUE(Reg.OpenKeyReadOnly(StandaloneKey));
  EXPECT_TRUE(Reg.GetKeyNames().empty());  // reading creates no sections
}

TEST_F(RegSettingsStore, EveryValueIsAStringInItsSectionAndThePanelKeyIsApart) {
  TOrlimoKindStyles K{};
  K[lxmWarning] = {false, 0x00C0FF, TextStyleBold};
  K[lxmEnterMethod] = {false, 0x008000, TextStyleBold | TextStyleItalic};
  K[lxmProperty] = {false, 0x0000FF, TextStyleStrikeOut};
  {
    TRegSettingsStore Standalone(StandaloneKey);
    WriteSettings(Standalone, Changed(), K);
    TRegSettingsStore Panel(PanelKey);
    WriteSettings(Panel, TOrlimoSettings{}, TOrlimoKindStyles{});
  }
  EXPECT_EQ(Raw(StandaloneKey + "\\View", "IdleTime"), std::make_pair(DWORD(REG_SZ), std::string("30")));
  EXPECT_EQ(Raw(StandaloneKey + "\\View", "Toolbar"), std::make_pair(DWORD(REG_SZ), std::string("0")));
  EXPECT_EQ(Raw(StandaloneKey + "\\View", "InspectorBarPos").second, "400");
  EXPECT_EQ(Raw(StandaloneKey + "\\MsgFont", "Name").second, "Tahoma");
  EXPECT_EQ(Raw(StandaloneKey + "\\MsgFont", "Style").second, "12");
  EXPECT_EQ(Raw(StandaloneKey + "\\StreamFont", "Color").second, "-2147483640");
  EXPECT_EQ(Raw(StandaloneKey + "\\FontStyles", "WarningUseDefault").second, "0");
  EXPECT_EQ(Raw(StandaloneKey + "\\FontStyles", "MethodEnterStyle").second, "12");
  EXPECT_EQ(Raw(PanelKey + "\\View", "IdleTime").second, "10");
  EXPECT_EQ(Raw(PanelKey + "\\MsgFont", "Name").second, "Arial");

  TRegistry Reg;  // paths from the root: a leading backslash
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\" + StandaloneKey));
  EXPECT_EQ(Sorted(Reg.GetKeyNames()),
            (std::vector<std::string>{"CodeRush", "FontStyles", "MsgFont", "ObjectFont", "StreamFont", "View"}));
  EXPECT_TRUE(Reg.GetValueNames().empty());
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\" + PanelKey));
  EXPECT_EQ(Sorted(Reg.GetKeyNames()),
            (std::vector<std::string>{"FontStyles", "MsgFont", "ObjectFont", "StreamFont", "View"}));
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\" + StandaloneKey + "\\View"));
  // with CaptureDebugOutput, CaptureGlobalDebugOutput and the five Net values
  EXPECT_EQ(Reg.GetValueNames().size(), 26u);
  ASSERT_TRUE(Reg.OpenKeyReadOnly("\\" + StandaloneKey + "\\FontStyles"));
  const std::vector<std::string> Kinds = Reg.GetValueNames();
  EXPECT_EQ(Kinds.size(), 27u);
  for (const std::string& Name : Kinds) {
    EXPECT_EQ(Name.find("Property"), std::string::npos);
    EXPECT_EQ(Name.find("Info"), std::string::npos);
  }

  TOrlimoSettings S;
  TOrlimoKindStyles Read{};
  TRegSettingsStore Standalone(StandaloneKey);
  ReadSettings(Standalone, S, Read);
  EXPECT_EQ(S, Changed());
  EXPECT_EQ(Read[lxmWarning], K[lxmWarning]);
  EXPECT_EQ(Read[lxmEnterMethod], K[lxmEnterMethod]);
  EXPECT_EQ(Read[lxmInfo], (TOrlimoKindStyle{true, 0x0000FF, TextStyleBold | TextStyleItalic}));
  EXPECT_EQ(Read[lxmProperty], TOrlimoKindStyle{});
  TRegSettingsStore Panel(PanelKey);
  ReadSettings(Panel, S, Read);
  EXPECT_EQ(S, TOrlimoSettings{});
  EXPECT_EQ(Read[lxmWarning], TOrlimoKindStyle{});  // the zero table the panel wrote
}

TEST_F(RegSettingsStore, ValuesOfAnotherTypeGiveDefaultsAndAreWrittenBackAsStrings) {
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(StandaloneKey + "\\View", true));
    Reg.WriteInteger("IdleTime", 30);  // a number, not a string
    Reg.WriteInteger("Toolbar", 0);
    Reg.WriteString("InspectorBarPos", "0x1E");
    ASSERT_TRUE(Reg.OpenKey("\\" + StandaloneKey + "\\ObjectFont", true));  // an empty section
  }
  TRegSettingsStore Store(StandaloneKey);
  TOrlimoSettings S;
  TOrlimoKindStyles K{};
  ReadSettings(Store, S, K);
  EXPECT_EQ(S.IdleTime, 10);
  EXPECT_TRUE(S.ViewToolbar);
  EXPECT_EQ(S.InspectorBarPos, 30);
  EXPECT_EQ(S.ObjectFont, TOrlimoSettings{}.ObjectFont);

  WriteSettings(Store, S, K);
  EXPECT_EQ(Raw(StandaloneKey + "\\View", "IdleTime"), std::make_pair(DWORD(REG_SZ), std::string("10")));
  EXPECT_EQ(Raw(StandaloneKey + "\\View", "Toolbar"), std::make_pair(DWORD(REG_SZ), std::string("1")));
  EXPECT_EQ(Raw(StandaloneKey + "\\View", "InspectorBarPos").second, "30");
  EXPECT_EQ(Raw(StandaloneKey + "\\ObjectFont", "Name").second, "Arial");
}
