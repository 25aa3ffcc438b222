// The debug-output capture's portable rules: lines per process, the held part
// and its delay, the record of a line, the name cache and the queue's bound.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "model/DbgOutput.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

TDbgWrite Write(std::uint32_t Pid, std::string Text, std::int32_t Tick = 0, std::string App = "app.exe") {
  TDbgWrite W;
  W.ProcessId = Pid;
  W.TickCount = Tick;
  W.Text = std::move(Text);
  W.AppName = std::move(App);
  return W;
}

std::vector<std::string> Texts(const std::vector<TDbgLine>& Lines) {
  std::vector<std::string> Result;
  for (const TDbgLine& L : Lines) Result.push_back(L.Text);
  return Result;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(DbgLineSplitter, SplitsAtLfAndDropsCrAndTheFinalLineEnd) {
  TDbgLineSplitter S;
  std::vector<TDbgLine> Out;
  S.Feed(Write(1, "one\r\ntwo\nthree\r\n"), Out);
  EXPECT_EQ(Texts(Out), (Strings{"one", "two", "three"}));
  EXPECT_FALSE(S.HasHeld());

  // An empty line between two is a line; a lone CR inside a line stays.
  Out.clear();
  S.Feed(Write(1, "a\n\nb\rc\n"), Out);
  EXPECT_EQ(Texts(Out), (Strings{"a", "", "b\rc"}));

  Out.clear();
  S.Feed(Write(1, "\n"), Out);
  EXPECT_EQ(Texts(Out), (Strings{""}));
}

TEST(DbgLineSplitter, HoldsTheTextAfterTheLastLfPerProcess) {
  TDbgLineSplitter S;
  std::vector<TDbgLine> Out;
  S.Feed(Write(1, "first\npart", 100), Out);
  S.Feed(Write(2, "other ", 110), Out);
  EXPECT_EQ(Texts(Out), (Strings{"first"}));
  EXPECT_EQ(S.HeldProcesses(), (std::vector<std::uint32_t>{1, 2}));

  // Process 2's write does not complete process 1's part.
  S.Feed(Write(2, "line\n", 120), Out);
  S.Feed(Write(1, "ial\r", 130), Out);
  S.Feed(Write(1, "\nnext\n", 140), Out);
  ASSERT_EQ(Texts(Out), (Strings{"first", "other line", "partial", "next"}));
  // A joined line keeps the time of the write that began it.
  EXPECT_EQ(Out[1].ProcessId, 2u);
  EXPECT_EQ(Out[1].TickCount, 110);
  EXPECT_EQ(Out[2].ProcessId, 1u);
  EXPECT_EQ(Out[2].TickCount, 100);
  EXPECT_EQ(Out[3].TickCount, 140);
  EXPECT_FALSE(S.HasHeld());
}

TEST(DbgLineSplitter, HeldPartIsListedAfterTheDelayOrWhenItsProcessEnds) {
  TDbgLineSplitter S;
  std::vector<TDbgLine> Out;
  S.Feed(Write(1, "lone", 1000), Out);
  S.Feed(Write(2, "second", 1100), Out);
  S.FlushIdle(1000 + DbgHoldDelay - 1, Out);
  EXPECT_TRUE(Out.empty());
  // More text restarts the delay.
  S.Feed(Write(1, " part", 1200), Out);
  S.FlushIdle(1000 + DbgHoldDelay, Out);
  EXPECT_TRUE(Out.empty());
  S.FlushIdle(1100 + DbgHoldDelay, Out);
  EXPECT_EQ(Texts(Out), (Strings{"second"}));
  S.FlushIdle(1200 + DbgHoldDelay, Out);
  ASSERT_EQ(Texts(Out), (Strings{"second", "lone part"}));
  EXPECT_EQ(Out[1].TickCount, 1000);

  Out.clear();
  S.Feed(Write(3, "ended", 5), Out);
  S.Feed(Write(4, "alive", 5), Out);
  S.FlushProcess(3, Out);
  S.FlushProcess(3, Out);
  EXPECT_EQ(Texts(Out), (Strings{"ended"}));
  EXPECT_EQ(S.HeldProcesses(), (std::vector<std::uint32_t>{4}));
}

TEST(DbgLineSplitter, DelayHoldsAcrossTheTickCountWrap) {
  TDbgLineSplitter S;
  std::vector<TDbgLine> Out;
  const std::int32_t Before = 0x7FFFFFF0;  // just before the signed wrap
  S.Feed(Write(1, "wrap", Before), Out);
  S.FlushIdle(static_cast<std::int32_t>(static_cast<std::uint32_t>(Before) + 100), Out);
  EXPECT_TRUE(Out.empty());
  S.FlushIdle(static_cast<std::int32_t>(static_cast<std::uint32_t>(Before) + DbgHoldDelay), Out);
  EXPECT_EQ(Texts(Out), (Strings{"wrap"}));
}

TEST(DbgLineSplitter, FlushAllListsEveryHeldPartInTheOrderTheyBegan) {
  TDbgLineSplitter S;
  std::vector<TDbgLine> Out;
  S.Feed(Write(9, "nine"), Out);
  S.Feed(Write(3, "three"), Out);
  S.Feed(Write(5, "five"), Out);
  S.FlushAll(Out);
  EXPECT_EQ(Texts(Out), (Strings{"nine", "three", "five"}));
  EXPECT_FALSE(S.HasHeld());
}

TEST(DbgRecord, IsAnInfoMessageNamedAfterTheProgramAndTypedWithItsProcessId) {
  TDbgLine L;
  L.ProcessId = 4242;
  L.TickCount = 777;
  L.Text = "hello";
  L.AppName = "notepad.exe";
  const std::string Bytes = BuildDbgRecord(L);
  TOrlimoRecord R;
  ASSERT_EQ(DecodeRecord(Bytes.data(), Bytes.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.Kind, lxmInfo);
  EXPECT_EQ(R.TickCount, 777);
  EXPECT_EQ(R.Text, "hello");
  EXPECT_EQ(R.Details, "");
  EXPECT_EQ(R.AppName, "notepad.exe");
  EXPECT_EQ(R.TypeName, "PID 4242");
  EXPECT_EQ(Bytes.size(), OrlimoHeaderSize + 5 + OrlimoClientTrailer);

  // No name: the process id stands in; a long one is cut to 127 characters.
  L.AppName.clear();
  std::string B2 = BuildDbgRecord(L);
  ASSERT_EQ(DecodeRecord(B2.data(), B2.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.AppName, "PID 4242");
  L.AppName = std::string(300, 'n');
  B2 = BuildDbgRecord(L);
  ASSERT_EQ(DecodeRecord(B2.data(), B2.size(), R), TRecordStatus::Ok);
  EXPECT_EQ(R.AppName, std::string(127, 'n'));
}

TEST(DbgImageName, IsTheFileNameWithoutFolderCutTo127) {
  EXPECT_EQ(DbgImageName("C:\\Windows\\notepad.exe", 1), "notepad.exe");
  EXPECT_EQ(DbgImageName("/usr/bin/tool", 1), "tool");
  EXPECT_EQ(DbgImageName("plain.exe", 1), "plain.exe");
  EXPECT_EQ(DbgImageName("C:\\dir\\", 12), "PID 12");
  EXPECT_EQ(DbgImageName("", 0), "PID 0");
  EXPECT_EQ(DbgImageName("C:\\" + std::string(200, 'x') + ".exe", 1), std::string(127, 'x'));
  EXPECT_EQ(DbgProcessText(4294967295u), "PID 4294967295");
}

TEST(DbgNameCache, LooksUpOnceAndFallsBackToThePid) {
  int Calls = 0;
  TDbgNameCache Cache(
      [&](std::uint32_t Pid) -> std::optional<std::string> {
        ++Calls;
        if (Pid == 7) return std::nullopt;  // gone before it was asked
        return "C:\\bin\\p" + std::to_string(Pid) + ".exe";
      },
      3);
  EXPECT_EQ(Cache.Name(1), "p1.exe");
  EXPECT_EQ(Cache.Name(1), "p1.exe");
  EXPECT_EQ(Cache.Name(7), "PID 7");
  EXPECT_EQ(Cache.Name(7), "PID 7");
  EXPECT_EQ(Calls, 2);
  Cache.Forget(1);
  EXPECT_EQ(Cache.Name(1), "p1.exe");
  EXPECT_EQ(Calls, 3);
  // Full: starts again empty rather than growing.
  Cache.Name(2);
  EXPECT_EQ(Cache.Size(), 3u);
  Cache.Name(3);
  EXPECT_EQ(Cache.Size(), 1u);
  EXPECT_EQ(Cache.Name(3), "p3.exe");
}

TEST(DbgQueue, WakesOnTheFirstWriteAndHandsOverWholeBatchesInOrder) {
  TDbgQueue Q;
  EXPECT_TRUE(Q.Empty());
  EXPECT_TRUE(Q.Push(Write(1, "a")));
  EXPECT_FALSE(Q.Push(Write(2, "b")));
  EXPECT_FALSE(Q.Push(Write(1, "c")));
  TDbgQueue::TBatch B = Q.Take();
  ASSERT_EQ(B.Writes.size(), 3u);
  EXPECT_EQ(B.Writes[0].Text, "a");
  EXPECT_EQ(B.Writes[1].Text, "b");
  EXPECT_EQ(B.Writes[2].Text, "c");
  EXPECT_EQ(B.Dropped, 0u);
  EXPECT_TRUE(Q.Empty());
  EXPECT_TRUE(Q.Push(Write(1, "d")));
}

TEST(DbgQueue, DropsNewWritesWhenFullCountsThemAndWakesForADropAlone) {
  TDbgQueue Q(2, 10);
  EXPECT_TRUE(Q.Push(Write(1, "12345")));
  EXPECT_FALSE(Q.Push(Write(1, "67890")));
  EXPECT_FALSE(Q.Push(Write(1, "x")));  // third write: over the count
  TDbgQueue::TBatch B = Q.Take();
  ASSERT_EQ(B.Writes.size(), 2u);
  EXPECT_EQ(B.Writes[1].Text, "67890");
  EXPECT_EQ(B.Dropped, 1u);

  // Over the bytes: a write too large for an empty queue is dropped, and
  // that alone wakes the GUI so the drop is reported.
  EXPECT_TRUE(Q.Push(Write(1, std::string(11, 'z'))));
  EXPECT_FALSE(Q.Empty());
  EXPECT_FALSE(Q.Push(Write(1, "fits")));
  B = Q.Take();
  ASSERT_EQ(B.Writes.size(), 1u);
  EXPECT_EQ(B.Writes[0].Text, "fits");
  EXPECT_EQ(B.Dropped, 1u);
  EXPECT_EQ(Q.Take().Dropped, 0u);
  EXPECT_EQ(DbgDroppedText(1), "Debug output: 1 write dropped while the viewer was busy");
  EXPECT_EQ(DbgDroppedText(3), "Debug output: 3 writes dropped while the viewer was busy");
}

TEST(DbgQueue, ThreadsPushingAndTakingLoseNothing) {
  TDbgQueue Q;
  constexpr int PerThread = 5000;
  std::vector<std::thread> Writers;
  for (std::uint32_t Pid = 1; Pid <= 3; ++Pid)
    Writers.emplace_back([&Q, Pid] {
      for (int I = 0; I < PerThread; ++I) Q.Push(Write(Pid, std::to_string(I)));
    });
  std::vector<int> Next(4, 0);
  int Total = 0;
  auto Drain = [&] {
    for (TDbgWrite& W : Q.Take().Writes) {
      EXPECT_EQ(W.Text, std::to_string(Next[W.ProcessId]));
      ++Next[W.ProcessId];
      ++Total;
    }
  };
  while (Total < 3 * PerThread) {
    Drain();
    std::this_thread::yield();
  }
  for (std::thread& T : Writers) T.join();
  Drain();
  EXPECT_EQ(Total, 3 * PerThread);
}
