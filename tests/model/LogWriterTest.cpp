// Logging to file while running: file names, rotation by size and by day,
// Keep, batching and flushing, failures, and the stored settings.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/LogFileSettings.h"
#include "model/LogWriter.h"
#include "model/MsgList.h"
#include "model/OrlimoRecord.h"
#include "model/Settings.h"

namespace {

class TFakeClock : public TLogWriterClock {
public:
  std::uint64_t Milliseconds() override { return Ms; }
  TLogLocalTime LocalTime() override { return Local; }
  std::uint64_t Ms = 1000;
  TLogLocalTime Local{2026, 12, 8, 23, 59, 58};
};

// Files as strings, keyed by path. Writes of a file go to Files[path] only
// while the disk has room (Room bytes in all).
class TFakeFs : public TLogFileSystem {
public:
  struct THandle : TLogFileHandle {
    THandle(TFakeFs& Fs, std::string Path) : Fs(Fs), Path(std::move(Path)) {}
    ~THandle() override { ++Fs.Closed; }
    void Write(const void* Data, std::size_t Size) override {
      ++Fs.Writes;
      const std::size_t N = std::min(Size, Fs.Room);
      Fs.Files[Path].append(static_cast<const char*>(Data), N);
      Fs.Room -= N;
      if (N != Size) throw ELogFileError(Path, "There is not enough space on the disk.");
    }
    void Flush() override { Fs.Flushed.push_back(Path + "@" + std::to_string(Fs.Files[Path].size())); }
    void Truncate(std::uint64_t Size) noexcept override { Fs.Files[Path].resize(Size); }
    TFakeFs& Fs;
    std::string Path;
  };
  void CreateFolder(const std::string& Folder) override {
    if (Folder == "Z:\\readonly") throw ELogFileError(Folder, "Access is denied.");
    Folders.push_back(Folder);
  }
  std::unique_ptr<TLogFileHandle> CreateNew(const std::string& Path) override {
    if (Files.count(Path)) return nullptr;
    Files[Path];
    return std::make_unique<THandle>(*this, Path);
  }
  std::vector<std::string> ListNames(const std::string& Folder) override {
    std::vector<std::string> Names;
    for (const auto& [Path, Bytes] : Files)
      if (Path.rfind(Folder + "\\", 0) == 0) Names.push_back(Path.substr(Folder.size() + 1));
    return Names;
  }
  bool Delete(const std::string& Path) override { return Files.erase(Path) != 0; }

  std::map<std::string, std::string> Files;
  std::vector<std::string> Folders;
  std::vector<std::string> Flushed;
  std::size_t Room = SIZE_MAX;
  int Writes = 0;
  int Closed = 0;
};

const std::string Dir = "C:\\Logs";

std::string Path(const std::string& Name) { return Dir + "\\" + Name; }

// A log record whose text is Text.
std::string Rec(const std::string& Text) {
  std::string Out;
  EncodeRecord(Out, lxmInfo, 1234, Text, "", "App", "");
  return Out;
}

// Decodes every record of Bytes; fails when it does not end on a whole one.
std::vector<std::string> Texts(const std::string& Bytes) {
  std::vector<std::string> T;
  std::size_t Off = 0;
  TOrlimoRecord R;
  while (Off < Bytes.size()) {
    EXPECT_EQ(DecodeRecord(Bytes.data() + Off, Bytes.size() - Off, R), TRecordStatus::Ok);
    if (R.Size == 0 || Off + R.Size > Bytes.size()) {
      ADD_FAILURE() << "record cut at " << Off;
      break;
    }
    T.emplace_back(R.Text);
    Off += R.Size;
  }
  return T;
}

struct LogWriterTest : ::testing::Test {
  TFakeFs Fs;
  TFakeClock Clock;
  TOrlimoLogWriter Writer{Fs, Clock};
  void Start(std::uint64_t MaxSize = 0, bool Daily = true, std::int32_t Keep = 0) {
    Writer.Start(TLogWriterOptions{Dir, MaxSize, Daily, Keep});
  }
  std::vector<std::string> Names() { return Fs.ListNames(Dir); }
};

TEST(LogFileNameTest, NamesAndWhatTheNamingAccepts) {
  EXPECT_EQ(LogFileName({2026, 1, 2, 3, 4, 5}, 1), "Orlimo-20260102-030405-0001.olx");
  EXPECT_EQ(LogFileName({2026, 12, 31, 23, 59, 59}, 12345), "Orlimo-20261231-235959-12345.olx");
  std::string K1, K2;
  EXPECT_TRUE(ParseLogFileName("Orlimo-20260102-030405-0001.olx", &K1));
  EXPECT_TRUE(ParseLogFileName("ORLIMO-20260102-030405-9999.OLX", nullptr));
  EXPECT_TRUE(ParseLogFileName("Orlimo-20260102-030405-10000.olx", &K2));
  EXPECT_LT(K1, K2);
  for (const char* Bad : {"Orlimo-20260102-030405-001.olx", "Orlimo-2026010-030405-0001.olx",
                          "Orlimo-20260102-030405-0001.txt", "Orlimo-20260102_030405-0001.olx",
                          "Orlimo-2026O102-030405-0001.olx", "My-20260102-030405-0001.olx", "saved.olx", ""})
    EXPECT_FALSE(ParseLogFileName(Bad)) << Bad;
  EXPECT_EQ(LogFilePath("C:\\A\\", "f"), "C:\\A\\f");
  EXPECT_EQ(LogFilePath("C:\\A", "f"), "C:\\A\\f");
}

TEST_F(LogWriterTest, StartMakesTheFolderAndTheFirstFileNumbersCountOnPastNamesThatExist) {
  Fs.Files[Path("Orlimo-20261208-235958-0001.olx")] = "someone else's";
  Start();
  EXPECT_EQ(Fs.Folders, std::vector<std::string>{Dir});
  EXPECT_EQ(Writer.FileName(), "Orlimo-20261208-235958-0002.olx");
  EXPECT_EQ(Writer.FilePath(), Path("Orlimo-20261208-235958-0002.olx"));
  // The next file of this run in the same second takes the next number.
  Start();
  EXPECT_EQ(Writer.FileName(), "Orlimo-20261208-235958-0003.olx");
  EXPECT_EQ(Fs.Files[Path("Orlimo-20261208-235958-0001.olx")], "someone else's");
  Writer.Stop();
  EXPECT_FALSE(Writer.Active());
  EXPECT_EQ(Writer.FileName(), "");
}

TEST_F(LogWriterTest, SizeRotationAtTheExactBoundaryNeverSplitsARecord) {
  const std::string A = Rec("a"), B = Rec("b"), C = Rec("c"), D = Rec("d");
  ASSERT_EQ(A.size(), 226u);
  Start(3 * A.size());
  for (const auto* R : {&A, &B, &C, &D}) Writer.Append(*R);
  Writer.Stop();
  ASSERT_EQ(Names().size(), 2u);
  EXPECT_EQ(Fs.Files[Path("Orlimo-20261208-235958-0001.olx")], A + B + C);  // exactly the limit
  EXPECT_EQ(Fs.Files[Path("Orlimo-20261208-235958-0002.olx")], D);

  // One byte less: two records per file.
  TFakeFs Fs2;
  TOrlimoLogWriter W2(Fs2, Clock);
  W2.Start(TLogWriterOptions{Dir, 3 * A.size() - 1, true, 0});
  for (const auto* R : {&A, &B, &C, &D}) W2.Append(*R);
  W2.Stop();
  std::string All;
  std::vector<std::size_t> Sizes;
  for (const auto& [P, Bytes] : Fs2.Files) {
    Sizes.push_back(Bytes.size());
    All += Bytes;
  }
  EXPECT_EQ(Sizes, (std::vector<std::size_t>{2 * A.size(), 2 * A.size()}));
  EXPECT_EQ(All, A + B + C + D);
  // Each file is flushed when it is left.
  EXPECT_EQ(Fs2.Flushed.size(), 2u);
}

TEST_F(LogWriterTest, ARecordBiggerThanTheLimitGetsAFileOfItsOwn) {
  const std::string Small = Rec("s"), Big = Rec(std::string(1000, 'x'));
  Start(500);
  Writer.Append(Small);
  Writer.Append(Big);
  Writer.Append(Small);
  Writer.Stop();
  std::vector<std::vector<std::string>> PerFile;
  for (const auto& [P, Bytes] : Fs.Files) PerFile.push_back(Texts(Bytes));
  EXPECT_EQ(PerFile, (std::vector<std::vector<std::string>>{{"s"}, {std::string(1000, 'x')}, {"s"}}));
  // Without a limit every record goes to one file.
  Start(0);
  for (int I = 0; I < 100; ++I) Writer.Append(Big);
  EXPECT_EQ(Writer.FilesStarted(), 4);
}

TEST_F(LogWriterTest, DailyStartsANewFileAtTheFirstRecordAfterMidnight) {
  Start();
  Writer.Append(Rec("before"));
  Clock.Local = {2026, 12, 9, 0, 0, 1};
  Writer.Append(Rec("after"));
  Writer.Append(Rec("later"));
  EXPECT_EQ(Writer.FileName(), "Orlimo-20261209-000001-0002.olx");
  Writer.Stop();
  EXPECT_EQ(Texts(Fs.Files[Path("Orlimo-20261208-235958-0001.olx")]), std::vector<std::string>{"before"});
  EXPECT_EQ(Texts(Fs.Files[Path("Orlimo-20261209-000001-0002.olx")]), (std::vector<std::string>{"after", "later"}));

  // Daily off: midnight changes nothing.
  TFakeFs Fs2;
  TOrlimoLogWriter W2(Fs2, Clock);
  W2.Start(TLogWriterOptions{Dir, 0, false, 0});
  Clock.Local = {2026, 12, 10, 0, 0, 0};
  W2.Append(Rec("x"));
  EXPECT_EQ(W2.FilesStarted(), 1);
}

TEST_F(LogWriterTest, KeepDeletesOnlyTheOldestFilesOfThisNaming) {
  const std::vector<std::string> Others = {"notes.txt", "saved.olx", "Orlimo-1.olx", "Orlimo-20200101-000000-001.olx"};
  for (const auto& N : Others) Fs.Files[Path(N)] = "keep me";
  Fs.Files[Path("Orlimo-20200101-000000-0001.olx")] = "";
  Fs.Files[Path("orlimo-20200101-000000-0002.OLX")] = "";
  Fs.Files["C:\\Elsewhere\\Orlimo-20100101-000000-0001.olx"] = "";
  Start(300, true, 2);
  // Two of this naming are left: the oldest old one is gone, the newer stays beside the current.
  EXPECT_FALSE(Fs.Files.count(Path("Orlimo-20200101-000000-0001.olx")));
  EXPECT_TRUE(Fs.Files.count(Path("orlimo-20200101-000000-0002.OLX")));
  for (int I = 0; I < 3; ++I) Writer.Append(Rec("r"));  // three files of this run
  Writer.Stop();
  std::vector<std::string> Ours;
  for (const auto& N : Names())
    if (ParseLogFileName(N)) Ours.push_back(N);
  EXPECT_EQ(Ours, (std::vector<std::string>{"Orlimo-20261208-235958-0002.olx", "Orlimo-20261208-235958-0003.olx"}));
  for (const auto& N : Others) EXPECT_EQ(Fs.Files[Path(N)], "keep me") << N;
  EXPECT_TRUE(Fs.Files.count("C:\\Elsewhere\\Orlimo-20100101-000000-0001.olx"));
}

TEST_F(LogWriterTest, RecordsAreBatchedAndWrittenWithin250MsAndFlushedEvery10s) {
  Start();
  const std::string F = Path(Writer.FileName());
  Writer.Append(Rec("1"));
  Writer.Append(Rec("2"));
  EXPECT_EQ(Fs.Files[F], "");
  EXPECT_TRUE(Writer.Tick());  // too young: still buffered, more to do
  EXPECT_EQ(Fs.Writes, 0);
  Clock.Ms += TOrlimoLogWriter::WriteDelay;
  EXPECT_TRUE(Writer.Tick());  // written, not yet flushed
  EXPECT_EQ(Texts(Fs.Files[F]), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Fs.Writes, 1);
  EXPECT_TRUE(Fs.Flushed.empty());
  Clock.Ms += TOrlimoLogWriter::FlushInterval;
  EXPECT_FALSE(Writer.Tick());  // flushed: nothing left to do
  EXPECT_EQ(Fs.Flushed.size(), 1u);
  EXPECT_FALSE(Writer.Tick());

  // A record that comes after the buffer's delay writes at once, without a tick.
  Writer.Append(Rec("3"));
  Clock.Ms += TOrlimoLogWriter::WriteDelay;
  Writer.Append(Rec("4"));
  EXPECT_EQ(Texts(Fs.Files[F]), (std::vector<std::string>{"1", "2", "3", "4"}));

  // A full buffer is written at once, in whole records.
  const int Before = Fs.Writes;
  const std::string R = Rec(std::string(1000, 'z'));
  std::size_t N = 0;
  while (Fs.Writes == Before) {
    Writer.Append(R);
    ++N;
  }
  EXPECT_EQ(N, TOrlimoLogWriter::BufferLimit / R.size() + 1);
  EXPECT_EQ(Texts(Fs.Files[F]).size(), 4 + N);
}

TEST_F(LogWriterTest, AFullDiskStopsWithTheFileEndingOnAWholeRecord) {
  Start();
  const std::string F = Path(Writer.FileName());
  Writer.Append(Rec("1"));
  Clock.Ms += TOrlimoLogWriter::WriteDelay;
  Writer.Tick();
  Fs.Room = 300;  // part of the next two records fits
  Writer.Append(Rec("2"));
  Writer.Append(Rec("3"));
  Clock.Ms += TOrlimoLogWriter::WriteDelay;
  try {
    Writer.Tick();
    FAIL() << "no error";
  } catch (const ELogFileError& E) {
    EXPECT_EQ(E.FileName(), F);
    EXPECT_EQ(E.Reason(), "There is not enough space on the disk.");
  }
  EXPECT_FALSE(Writer.Active());
  EXPECT_EQ(Texts(Fs.Files[F]), std::vector<std::string>{"1"});
  EXPECT_EQ(Fs.Closed, 1);
  // Inactive: nothing more happens.
  Writer.Append(Rec("4"));
  EXPECT_FALSE(Writer.Tick());
  Writer.Stop();
}

TEST_F(LogWriterTest, AFolderThatCannotBeMadeFailsTheStart) {
  EXPECT_THROW(Writer.Start(TLogWriterOptions{"Z:\\readonly", 0, true, 0}), ELogFileError);
  EXPECT_FALSE(Writer.Active());
  EXPECT_TRUE(Fs.Files.empty());
}

TEST_F(LogWriterTest, AListItemIsLoggedAsASavedLogHoldsIt) {
  TManualClock ListClock;
  TOrlimoMsgList List(ListClock);
  List.AddMessage(lxmObject, "Obj", "App", "TThing", 42, std::string_view("A\tb\r\nC\td\r\n"));
  Start();
  Writer.Append(List.GetItemMsgInfo(0));
  Writer.Stop();
  std::string Expected;
  BuildLogRecord(Expected, List.GetItemMsgInfo(0));
  EXPECT_EQ(Fs.Files[Path("Orlimo-20261208-235958-0001.olx")], Expected);
}

TEST(LogFileSettingsTest, DefaultsRoundTripAndBadValues) {
  const std::string DefFolder = DefaultLogFolder("C:\\Users\\me\\Documents");
  EXPECT_EQ(DefFolder, "C:\\Users\\me\\Documents\\Orlimo Logs");
  TMemorySettingsStore Empty;
  const TLogFileSettings D = ReadLogFileSettings(Empty, DefFolder);
  EXPECT_EQ(D, (TLogFileSettings{false, DefFolder, 10240, true, 0}));
  WriteLogFileSettings(Empty, D, DefFolder);
  EXPECT_EQ(Empty.Values, (std::map<TMemorySettingsStore::TKey, std::string>{{{"LogFile", "Enabled"}, "0"},
                                                                             {{"LogFile", "Folder"}, DefFolder},
                                                                             {{"LogFile", "MaxSizeKB"}, "10240"},
                                                                             {{"LogFile", "Daily"}, "1"},
                                                                             {{"LogFile", "Keep"}, "0"}}));

  TMemorySettingsStore S;
  const TLogFileSettings Mine{true, "D:\\Mine", 0, false, 7};
  WriteLogFileSettings(S, Mine, DefFolder);
  EXPECT_EQ(ReadLogFileSettings(S, DefFolder), Mine);
  EXPECT_EQ(Mine.WriterOptions().MaxSize, 0u);
  EXPECT_EQ(D.WriterOptions().MaxSize, 10240u * 1024);

  TMemorySettingsStore Bad;
  for (const auto& [Name, Value] : std::vector<std::pair<std::string, std::string>>{
           {"Enabled", "yes"}, {"Folder", ""}, {"MaxSizeKB", "-1"}, {"Daily", "x"}, {"Keep", "99999999999"}})
    Bad.Values[{"LogFile", Name}] = Value;
  EXPECT_EQ(ReadLogFileSettings(Bad, DefFolder), D);
}

}  // namespace
