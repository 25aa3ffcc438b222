// The settings: layout and order of the stored values, defaults, parsing,
// the style bit order, unusable values and the kind style table.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/Settings.h"

namespace {

using TValues = std::vector<std::pair<std::string, std::string>>;  // "Section\Name", value

// Everything the default settings write, in the order they are written.
const TValues DefaultLayout = {
    {"View\\IgnoreMessages", "0"},
    {"View\\Toolbar", "1"},
    {"View\\WrapButtons", "1"},
    {"View\\Inspector", "0"},
    {"View\\ScratchPad", "0"},
    {"View\\ScratchPadBarPos", "100"},
    {"View\\InspectorBarPos", "265"},
    {"View\\Icons", "1"},
    {"View\\TimeStamp", "0"},
    {"View\\AppName", "0"},
    {"View\\CallStack", "0"},
    {"View\\InsertAtEnd", "1"},
    {"View\\ConfirmOnClear", "1"},
    {"View\\KeepMsgInView", "0"},
    {"View\\BeepOnWakeUp", "0"},
    {"View\\InsertSeparatorOnWakeUp", "0"},
    {"View\\IdleTime", "10"},
    {"View\\NavigatorMessage", "3"},
    {"View\\CaptureDebugOutput", "0"},
    {"View\\CaptureGlobalDebugOutput", "0"},
    {"View\\NetListen", "0"},
    {"View\\NetProtocol", "tcp"},
    {"View\\NetPort", "5514"},
    {"View\\NetRemote", "0"},
    {"View\\NetCommands", "0"},
    {"View\\Theme", "0"},
    {"MsgFont\\Name", "Arial"},
    {"MsgFont\\Size", "8"},
    {"MsgFont\\Color", "0"},
    {"MsgFont\\Style", "0"},
    {"ObjectFont\\Name", "Arial"},
    {"ObjectFont\\Size", "8"},
    {"ObjectFont\\Color", "0"},
    {"ObjectFont\\Style", "0"},
    {"StreamFont\\Name", "Courier New"},
    {"StreamFont\\Size", "8"},
    {"StreamFont\\Color", "0"},
    {"StreamFont\\Style", "0"},
    {"FontStyles\\ObjectUseDefault", "1"},
    {"FontStyles\\ObjectColor", "-2147483640"},
    {"FontStyles\\ObjectStyle", "0"},
    {"FontStyles\\StreamUseDefault", "1"},
    {"FontStyles\\StreamColor", "-2147483640"},
    {"FontStyles\\StreamStyle", "0"},
    {"FontStyles\\StringListUseDefault", "1"},
    {"FontStyles\\StringListColor", "-2147483640"},
    {"FontStyles\\StringListStyle", "0"},
    {"FontStyles\\WarningUseDefault", "1"},
    {"FontStyles\\WarningColor", "-2147483640"},
    {"FontStyles\\WarningStyle", "0"},
    {"FontStyles\\ErrorUseDefault", "1"},
    {"FontStyles\\ErrorColor", "-2147483640"},
    {"FontStyles\\ErrorStyle", "0"},
    {"FontStyles\\CheckPointUseDefault", "1"},
    {"FontStyles\\CheckPointColor", "-2147483640"},
    {"FontStyles\\CheckPointStyle", "0"},
    {"FontStyles\\NoteUseDefault", "1"},
    {"FontStyles\\NoteColor", "-2147483640"},
    {"FontStyles\\NoteStyle", "0"},
    {"FontStyles\\MethodEnterUseDefault", "1"},
    {"FontStyles\\MethodEnterColor", "-2147483640"},
    {"FontStyles\\MethodEnterStyle", "0"},
    {"FontStyles\\MethodExitUseDefault", "1"},
    {"FontStyles\\MethodExitColor", "-2147483640"},
    {"FontStyles\\MethodExitStyle", "0"},
};

TValues Written(const TMemorySettingsStore& Store) {
  TValues V;
  for (const auto& [Section, Name] : Store.Writes)
    V.emplace_back(Section + "\\" + Name, Store.Values.at({Section, Name}));
  return V;
}

class Settings : public ::testing::Test {
protected:
  TMemorySettingsStore Store;
  TOrlimoSettings S;
  TOrlimoKindStyles K{};

  // Reads after storing one value; everything else is missing.
  void ReadWith(const std::string& Section, const std::string& Name, const std::string& Value) {
    Store.Values = {{{Section, Name}, Value}};
    S = TOrlimoSettings{};
    ReadSettings(Store, S, K);
  }
};

}  // namespace

TEST_F(Settings, FirstLoadAndSaveWriteTheDefaultsInTheirLayoutAndOrder) {
  TMemorySettingsStore Empty;
  ReadSettings(Empty, S, K);
  WriteSettings(Store, S, K);
  EXPECT_EQ(Written(Store), DefaultLayout);
}

TEST_F(Settings, AnEmptyStoreReadsAsTheDefaultsInTheSameOrder) {
  // Whatever the settings held before, every stored value is replaced.
  S.ViewToolbar = false;
  S.IdleTime = 99;
  S.StreamFont.Name = "Old";
  for (auto& E : K) E = {false, 0x123456, TextStyleItalic};
  const TOrlimoKindStyle Property = K[lxmProperty];
  ReadSettings(Store, S, K);
  EXPECT_EQ(S, TOrlimoSettings{});

  TValues Reads;
  for (const auto& [Section, Name] : Store.Reads) Reads.emplace_back(Section + "\\" + Name, "");
  ASSERT_EQ(Reads.size(), DefaultLayout.size());
  for (std::size_t I = 0; I < Reads.size(); ++I) EXPECT_EQ(Reads[I].first, DefaultLayout[I].first);

  for (const TStoredKindStyle& E : StoredKindStyles)
    EXPECT_EQ(K[static_cast<std::size_t>(E.Kind)], DefaultStoredKindStyle) << E.Prefix;
  EXPECT_EQ(K[lxmInfo], (TOrlimoKindStyle{true, 0, 0}));  // from the message font
  EXPECT_EQ(K[lxmProperty], Property);                    // never stored, never read
}

TEST_F(Settings, EverythingSurvivesARoundTrip) {
  TOrlimoSettings W;
  W.IgnoreMessages = true;
  W.ViewToolbar = false;
  W.WrapButtons = false;
  W.ViewInspectorPane = true;
  W.ViewScratchPad = true;
  W.ScratchPadBarPos = 0;
  W.InspectorBarPos = 32767;
  W.ViewIcons = false;
  W.ViewTimeStamp = true;
  W.ViewAppName = true;
  W.ViewCallStack = true;
  W.InsertAtEnd = false;
  W.ConfirmOnClear = false;
  W.KeepMsgInView = true;
  W.BeepOnWakeUp = true;
  W.InsertSeparatorOnWakeUp = true;
  W.IdleTime = 600;
  W.NavigatorMessage = lxmNote;
  W.CaptureDebugOutput = true;
  W.CaptureGlobalDebugOutput = true;
  W.NetListen = true;
  W.NetProtocol = 2;
  W.NetPort = 65535;
  W.NetRemote = true;
  W.NetCommands = true;
  W.Theme = 2;
  W.MsgFont = {"Tahoma", 11, 0x0000FF, TextStyleBold | TextStyleItalic};
  W.ObjectFont = {"Verdana", 1638, SettingsSysColor(30), TextStyleUnderline};
  W.StreamFont = {std::string(31, 'F'), 1, 0xFFFFFF, TextStyleStrikeOut};
  TOrlimoKindStyles WK{};
  WK[lxmWarning] = {false, 0x00C0FF, TextStyleBold};
  WK[lxmEnterMethod] = {false, 0x008000, TextStyleItalic | TextStyleUnderline};
  WK[lxmExitMethod] = {true, 0x800000, TextStyleBold | TextStyleItalic | TextStyleUnderline | TextStyleStrikeOut};
  WK[lxmProperty] = {false, 0x0000FF, TextStyleBold};
  WriteSettings(Store, W, WK);
  EXPECT_EQ(Store.Values.at({"MsgFont", "Style"}), "12");  // bold italic
  EXPECT_EQ(Store.Values.at({"FontStyles", "MethodEnterStyle"}), "6");
  EXPECT_EQ(Store.Values.at({"ObjectFont", "Color"}), "-2147483618");
  EXPECT_EQ(Store.Values.at({"View", "NetProtocol"}), "both");

  ReadSettings(Store, S, K);
  EXPECT_EQ(S, W);
  for (const TStoredKindStyle& E : StoredKindStyles)
    EXPECT_EQ(K[static_cast<std::size_t>(E.Kind)], WK[static_cast<std::size_t>(E.Kind)]) << E.Prefix;
  EXPECT_EQ(K[lxmInfo], (TOrlimoKindStyle{true, 0x0000FF, TextStyleBold | TextStyleItalic}));
  EXPECT_EQ(K[lxmProperty], TOrlimoKindStyle{});  // the written table's entry 7 did not travel
}

TEST(SettingsCodec, StoredIntegers) {
  struct {
    const char* Text;
    std::optional<std::int32_t> Value;
  } const Cases[] = {
      {"30", 30},
      {"0x1E", 30},
      {"0X1e", 30},
      {"  -12", -12},
      {"+7", 7},
      {"-2147483648", INT32_MIN},
      {"2147483647", INT32_MAX},
      {"0x80000008", static_cast<std::int32_t>(0x80000008u)},
      {"0xFFFFFFFF", -1},
      {"-0x10", -16},
      {"-2147483640", static_cast<std::int32_t>(0x80000008u)},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12 ", std::nullopt},
      {"1e3", std::nullopt},
      {"-", std::nullopt},
      {"0x", std::nullopt},
      {"0xG", std::nullopt},
      {"$1E", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0x100000000", std::nullopt},
  };
  for (const auto& C : Cases) EXPECT_EQ(ParseSettingsInt(C.Text), C.Value) << '"' << C.Text << '"';
}

TEST(SettingsCodec, StyleBitsAreStoredInReverseOrder) {
  EXPECT_EQ(StyleToStored(TextStyleBold), 8);
  EXPECT_EQ(StyleToStored(TextStyleItalic), 4);
  EXPECT_EQ(StyleToStored(TextStyleUnderline), 2);
  EXPECT_EQ(StyleToStored(TextStyleStrikeOut), 1);
  EXPECT_EQ(StyleToStored(TextStyleBold | TextStyleItalic), 12);
  EXPECT_EQ(StyleFromStored(9), TextStyleBold | TextStyleStrikeOut);
  EXPECT_EQ(StyleFromStored(6), TextStyleItalic | TextStyleUnderline);
  EXPECT_EQ(StyleFromStored(0x10 | 8), TextStyleBold);  // other bits are ignored
  EXPECT_EQ(StyleFromStored(-1), TextStyleBold | TextStyleItalic | TextStyleUnderline | TextStyleStrikeOut);
  for (std::int32_t Stored = 0; Stored < 16; ++Stored) EXPECT_EQ(StyleToStored(StyleFromStored(Stored)), Stored);
}

TEST_F(Settings, ValuesAsTheyMayBeFoundInTheStore) {
  ReadWith("View", "IdleTime", "0x1E");
  EXPECT_EQ(S.IdleTime, 30);
  ReadWith("View", "IdleTime", "abc");
  EXPECT_EQ(S.IdleTime, 10);
  ReadWith("View", "Toolbar", "");
  EXPECT_TRUE(S.ViewToolbar);  // not a number: the default
  ReadWith("View", "Toolbar", "0x0");
  EXPECT_FALSE(S.ViewToolbar);
  ReadWith("View", "Inspector", "-3");
  EXPECT_TRUE(S.ViewInspectorPane);  // any non-zero number is on
  ReadWith("View", "Inspector", "yes");
  EXPECT_FALSE(S.ViewInspectorPane);
  ReadWith("MsgFont", "Style", "9");
  EXPECT_EQ(S.MsgFont.Style, TextStyleBold | TextStyleStrikeOut);
  EXPECT_EQ(K[lxmInfo].Style, TextStyleBold | TextStyleStrikeOut);
}

TEST_F(Settings, UnusableValuesReadAndWriteBackAsTheirDefaults) {
  struct {
    const char* Section;
    const char* Name;
    const char* Stored;
    const char* Back;  // what a write of the read settings stores
  } const Cases[] = {
      {"MsgFont", "Size", "0", "8"},
      {"MsgFont", "Size", "100000", "8"},
      {"ObjectFont", "Size", "-12", "8"},
      {"MsgFont", "Size", "1639", "8"},
      {"View", "IdleTime", "-5", "10"},
      {"View", "IdleTime", "601", "10"},
      {"View", "IdleTime", "0", "0"},
      {"View", "ScratchPadBarPos", "-1", "100"},
      {"View", "InspectorBarPos", "2000000000", "265"},
      {"View", "InspectorBarPos", "32768", "265"},
      {"View", "NavigatorMessage", "9", "3"},
      {"View", "NavigatorMessage", "-1", "3"},
      {"View", "NavigatorMessage", "0", "0"},
      {"View", "NavigatorMessage", "8", "8"},
      {"View", "Theme", "3", "0"},
      {"View", "Theme", "-1", "0"},
      {"View", "Theme", "dark", "0"},
      {"View", "Theme", "2", "2"},
      {"View", "Theme", "1", "1"},
      {"MsgFont", "Color", "0x12345678", "0"},
      {"MsgFont", "Color", "0x8000001F", "0"},
      {"MsgFont", "Color", "0x8000001E", "-2147483618"},
      {"FontStyles", "NoteColor", "16777216", "-2147483640"},
      {"FontStyles", "NoteColor", "16777215", "16777215"},
      {"FontStyles", "NoteStyle", "255", "15"},
      {"StreamFont", "Name", "", "Courier New"},
      {"ObjectFont", "Name", "0123456789012345678901234567890123", "Arial"},
  };
  for (const auto& C : Cases) {
    ReadWith(C.Section, C.Name, C.Stored);
    TMemorySettingsStore Back;
    WriteSettings(Back, S, K);
    EXPECT_EQ(Back.Values.at({C.Section, C.Name}), C.Back) << C.Section << "\\" << C.Name << " = " << C.Stored;
  }
}

TEST_F(Settings, TheThemeIsWrittenAloneAndSanitised) {
  for (const auto& [Theme, Stored] : {std::pair{0, "0"}, {1, "1"}, {2, "2"}, {3, "0"}, {-1, "0"}}) {
    TMemorySettingsStore One;
    WriteThemeSetting(One, Theme);
    ASSERT_EQ(One.Values.size(), 1u);
    EXPECT_EQ(One.Values.at({"View", "Theme"}), Stored) << Theme;
  }
}

TEST_F(Settings, OutOfRangeSettingsAreNeverWritten) {
  S.MsgFont.Size = 0;
  S.StreamFont.Name.clear();
  S.IdleTime = -5;
  S.ScratchPadBarPos = -40;
  S.NavigatorMessage = lxmEnterMethod;
  K[lxmError] = {false, 0x7F000000, TextStyleBold};
  WriteSettings(Store, S, K);
  EXPECT_EQ(Store.Values.at({"MsgFont", "Size"}), "8");
  EXPECT_EQ(Store.Values.at({"StreamFont", "Name"}), "Courier New");
  EXPECT_EQ(Store.Values.at({"View", "IdleTime"}), "10");
  EXPECT_EQ(Store.Values.at({"View", "ScratchPadBarPos"}), "100");
  EXPECT_EQ(Store.Values.at({"View", "NavigatorMessage"}), "3");
  EXPECT_EQ(Store.Values.at({"FontStyles", "ErrorColor"}), "-2147483640");
  EXPECT_EQ(Store.Values.at({"FontStyles", "ErrorStyle"}), "8");
}

TEST(SettingsStore, ReadingNeverFailsAndAFailedWriteStopsThere) {
  struct TFailingStore : TMemorySettingsStore {
    std::size_t WritesLeft = 3;
    std::optional<std::string> Read(const std::string&, const std::string&) override {
      throw std::runtime_error("unreadable");
    }
    void Write(const std::string& Section, const std::string& Name, const std::string& Value) override {
      if (WritesLeft == 0) throw std::runtime_error("cannot write " + Name);
      --WritesLeft;
      TMemorySettingsStore::Write(Section, Name, Value);
    }
  } Store;
  TOrlimoSettings S;
  S.IdleTime = 77;
  TOrlimoKindStyles K{};
  ReadSettings(Store, S, K);
  EXPECT_EQ(S, TOrlimoSettings{});
  try {
    WriteSettings(Store, S, K);
    FAIL() << "no exception";
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "cannot write Inspector");
  }
  EXPECT_EQ(Written(Store), TValues(DefaultLayout.begin(), DefaultLayout.begin() + 3));
}

TEST(KindStyles, ColourAndStyleOfAKind) {
  TOrlimoKindStyles K{};
  SetDefaultKindStyle(K, TOrlimoFontSpec{"Arial", 8, 0x111111, TextStyleItalic});
  K[lxmError] = {false, 0x0000FF, TextStyleBold};
  K[lxmWarning] = {true, 0x00FFFF, TextStyleUnderline};
  const TOrlimoKindStyle Default{true, 0x111111, TextStyleItalic};
  EXPECT_EQ(KindColorStyle(K, lxmError), K[lxmError]);
  EXPECT_EQ(KindColorStyle(K, lxmWarning), Default);          // uses the default
  EXPECT_EQ(KindColorStyle(K, lxmProperty), K[lxmProperty]);  // black, plain, until changed
  for (std::int32_t Kind : {-1, lxmSeparator, lxmWakeUpSeparator, 42}) EXPECT_EQ(KindColorStyle(K, Kind), Default);
  TOrlimoKindStyles Copy = K;
  EXPECT_EQ(Copy, K);
  Copy[lxmNote].Style = TextStyleStrikeOut;
  EXPECT_NE(Copy, K);
}
