// Logging to file from the panel with real files: what is logged and what is
// not, the file's name in the status bar, a failure told once after the
// intake, and the dialog's controls with the registry.
#include "ViewerFixture.h"

#include <windows.h>

#include "core/BkLogToFile.h"
#include "core/LxLogFrm.h"
#include "model/LogFile.h"
#include "model/LogFileSettings.h"
#include "model/OrlimoRecord.h"
#include "platform/RegSettingsStore.h"

namespace {

std::string TempFolder(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-log-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

std::vector<std::string> Names(const std::string& Folder) {
  std::vector<std::string> N;
  WIN32_FIND_DATAA D;
  HANDLE H = FindFirstFileA((Folder + "\\*").c_str(), &D);
  if (H == INVALID_HANDLE_VALUE) return N;
  do {
    if (!(D.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) N.emplace_back(D.cFileName);
  } while (FindNextFileA(H, &D));
  FindClose(H);
  return N;
}

void RemoveFolder(const std::string& Folder) {
  for (const std::string& N : Names(Folder)) DeleteFileA((Folder + "\\" + N).c_str());
  RemoveDirectoryA(Folder.c_str());
}

std::vector<std::string> Texts(const std::string& Bytes) {
  std::vector<std::string> T;
  std::size_t Off = 0;
  TOrlimoRecord R;
  while (Off < Bytes.size() && DecodeRecord(Bytes.data() + Off, Bytes.size() - Off, R) == TRecordStatus::Ok) {
    T.emplace_back(R.Text);
    Off += R.Size;
  }
  EXPECT_EQ(Off, Bytes.size()) << "a record is cut";
  return T;
}

class LogToFilePanel : public ViewerTest {
protected:
  void Enable(const std::string& Folder) {
    Store.Values[{"LogFile", "Enabled"}] = "1";
    Store.Values[{"LogFile", "Folder"}] = Folder;
    C->LoadSettingsFrom(Store);
  }
  TMemorySettingsStore Store;
};

TEST_F(LogToFilePanel, EveryAcceptedMessageIsLoggedButNotALoadedLogNorAClear) {
  const std::string Folder = TempFolder("panel");
  RemoveFolder(Folder);
  Enable(Folder);
  ASSERT_TRUE(C->LogToFile().Active());
  const std::string Name = C->LogToFile().FileName();
  C->UpdateStatus();
  EXPECT_EQ(C->FStsTypeName->GetCaption(), Name);  // nothing selected

  Add(lxmInfo, "first", 1);
  C->AddCheckPoint("", 2);
  C->AddSeparator("", 3);
  C->AddNote();
  C->FLstMsgs->HideEditor(false);
  C->Clear();  // the list, not the log
  Add(lxmWarning, "second", 4);
  // A loaded log's records are in a file already.
  const std::string Saved = Folder + "-saved.olx";
  {
    TStringLogSink S;
    std::string R;
    EncodeRecord(R, lxmError, 5, "loaded", "", "app", "");
    S.Bytes = R;
    WriteFileBytes(Saved, S.Bytes);
  }
  C->LoadMessages(Saved);
  EXPECT_EQ(C->Messages().Count(), 1);
  C->LogToFile().Stop();

  ASSERT_EQ(Names(Folder), std::vector<std::string>{Name});
  TFileBytes Bytes = ReadFileBytes(Folder + "\\" + Name);
  EXPECT_EQ(Texts(std::string(Bytes.Data.get(), Bytes.Size)),
            (std::vector<std::string>{"first", "Check Point #1", "", "New Note", "second"}));
  EXPECT_TRUE(Boxes.empty());
  DeleteFileA(Saved.c_str());
  RemoveFolder(Folder);
}

TEST_F(LogToFilePanel, AFolderThatCannotBeMadeIsToldOnceAfterwards) {
  const std::string Blocker = TempFolder("blocker");
  WriteFileBytes(Blocker, "x");
  int MenuUpdates = 0;
  C->OnUpdateMenu = [&](TObject*) { ++MenuUpdates; };
  Enable(Blocker + "\\logs");
  EXPECT_FALSE(C->LogToFile().Active());
  EXPECT_FALSE(C->LogToFile().Settings().Enabled);  // the menu item is unchecked
  EXPECT_GE(MenuUpdates, 1);
  EXPECT_TRUE(Boxes.empty()) << "told while the settings were read";
  Add(lxmInfo, "kept", 1);
  Pump();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].find(Blocker), std::string::npos) << Boxes[0];
  Add(lxmInfo, "kept too", 2);
  Pump();
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(C->Messages().Count(), 2);
  DeleteFileA(Blocker.c_str());
}

// A pipe or a device is never a log folder: a pipe that nobody reads would
// hold every write, and the window with it.
TEST_F(LogToFilePanel, APipeOrADeviceIsRefusedAsTheFolder) {
  for (const char* Folder : {"\\\\.\\pipe\\orlimo-log", "C:\\Logs\\NUL"}) {
    Boxes.clear();
    Enable(Folder);
    EXPECT_FALSE(C->LogToFile().Active()) << Folder;
    Add(lxmInfo, "kept", 1);
    Pump();
    ASSERT_EQ(Boxes.size(), 1u) << Folder;
    EXPECT_NE(Boxes[0].find("not one of a file on a disk"), std::string::npos) << Boxes[0];
  }
}

// The IDE's panel has no File menu: the list's popup menu sets logging up,
// stores it under the panel's own key and is checked while it logs.
TEST_F(LogToFilePanel, TheIdePanelSetsLoggingUpFromTheListsMenu) {
  const std::string Folder = TempFolder("ide");
  RemoveFolder(Folder);
  TTempKey Key(TBkOrlimoComposite::CodeRushRegistryKey);
  auto* P = TBkOrlimoComposite::CreateForCodeRush(nullptr, &Clock);
  P->SetParentWindow(Form->GetHandle());
  P->SetBounds(0, 0, 300, 200);
  P->HandleNeeded();
  TMenuItem* Item = nullptr;
  TMenuItem* Items = P->FMnuPopup->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I)
    if (Items->GetItem(I)->GetCaption() == "Lo&g to File...") Item = Items->GetItem(I);
  ASSERT_NE(Item, nullptr);
  P->FMnuPopup->OnPopup(P->FMnuPopup);
  EXPECT_FALSE(Item->GetChecked());
  {
    TModalAnswer Dialog([&](TCustomForm& F) {
      auto* D = dynamic_cast<TFrmLogToFile*>(&F);
      ASSERT_NE(D, nullptr);
      D->ChkEnabled->SetChecked(true);
      D->EdtFolder->SetText(Folder);
      F.SetModalResult(mrOk);
    });
    Item->Click();
    EXPECT_EQ(Dialog.Shown, 1);
  }
  EXPECT_TRUE(P->LogToFile().Active());
  EXPECT_EQ(Key.Get("LogFile", "Enabled"), "1");
  EXPECT_EQ(Key.Get("LogFile", "Folder"), Folder);
  P->FMnuPopup->OnPopup(P->FMnuPopup);
  EXPECT_TRUE(Item->GetChecked());
  P->AddMessage(lxmInfo, "from the IDE", "client", "", 1, std::nullopt);
  const std::string Name = P->LogToFile().FileName();
  delete P;  // stops logging and writes what it holds
  TFileBytes Bytes = ReadFileBytes(Folder + "\\" + Name);
  EXPECT_EQ(Texts(std::string(Bytes.Data.get(), Bytes.Size)), std::vector<std::string>{"from the IDE"});
  EXPECT_TRUE(Boxes.empty());
  RemoveFolder(Folder);
}

TEST(LogToFileDialog, TheControlsGiveTheSettingsAndTheyRoundTripThroughTheRegistry) {
  TFrmLogToFile Form;
  const TLogFileSettings Shown{false, "C:\\Logs", 1500, true, 0};
  Form.SetSettings(Shown);
  EXPECT_EQ(Form.GetCaption(), "Log to File");
  EXPECT_EQ(Form.EdtSize->GetText(), "1");
  EXPECT_EQ(Form.GetSettings(), Shown);  // an untouched size keeps its kilobytes

  auto Saved = TFrmLogToFile::BrowseForFolder;
  TFrmLogToFile::BrowseForFolder = [](HWND, const std::string& Start) { return Start + "\\Picked"; };
  Form.BtnBrowse->Click();
  TFrmLogToFile::BrowseForFolder = Saved;
  EXPECT_EQ(Form.EdtFolder->GetText(), "C:\\Logs\\Picked");
  Form.ChkEnabled->SetChecked(true);
  Form.EdtSize->SetText("3");
  Form.ChkDaily->SetChecked(false);
  Form.EdtKeep->SetText("5");
  const TLogFileSettings Chosen = Form.GetSettings();
  EXPECT_EQ(Chosen, (TLogFileSettings{true, "C:\\Logs\\Picked", 3072, false, 5}));
  Form.EdtKeep->SetText("many");  // not a number: as it was
  EXPECT_EQ(Form.GetSettings().Keep, 0);

  const std::string Key = "Software\\Brunelk\\OrlimoLogTest";
  TTempKey Remove(Key);
  {
    TRegSettingsStore Store(Key);
    WriteLogFileSettings(Store, Chosen, "D:\\Default");
  }
  char Value[64] = {};
  DWORD Size = sizeof Value;
  ASSERT_EQ(
      RegGetValueA(HKEY_CURRENT_USER, (Key + "\\LogFile").c_str(), "MaxSizeKB", RRF_RT_REG_SZ, nullptr, Value, &Size),
      ERROR_SUCCESS);
  EXPECT_STREQ(Value, "3072");
  TRegSettingsStore Store(Key);
  EXPECT_EQ(ReadLogFileSettings(Store, "D:\\Default"), Chosen);
}

}  // namespace
