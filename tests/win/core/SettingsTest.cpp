// The panel's settings against the real registry: every value written back as
// the layout says, the plug-in's key kept apart, unreadable and out-of-range
// values, the kind style table and the fonts it feeds.
#include "ViewerFixture.h"

#include <map>
#include <utility>

namespace {

class Settings : public ViewerTest {
protected:
  void SetUp() override {
    SavedFonts = FOrlimoFonts;
    FOrlimoFonts = {};
    ViewerTest::SetUp();
  }
  void TearDown() override {
    ViewerTest::TearDown();
    FOrlimoFonts = SavedFonts;
  }
  // Every value under the key, by "Section\Name".
  static std::map<std::string, std::string> AllValues(const std::string& Base) {
    std::map<std::string, std::string> Values;
    for (const char* Section : {"View", "MsgFont", "ObjectFont", "StreamFont", "FontStyles"}) {
      HKEY Key = nullptr;
      if (RegOpenKeyExA(HKEY_CURRENT_USER, (Base + "\\" + Section).c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS)
        continue;
      for (DWORD I = 0;; ++I) {
        char Name[256];
        BYTE Data[512];
        DWORD NameSize = sizeof Name, DataSize = sizeof Data, Type = 0;
        if (RegEnumValueA(Key, I, Name, &NameSize, nullptr, &Type, Data, &DataSize) != ERROR_SUCCESS) break;
        EXPECT_EQ(Type, static_cast<DWORD>(REG_SZ)) << Section << "\\" << Name;
        Values[std::string(Section) + "\\" + Name] = reinterpret_cast<const char*>(Data);
      }
      RegCloseKey(Key);
    }
    return Values;
  }
  TOrlimoFonts SavedFonts{};
};

TEST_F(Settings, AFirstLoadGivesTheDefaultsAndTheFirstSaveWritesEveryValue) {
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  C->LoadSettings();
  Pump();
  HKEY Base = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TBkOrlimoComposite::RegistryKey, 0, KEY_READ, &Base), ERROR_SUCCESS)
      << "the first load makes the base key";
  RegCloseKey(Base);
  EXPECT_TRUE(C->GetViewToolbar());
  EXPECT_TRUE(C->GetViewIcons());
  EXPECT_TRUE(C->GetInsertAtEnd());
  EXPECT_EQ(C->GetIdleTime(), 10);
  EXPECT_EQ(C->GetNavigatorMessage(), 3);
  EXPECT_EQ(C->MsgFont().GetName(), "Arial");
  EXPECT_EQ(C->StreamFont().GetName(), "Courier New");
  EXPECT_EQ(C->GetLstMsgsFont().GetName(), "Arial");
  EXPECT_EQ(C->FEdtStream->GetFont().GetName(), "Courier New");
  // Entry 0 follows the message font; the stored kinds use the default.
  EXPECT_TRUE(FOrlimoFonts[0].UseDefault);
  EXPECT_EQ(FOrlimoFonts[0].Color, 0);
  EXPECT_TRUE(FOrlimoFonts[lxmWarning].UseDefault);
  EXPECT_EQ(FOrlimoFonts[lxmWarning].Color, clWindowText);
  EXPECT_FALSE(FOrlimoFonts[lxmProperty].UseDefault) << "Property is never loaded";

  C->SaveSettings();
  const auto V = AllValues(TBkOrlimoComposite::RegistryKey);
  EXPECT_EQ(V.size(), 26u + 3 * 4 + 9 * 3);
  const std::map<std::string, std::string> Expected{{"View\\IgnoreMessages", "0"},
                                                    {"View\\Toolbar", "1"},
                                                    {"View\\WrapButtons", "1"},
                                                    {"View\\Inspector", "0"},
                                                    {"View\\ScratchPad", "0"},
                                                    {"View\\Icons", "1"},
                                                    {"View\\TimeStamp", "0"},
                                                    {"View\\AppName", "0"},
                                                    {"View\\CallStack", "0"},
                                                    {"View\\InsertAtEnd", "1"},
                                                    {"View\\ConfirmOnClear", "1"},
                                                    {"View\\KeepMsgInView", "0"},
                                                    {"View\\BeepOnWakeUp", "0"},
                                                    {"View\\IdleTime", "10"},
                                                    {"View\\InsertSeparatorOnWakeUp", "0"},
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
                                                    {"StreamFont\\Name", "Courier New"},
                                                    {"ObjectFont\\Name", "Arial"},
                                                    {"FontStyles\\MethodEnterUseDefault", "1"},
                                                    {"FontStyles\\WarningColor", "-2147483640"},
                                                    {"FontStyles\\MethodExitStyle", "0"}};
  for (const auto& [Name, Value] : Expected) EXPECT_EQ(V.count(Name) ? V.at(Name) : "<none>", Value) << Name;
  EXPECT_EQ(V.count("FontStyles\\PropertyColor"), 0u);
  EXPECT_EQ(V.count("FontStyles\\InfoColor"), 0u);
}

TEST_F(Settings, StylesAndColoursFollowTheStoredBitOrder) {
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  Key.Set("MsgFont", "Style", "12");  // bold italic
  Key.Set("MsgFont", "Color", "255");
  Key.Set("MsgFont", "Name", "Courier New");
  Key.Set("MsgFont", "Size", "0xA");
  Key.Set("FontStyles", "WarningUseDefault", "0");
  Key.Set("FontStyles", "WarningColor", "0x00FF00");
  Key.Set("FontStyles", "WarningStyle", "9");  // bold strike-out
  Key.Set("FontStyles", "MethodExitUseDefault", "7");
  Key.Set("ObjectFont", "Style", "2");  // underline
  C->LoadSettings();
  EXPECT_EQ(C->MsgFont().GetStyle(), fsBold | fsItalic);
  EXPECT_EQ(C->MsgFont().GetSize(), 10);
  EXPECT_EQ(C->GetLstMsgsFont().GetName(), "Courier New");
  EXPECT_EQ(C->FEdtStringList->GetFont().GetName(), "Courier New");
  EXPECT_EQ(FOrlimoFonts[0].Color, 255);
  EXPECT_EQ(FOrlimoFonts[0].Style, fsBold | fsItalic);
  EXPECT_FALSE(FOrlimoFonts[lxmWarning].UseDefault);
  EXPECT_EQ(FOrlimoFonts[lxmWarning].Color, 0x00FF00);
  EXPECT_EQ(FOrlimoFonts[lxmWarning].Style, fsBold | fsStrikeOut);
  EXPECT_TRUE(FOrlimoFonts[lxmExitMethod].UseDefault) << "any non-zero number is on";
  // The object font reaches the grid, the call stack and the captions (bold).
  EXPECT_EQ(C->FGrdObject->GetFont().GetStyle(), fsUnderline);
  EXPECT_EQ(C->FLstCallStack->GetFont().GetStyle(), fsUnderline);
  EXPECT_EQ(C->FLblStream->GetFont().GetStyle(), fsUnderline | fsBold);

  // A kind drawn with its own entry, Info with entry 0, the separators too.
  TFont F;
  TBkOrlimoComposite::SetFontColorStyle(F, lxmWarning);
  EXPECT_EQ(F.GetColor(), 0x00FF00);
  EXPECT_EQ(F.GetStyle(), fsBold | fsStrikeOut);
  TBkOrlimoComposite::SetFontColorStyle(F, lxmError);
  EXPECT_EQ(F.GetColor(), 255);
  TBkOrlimoComposite::SetFontColorStyle(F, lxmSeparator);
  EXPECT_EQ(F.GetStyle(), fsBold | fsItalic);

  FOrlimoFonts[lxmProperty] = TOrlimoFontRec{false, 0x123456, fsBold};
  C->SaveSettings();
  EXPECT_EQ(Key.Get("MsgFont", "Style"), "12");
  EXPECT_EQ(Key.Get("MsgFont", "Size"), "10");
  EXPECT_EQ(Key.Get("FontStyles", "WarningStyle"), "9");
  EXPECT_EQ(Key.Get("FontStyles", "WarningColor"), "65280");
  EXPECT_EQ(Key.Get("FontStyles", "MethodExitUseDefault"), "1");
  EXPECT_EQ(Key.Get("ObjectFont", "Style"), "2");
  EXPECT_EQ(Key.Get("FontStyles", "PropertyStyle"), "<none>") << "the Property kind is never stored";
  EXPECT_EQ(FOrlimoFonts[lxmProperty].Color, 0x123456) << "a load leaves the Property entry alone";
}

TEST_F(Settings, BadValuesStartWithSoundOnesAndAreWrittenBackValid) {
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  Key.Set("MsgFont", "Size", "0");
  Key.Set("ObjectFont", "Size", "100000");
  Key.Set("StreamFont", "Name", "");
  Key.Set("StreamFont", "Color", "abc");
  Key.Set("View", "IdleTime", "-5");
  Key.Set("View", "NavigatorMessage", "11");
  Key.Set("View", "InspectorBarPos", "30000");  // far beyond the window
  Key.Set("View", "ScratchPadBarPos", "-1");
  Key.Set("View", "Toolbar", "0x");
  Key.Set("FontStyles", "ErrorColor", "0x90000000");
  // A value of the wrong type reads as missing.
  {
    TRegistry R;
    ASSERT_TRUE(R.OpenKey(std::string(TBkOrlimoComposite::RegistryKey) + "\\View", true));
    const DWORD Five = 5;
    ASSERT_EQ(
        RegSetValueExA(R.GetCurrentKey(), "Icons", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Five), sizeof Five),
        ERROR_SUCCESS);
  }
  C->SetViewInspectorPane(true);
  C->LoadSettings();
  Pump();
  EXPECT_EQ(C->MsgFont().GetSize(), 8);
  EXPECT_EQ(C->ObjectFont().GetSize(), 8);
  EXPECT_EQ(C->StreamFont().GetName(), "Courier New");
  EXPECT_EQ(C->StreamFont().GetColor(), 0);
  EXPECT_EQ(C->GetIdleTime(), 10);
  EXPECT_EQ(C->GetNavigatorMessage(), 3);
  EXPECT_TRUE(C->GetViewToolbar());
  EXPECT_TRUE(C->GetViewIcons());
  EXPECT_EQ(FOrlimoFonts[lxmError].Color, clWindowText);
  EXPECT_EQ(C->FScratchPadSplitter->GetPosition(), 100);
  // The inspector bar beyond the window is applied as it is (the pane is
  // hidden) and saved back so; it goes to the middle when the pane is shown.
  EXPECT_FALSE(C->GetViewInspectorPane());
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), 30000);

  C->SaveSettings();
  EXPECT_EQ(Key.Get("MsgFont", "Size"), "8");
  EXPECT_EQ(Key.Get("ObjectFont", "Size"), "8");
  EXPECT_EQ(Key.Get("StreamFont", "Name"), "Courier New");
  EXPECT_EQ(Key.Get("StreamFont", "Color"), "0");
  EXPECT_EQ(Key.Get("View", "IdleTime"), "10");
  EXPECT_EQ(Key.Get("View", "NavigatorMessage"), "3");
  EXPECT_EQ(Key.Get("View", "Icons"), "1");
  EXPECT_EQ(Key.Get("View", "Toolbar"), "1");
  EXPECT_EQ(Key.Get("View", "InspectorBarPos"), "30000");
  EXPECT_EQ(Key.Get("View", "ScratchPadBarPos"), "100");
  EXPECT_EQ(Key.Get("FontStyles", "ErrorColor"), "-2147483640");
  C->SetViewInspectorPane(true);
  EXPECT_EQ(C->FInspectorSplitter->GetPosition(), C->FInspectorSplitter->GetWidth() / 2);
  EXPECT_GT(C->FPnlDetail->GetWidth(), 0);
}

TEST_F(Settings, AnEmptyKeyGivesTheDefaults) {
  TTempKey Key(TBkOrlimoComposite::RegistryKey);
  for (const char* Section : {"View", "MsgFont", "FontStyles"}) {
    TRegistry R;
    ASSERT_TRUE(R.OpenKey(std::string(TBkOrlimoComposite::RegistryKey) + "\\" + Section, true));
  }
  C->SetViewTimeStamp(true);
  C->SetIdleTime(44);
  C->LoadSettings();
  EXPECT_FALSE(C->GetViewTimeStamp());
  EXPECT_EQ(C->GetIdleTime(), 10);
  EXPECT_EQ(C->MsgFont().GetName(), "Arial");
  EXPECT_TRUE(FOrlimoFonts[lxmNote].UseDefault);
}

TEST_F(Settings, ThePluginKeepsItsOwnKey) {
  TTempKey Own(TBkOrlimoComposite::RegistryKey);
  TTempKey Plugin(TBkOrlimoComposite::CodeRushRegistryKey);
  Own.Set("MsgFont", "Size", "9");
  Plugin.Set("MsgFont", "Size", "11");
  auto* P = TBkOrlimoComposite::CreateForCodeRush(nullptr, &Clock);
  P->SetParentWindow(Form->GetHandle());
  P->SetBounds(0, 0, 300, 200);
  P->HandleNeeded();
  EXPECT_EQ(P->MsgFont().GetSize(), 11);
  P->MsgFont().SetSize(12);
  delete P;
  EXPECT_EQ(Plugin.Get("MsgFont", "Size"), "12");
  EXPECT_EQ(Own.Get("MsgFont", "Size"), "9");
  EXPECT_EQ(Own.Get("View", "Toolbar"), "<none>") << "the plug-in writes only under its own key";
}

TEST_F(Settings, FontsAndTablesCompareEveryField) {
  TFont A, B;
  A.SetName("Arial");
  B.SetName("Arial");
  EXPECT_TRUE(TBkOrlimoComposite::FontsAreEqual(A, B));
  B.SetName("arial");
  EXPECT_FALSE(TBkOrlimoComposite::FontsAreEqual(A, B)) << "face names compare case-sensitively";
  B.SetName("Arial");
  B.SetColor(clRed);
  EXPECT_FALSE(TBkOrlimoComposite::FontsAreEqual(A, B));
  B.SetColor(A.GetColor());
  B.SetSize(A.GetSize() + 1);
  EXPECT_FALSE(TBkOrlimoComposite::FontsAreEqual(A, B));
  B.SetSize(A.GetSize());
  B.SetStyle(fsItalic);
  EXPECT_FALSE(TBkOrlimoComposite::FontsAreEqual(A, B));

  TOrlimoFonts X{}, Y{};
  EXPECT_TRUE(TBkOrlimoComposite::FontArraysAreEqual(X, Y));
  Y[10].Style = fsUnderline;
  EXPECT_FALSE(TBkOrlimoComposite::FontArraysAreEqual(X, Y));
  Y = X;
  Y[0].UseDefault = true;
  EXPECT_FALSE(TBkOrlimoComposite::FontArraysAreEqual(X, Y));
  Y = X;
  Y[5].Color = 1;
  EXPECT_FALSE(TBkOrlimoComposite::FontArraysAreEqual(X, Y));
}

TEST_F(Settings, KindsAreDrawnInTheirColours) {
  FOrlimoFonts[0] = TOrlimoFontRec{true, clBlack, 0};
  FOrlimoFonts[lxmError] = TOrlimoFontRec{false, clRed, 0};
  FOrlimoFonts[lxmWarning] = TOrlimoFontRec{true, clRed, 0};  // uses the default
  C->SetViewIcons(false);
  Add(lxmError, "WWWWWWWW", 1);
  Add(lxmWarning, "WWWWWWWW", 2);
  List->FlushChanges();
  const auto S = Paint(*List);
  const int H = List->GetItemHeight();
  auto RedIn = [&](int Top) {
    for (int Y = Top; Y < Top + H; ++Y)
      if (S->RowHas(Y, 0, 120, RGB(255, 0, 0))) return true;
    return false;
  };
  EXPECT_TRUE(RedIn(0)) << "the error drawn in its red";
  EXPECT_FALSE(RedIn(H)) << "the warning uses the default";
}

TEST_F(Settings, ANewListFontMeasuresTheNameColumnAgain) {
  C->SetViewAppName(true);
  for (int I = 0; I < 200; ++I)
    C->AddMessage(lxmInfo, "m", I % 2 ? "ShortName" : "AMuchLongerApplicationName", "", I, std::nullopt);
  const int Before = C->AppNameWidth();
  TFont Big(C->MsgFont());
  Big.SetSize(20);
  C->SetLstMsgsFont(Big);
  EXPECT_GT(C->AppNameWidth(), Before * 3 / 2);
  TCanvas& Canvas = List->GetCanvas();
  Canvas.GetFont().Assign(Big);
  EXPECT_EQ(C->AppNameWidth(), Canvas.TextWidth("AMuchLongerApplicationName") + 8);
  EXPECT_EQ(C->GetLstMsgsFont().GetSize(), 20);
}

}  // namespace
