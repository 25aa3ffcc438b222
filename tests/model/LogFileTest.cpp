// Log files: writing oldest first, reading back, damaged files, short writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/LogFile.h"
#include "model/MsgList.h"

namespace {

class LogFile : public ::testing::Test {
protected:
  TManualClock Clock{0, 0};
  TOrlimoMsgList L{Clock, "Viewer"};
  void SetUp() override { L.SetCheckPointFormat("Check Point #%d"); }

  std::string Save(const TOrlimoMsgList& List) {
    TStringLogSink Sink;
    WriteLog(List, Sink);
    return Sink.Bytes;
  }
  TLogLoadResult Load(TOrlimoMsgList& List, const std::string& Bytes) {
    List.Clear();
    return ReadLog(List, Bytes.data(), Bytes.size());
  }
  static std::vector<std::string> Texts(const TOrlimoMsgList& List) {
    std::vector<std::string> V;
    for (std::int32_t I = 0; I < List.Count(); ++I) V.emplace_back(List.GetItemText(I));
    return V;
  }
};

using VS = std::vector<std::string>;

}  // namespace

TEST_F(LogFile, EmptyListIsAnEmptyFile) {
  EXPECT_EQ(Save(L), "");
  L.AddMessage(lxmInfo, "x", "", "", 0, std::nullopt);
  const TLogLoadResult R = Load(L, "");
  EXPECT_EQ(R.Records, 0);
  EXPECT_EQ(R.Stop, TRecordStatus::Ok);
  EXPECT_EQ(L.Count(), 0);
}

TEST_F(LogFile, RoundTripKeepsWhatMatters) {
  const std::string LongApp(128, 'a');
  L.AddMessage(lxmInfo, "abc", "App", "", 10, std::nullopt);
  L.AddMessage(lxmObject, "obj", LongApp, "TObj", 20, "Name\tValue\r\nTag\t1");
  L.AddCheckPoint("", 30);
  L.AddCheckPoint("", 31);
  L.AddMessage(lxmEnterMethod, "enter", "App", "", 40, "");
  L.AddSeparator("App", 50);
  L.AddMessage(lxmSaveLog, "file.olx", "App", "", 60, "");
  const std::string Bytes = Save(L);
  EXPECT_EQ(Bytes.size(), 228u + (225 + 3 + 19) + 2 * (225 + 14) + 230 + 225 + 233);

  TOrlimoMsgList M(Clock, "Viewer");
  M.SetCheckPointFormat("Check Point #%d");
  M.AddCheckPoint("", 0);  // the load starts from a cleared list
  const TLogLoadResult R = Load(M, Bytes);
  EXPECT_EQ(R.Records, 7);
  EXPECT_EQ(R.Offset, Bytes.size());
  EXPECT_EQ(Texts(M), Texts(L));
  EXPECT_EQ(M.GetItemText(2), "Check Point #1");  // renumbered from 1
  const TOrlimoMsgInfo& Obj = M.GetItemMsgInfo(1);
  EXPECT_EQ(Obj.AppName(), LongApp);
  EXPECT_EQ(Obj.TypeName(), "TObj");
  EXPECT_EQ(Obj.TickCount(), 20);
  EXPECT_EQ(Obj.Details().Lines(), (std::vector<std::string_view>{"Name\tValue", "Tag\t1"}));
  EXPECT_EQ(M.GetItemMsgInfo(4).Details().Present(), true);
  EXPECT_EQ(M.GetItemMsgInfo(6).MsgType(), lxmSaveLog);  // listed, not obeyed
  EXPECT_EQ(M.CurrentIndent(), 1);
  EXPECT_EQ(Save(M), Bytes);
}

TEST_F(LogFile, NewestFirstListIsSavedOldestFirst) {
  L.SetInsertAtEnd(false);
  for (const char* T : {"A", "B", "C"}) L.AddMessage(lxmInfo, T, "", "", 0, std::nullopt);
  EXPECT_EQ(Texts(L), (VS{"C", "B", "A"}));
  const std::string Bytes = Save(L);
  EXPECT_EQ(Bytes.substr(224, 1), "A");

  TOrlimoMsgList Top(Clock, "Viewer");
  Top.SetInsertAtEnd(false);
  Load(Top, Bytes);
  EXPECT_EQ(Texts(Top), (VS{"C", "B", "A"}));
  TOrlimoMsgList End(Clock, "Viewer");
  Load(End, Bytes);
  EXPECT_EQ(Texts(End), (VS{"A", "B", "C"}));
}

TEST_F(LogFile, DamagedFileKeepsWholeRecords) {
  for (const char* T : {"one", "two", "three"}) L.AddMessage(lxmInfo, T, "", "", 0, "d");
  const std::string Bytes = Save(L);
  const std::size_t First = 225 + 3 + 3, Second = First + 225 + 3 + 3;

  TOrlimoMsgList M(Clock, "Viewer");
  TLogLoadResult R = Load(M, Bytes.substr(0, Second + 100));  // inside a header
  EXPECT_EQ(R.Records, 2);
  EXPECT_EQ(R.Stop, TRecordStatus::TooShort);
  EXPECT_EQ(R.Offset, Second);
  EXPECT_EQ(Texts(M), (VS{"one", "two"}));

  R = Load(M, Bytes.substr(0, First + 226));  // inside the text
  EXPECT_EQ(R.Stop, TRecordStatus::PastEnd);
  EXPECT_EQ(Texts(M), VS{"one"});

  R = Load(M, Bytes.substr(0, Bytes.size() - 1));  // only the last NUL missing
  EXPECT_EQ(R.Records, 3);
  EXPECT_EQ(R.Stop, TRecordStatus::Ok);

  std::string Bad = Bytes;
  Bad[First + 8] = '\xFF';  // second record: TextLen = 0xFF0000FF, negative
  Bad[First + 11] = '\xFF';
  R = Load(M, Bad);
  EXPECT_EQ(R.Stop, TRecordStatus::NegativeLength);
  EXPECT_EQ(Texts(M), VS{"one"});
}

TEST_F(LogFile, ChunkedReadingMatchesWholeBuffer) {
  struct TMemSource : TOrlimoLogSource {
    std::string_view Bytes;
    bool Ahead = false;
    int Between = 0;
    std::size_t Read(void* D, std::size_t N) override {
      N = std::min(N, std::min<std::size_t>(Bytes.size(), std::size_t{97} * 1024));  // short reads too
      std::memcpy(D, Bytes.data(), N);
      Bytes.remove_prefix(N);
      return N;
    }
    bool ReadsAhead() const override { return Ahead; }
    void BetweenChunks() override { ++Between; }
  };
  L.AddMessage(lxmInfo, std::string(700, 'L'), "", "", 0, "big\r\ndetails");
  // Larger than the room kept in front of a chunk, and than the chunks.
  L.AddMessage(lxmInfo, std::string(200000, 'H'), "", "", 0, std::nullopt);
  for (const char* T : {"one", "", "three"}) L.AddMessage(lxmInfo, T, "", "", 0, "d");
  const std::string Good = Save(L);
  std::string Negative = Good;
  Negative[Good.size() - (225 + 5 + 3) + 15] = '\x80';  // last record: DetailsLen < 0
  for (const std::string& Bytes : {Good, Good.substr(0, Good.size() - 1), Good.substr(0, Good.size() - 2),
                                   Good.substr(0, 1200), Good.substr(0, 100), Negative}) {
    TOrlimoMsgList Whole(Clock, "Viewer");
    const TLogLoadResult W = ReadLog(Whole, Bytes.data(), Bytes.size());
    for (const bool Ahead : {false, true})
      for (std::size_t Chunk : {1u, 7u, 224u, 225u, 300u, 70000u, 1u << 20}) {
        if (Ahead && Chunk < 224) continue;  // a hand-over per byte is slow and shows nothing more
        TOrlimoMsgList M(Clock, "Viewer");
        TMemSource Src;
        Src.Bytes = Bytes;
        Src.Ahead = Ahead;
        const TLogLoadResult C = ReadLog(M, Src, Chunk);
        const std::string Case = std::to_string(Chunk) + " " + std::to_string(Bytes.size()) + (Ahead ? " ahead" : "");
        EXPECT_EQ(C.Records, W.Records) << Case;
        EXPECT_EQ(C.Stop, W.Stop) << Case;
        EXPECT_EQ(C.Offset, W.Offset) << Case;
        EXPECT_EQ(Texts(M), Texts(Whole)) << Case;
        EXPECT_GE(Src.Between, 1) << Case;
      }
  }
}

TEST_F(LogFile, ASourceReadAheadThatFailsFailsTheLoadAfterWhatCameBefore) {
  for (int I = 0; I < 50; ++I) L.AddMessage(lxmInfo, "m" + std::to_string(I), "App", "", I, std::nullopt);
  const std::string Bytes = Save(L);
  struct TFailing : TOrlimoLogSource {
    std::string_view Bytes;
    std::size_t Read(void* D, std::size_t N) override {
      if (Bytes.empty()) throw EOrlimoFileError("Cannot read log file");
      N = std::min(N, Bytes.size());
      std::memcpy(D, Bytes.data(), N);
      Bytes.remove_prefix(N);
      return N;
    }
    bool ReadsAhead() const override { return true; }
  } Src;
  Src.Bytes = std::string_view(Bytes).substr(0, Bytes.size() / 2);
  TOrlimoMsgList M(Clock, "Viewer");
  EXPECT_THROW(ReadLog(M, Src, 500), EOrlimoFileError);
  EXPECT_GT(M.Count(), 0);
  EXPECT_LE(M.Count(), 25);  // the first half of the file
  EXPECT_EQ(M.GetItemMsgInfo(0).Text(), "m0");
}

// What the viewer hears of a load, and whether it was asked anything.
struct TLoadWatch : TMsgListObserver {
  int Inserts = 0, Asked = 0;
  std::vector<std::pair<std::int32_t, std::int32_t>> Loaded;
  void AfterInsert(std::int32_t) override { ++Inserts; }
  TListFullAnswer ListFull() override {
    ++Asked;
    return TListFullAnswer::Clear;
  }
  void ItemsLoaded(std::int32_t First, std::int32_t Count) override { Loaded.emplace_back(First, Count); }
};

TEST_F(LogFile, AFullListStopsTheLoadWithoutAskingAndTheRestLoadsFromTheOffset) {
  for (int I = 0; I < 7; ++I) L.AddMessage(lxmInfo, "m" + std::to_string(I), "App", "", I, std::nullopt);
  const std::string Bytes = Save(L);
  for (const std::size_t Chunk : {std::size_t{1} << 20, std::size_t{300}, std::size_t{301}}) {
    TOrlimoMsgList M(Clock, "Viewer");
    TLoadWatch Watch;
    M.SetObserver(&Watch);
    M.SetCapacity(3);
    M.AddMessage(lxmInfo, "before", "App", "", 0, std::nullopt);  // an item before the load's
    Watch.Inserts = 0;
    struct TSource : TOrlimoLogSource {
      const std::string* B;
      std::size_t At;
      bool Ahead = false;
      std::size_t Read(void* D, std::size_t N) override {
        N = std::min(N, B->size() - At);
        std::memcpy(D, B->data() + At, N);
        At += N;
        return N;
      }
      bool ReadsAhead() const override { return Ahead; }  // stopped when the list is full
    } Src;
    Src.Ahead = Chunk == 301;
    Src.B = &Bytes;
    Src.At = 0;
    const TLogLoadResult R = ReadLog(M, Src, Chunk);
    EXPECT_TRUE(R.Full);
    EXPECT_EQ(R.Stop, TRecordStatus::Ok);
    EXPECT_EQ(R.Records, 2);
    EXPECT_EQ(Watch.Asked, 0) << "no list-full question inside the load";
    EXPECT_EQ(Watch.Inserts, 0) << "no call per item";
    // One call per batch (a batch per chunk): together, positions 1 and 2.
    ASSERT_FALSE(Watch.Loaded.empty());
    EXPECT_EQ(Watch.Loaded.front().first, 1);
    std::int32_t Next = 1;
    for (const auto& [First, Count] : Watch.Loaded) {
      EXPECT_EQ(First, Next);
      Next += Count;
    }
    EXPECT_EQ(Next, 3);
    if (Chunk > Bytes.size()) {
      EXPECT_EQ(Watch.Loaded.size(), 1u);
    }
    EXPECT_EQ(Texts(M), (VS{"before", "m0", "m1"}));
    // Going on from the offset in the cleared list takes the rest.
    M.Clear();
    const TLogLoadResult Rest = ReadLog(M, Bytes.data() + R.Offset, Bytes.size() - R.Offset);
    EXPECT_TRUE(Rest.Full) << "five more for three places";
    EXPECT_EQ(Rest.Records, 3);
    EXPECT_EQ(Texts(M), (VS{"m2", "m3", "m4"}));
    M.SetObserver(nullptr);
  }
}

TEST_F(LogFile, ALoadAtTheTopIsToldAsTheItemsFromZero) {
  for (int I = 0; I < 4; ++I) L.AddMessage(lxmInfo, "m" + std::to_string(I), "App", "", I, std::nullopt);
  const std::string Bytes = Save(L);
  TOrlimoMsgList M(Clock, "Viewer");
  TLoadWatch Watch;
  M.SetObserver(&Watch);
  M.SetInsertAtEnd(false);
  const TLogLoadResult R = ReadLog(M, Bytes.data(), Bytes.size());
  EXPECT_FALSE(R.Full);
  EXPECT_EQ(Watch.Loaded, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 4}}));
  EXPECT_EQ(Texts(M), (VS{"m3", "m2", "m1", "m0"}));
  M.SetObserver(nullptr);
}

TEST_F(LogFile, ShortWriteRaisesWriteError) {
  struct TShortSink : TOrlimoLogSink {
    std::size_t Budget = 0;
    std::string Bytes;
    std::size_t Write(const void* D, std::size_t N) override {
      const std::size_t Take = N < Budget ? N : Budget;
      Bytes.append(static_cast<const char*>(D), Take);
      Budget -= Take;
      return Take;
    }
  } Sink;
  for (const char* T : {"a", "b", "c"}) L.AddMessage(lxmInfo, T, "", "", 0, std::nullopt);
  Sink.Budget = 2 * 226 + 10;
  try {
    WriteLog(L, Sink);
    FAIL() << "no exception";
  } catch (const EOrlimoWriteError& E) {
    EXPECT_STREQ(E.what(), "Problem creating Orlimo log file");
    const Exception& Base = E;
    EXPECT_EQ(Base.Message(), "Problem creating Orlimo log file");
  }
  EXPECT_EQ(Sink.Bytes.size(), 2u * 226 + 10);  // the whole records before it stay
}

TEST_F(LogFile, FileHelpers) {
  const std::string Name = ::testing::TempDir() + "orlimo_model_test.olx";
  L.AddMessage(lxmInfo, "file", "App", "", 0, "x\ny");
  SaveLogFile(L, Name);
  TOrlimoMsgList M(Clock, "Viewer");
  M.SetIgnoreMessages(true);  // loading does not care
  EXPECT_EQ(LoadLogFile(M, Name).Records, 1);
  EXPECT_EQ(Texts(M), VS{"file"});
  EXPECT_EQ(ReadFileBytes(Name).Size, 225u + 4 + 6);
  WriteFileBytes(Name, "");
  EXPECT_EQ(ReadFileBytes(Name).Size, 0u);
  std::remove(Name.c_str());
  EXPECT_THROW(ReadFileBytes(Name), EOrlimoFileError);
  EXPECT_THROW(SaveLogFile(L, ::testing::TempDir() + "no/such/dir/x.olx"), EOrlimoFileError);
}

TEST(LogFileName, DevicesPipesAndTheRawNamespacesAreNoFiles) {
  for (const char* Name : {"\\\\.\\pipe\\orlimo",
                           "//./pipe/orlimo",
                           "\\\\?\\C:\\log.olx",
                           "\\??\\C:\\log.olx",
                           "\\\\.\\C:",
                           "\\\\server\\pipe\\orlimo",
                           "\\\\localhost\\PIPE\\x",
                           "\\\\host\\mailslot\\m",
                           "CON",
                           "nul",
                           "Nul.olx",
                           "aux.txt.bak",
                           "PRN",
                           "C:\\logs\\con.olx",
                           "logs/NUL.txt",
                           "C:nul",
                           "com1",
                           "COM9.olx",
                           "lpt1",
                           "LPT0",
                           "C:\\x\\lpt3.log",
                           "COM\xB9",
                           "conin$",
                           "CONOUT$.txt",
                           "NUL .txt",
                           "nul:",
                           "C:\\x\\Con  .olx"})
    EXPECT_TRUE(IsDeviceFileName(Name)) << Name;
  for (const char* Name : {"log.olx", "C:\\logs\\console.olx", "C:\\nul\\log.olx", "nullog.olx", "com10", "COM", "lpt",
                           "comA.olx", "\\\\server\\share\\pipe.olx", "\\\\server\\pipes\\x.olx", "C:\\x.olx:stream",
                           "..\\auxiliary.txt", "C:\\temp\\my con.olx", ""})
    EXPECT_FALSE(IsDeviceFileName(Name)) << Name;
}
