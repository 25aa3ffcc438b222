// The message record: details lines, names, sharing and memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/OrlimoMsg.h"

namespace {

TOrlimoMsgInfoRef Make(std::string_view Text, std::optional<std::string_view> Details = std::nullopt,
                       std::string_view App = "App", std::string_view Type = "") {
  TOrlimoMsgInfo::TInit I;
  I.MsgType = lxmInfo;
  I.Text = Text;
  I.AppName = App;
  I.TypeName = Type;
  I.Details = Details;
  return TOrlimoMsgInfo::Create(I);
}

std::vector<std::string> Lines(const TOrlimoDetails& D) {
  std::vector<std::string> V;
  for (std::string_view L : D) V.emplace_back(L);
  return V;
}

using VS = std::vector<std::string>;

}  // namespace

TEST(DetailsSplit, BreaksAtCrLfOrCrLf) {
  EXPECT_EQ(SplitDetails("a\r\nb\nc\r"), (VS{"a", "b", "c"}));
  EXPECT_EQ(SplitDetails(""), VS{});
  EXPECT_EQ(SplitDetails("last"), VS{"last"});
  EXPECT_EQ(SplitDetails("\n\r"), (VS{"", ""}));  // LF CR is two breaks
  EXPECT_EQ(SplitDetails("\r\n\r\nx"), (VS{"", "", "x"}));
  EXPECT_EQ(SplitDetails("a\tb\r\n"), VS{"a\tb"});
}

TEST(MsgInfo, DetailsNoneEmptyAndLines) {
  const auto None = Make("t");
  EXPECT_FALSE(None->Details().Present());
  EXPECT_EQ(None->Details().Count(), 0);

  const auto Empty = Make("t", "");
  EXPECT_TRUE(Empty->Details().Present());
  EXPECT_TRUE(Empty->Details().Empty());
  EXPECT_EQ(Empty->Details().Count(), 0);

  const auto Some = Make("t", "a\r\n\r\nb\rc");
  const TOrlimoDetails D = Some->Details();
  EXPECT_EQ(D.Count(), 4);
  EXPECT_EQ(Lines(D), (VS{"a", "", "b", "c"}));
  EXPECT_EQ(D[3], "c");
  EXPECT_EQ(D.Joined("\r\n"), "a\r\n\r\nb\r\nc\r\n");
  EXPECT_EQ(Some->Text(), "t");
}

TEST(MsgInfo, DefaultRecordIsEmptyAndNamesAreCut) {
  const auto R = TOrlimoMsgInfo::Create({});
  EXPECT_EQ(R->MsgType(), 0);
  EXPECT_EQ(R->TickCount(), 0);
  EXPECT_EQ(R->IndentLevel(), 0);
  EXPECT_EQ(R->AppName(), "");
  EXPECT_EQ(R->TypeName(), "");
  EXPECT_EQ(R->Text(), "");
  EXPECT_FALSE(R->Details());

  const auto Long = Make("x", std::nullopt, std::string(200, 'a'), std::string(100, 't'));
  EXPECT_EQ(Long->AppName(), std::string(128, 'a'));
  EXPECT_EQ(Long->TypeName(), std::string(80, 't'));
  // Interned: the same names are one string.
  EXPECT_EQ(&Make("y", std::nullopt, std::string(200, 'a'))->AppName(), &Long->AppName());
}

TEST(MsgInfo, SharedRecordLivesWhileReferenced) {
  const std::size_t Before = OrlimoRecordMemory().LiveRecords;
  {
    TOrlimoMsgInfoRef A = Make("shared", "d");
    TOrlimoMsgInfoRef B = A;
    EXPECT_EQ(A->RefCount(), 2u);
    EXPECT_EQ(OrlimoRecordMemory().LiveRecords, Before + 1);
    A = TOrlimoMsgInfoRef();
    EXPECT_EQ(B->Text(), "shared");  // still alive through B
    EXPECT_EQ(B->RefCount(), 1u);
  }
  EXPECT_EQ(OrlimoRecordMemory().LiveRecords, Before);
}

TEST(MsgInfo, CopyWithTextKeepsFieldsAndDetails) {
  TOrlimoMsgInfo::TInit I;
  I.MsgType = lxmStringList;
  I.Text = "old";
  I.AppName = "App";
  I.TypeName = "TStrings";
  I.TickCount = 77;
  I.IndentLevel = 2;
  I.Details = "l1\nl2";
  const auto Old = TOrlimoMsgInfo::Create(I);
  const auto New = TOrlimoMsgInfo::CopyWithText(*Old, "a much longer new text");
  EXPECT_EQ(New->Text(), "a much longer new text");
  EXPECT_EQ(Old->Text(), "old");
  EXPECT_EQ(New->MsgType(), lxmStringList);
  EXPECT_EQ(New->TypeName(), "TStrings");
  EXPECT_EQ(New->TickCount(), 77);
  EXPECT_EQ(New->IndentLevel(), 2);
  EXPECT_EQ(Lines(New->Details()), (VS{"l1", "l2"}));
}

TEST(MsgInfo, CompactStorage) {
  // Fixed part 20 bytes + text + NUL (+ details + NUL), rounded up to 8.
  EXPECT_EQ(Make(std::string(10, 'x'))->AllocatedSize(), 32u);
  EXPECT_EQ(Make(std::string(10, 'x'), "")->AllocatedSize(), 32u);
  EXPECT_EQ(Make(std::string(11, 'x'), "")->AllocatedSize(), 40u);
  // Large records leave the slabs and come back when released.
  const std::size_t Large = OrlimoRecordMemory().LargeBytes;
  {
    const auto Big = Make(std::string(5000, 'b'));
    EXPECT_GE(OrlimoRecordMemory().LargeBytes, Large + 5000);
    EXPECT_EQ(Big->Text().size(), 5000u);
  }
  EXPECT_EQ(OrlimoRecordMemory().LargeBytes, Large);
}

TEST(MsgInfo, SlabsOfAClearedListAreKeptForTheNextOne) {
  const std::size_t Live = OrlimoRecordMemory().LiveRecords;
  if (Live != 0) GTEST_SKIP() << "records of other tests live";
  std::vector<TOrlimoMsgInfoRef> Keep;
  for (int I = 0; I < 20000; ++I) Keep.push_back(Make("message number " + std::to_string(I)));
  const std::size_t Slabs = OrlimoRecordMemory().SlabBytes;
  Keep.clear();  // the last pooled record goes
  EXPECT_EQ(OrlimoRecordMemory().SlabBytes, Slabs) << "kept";
  EXPECT_GT(OrlimoRecordMemory().SpareBytes, 0u);
  for (int I = 0; I < 20000; ++I) Keep.push_back(Make("message number " + std::to_string(I)));
  EXPECT_EQ(OrlimoRecordMemory().SlabBytes, Slabs) << "filled again from the kept slabs";
  EXPECT_EQ(Keep[19999]->Text(), "message number 19999");
}

TEST(MsgInfo, FreedBlocksAreReused) {
  std::vector<TOrlimoMsgInfoRef> Keep;
  for (int I = 0; I < 50000; ++I) Keep.push_back(Make("message number " + std::to_string(I)));
  const std::size_t Slabs = OrlimoRecordMemory().SlabBytes;
  for (std::size_t I = 0; I < Keep.size(); I += 2) Keep[I] = TOrlimoMsgInfoRef();
  for (int I = 0; I < 50000; I += 2) Keep.push_back(Make("message number " + std::to_string(I)));
  EXPECT_EQ(OrlimoRecordMemory().SlabBytes, Slabs);
  for (std::size_t I = 1; I < 50000; I += 2) EXPECT_EQ(Keep[I]->Text(), "message number " + std::to_string(I));
}

TEST(MsgInfo, NamesThatNeverRepeatAreFreed) {
  const std::size_t Pairs = OrlimoRecordMemory().NamePairs;
  {
    std::vector<TOrlimoMsgInfoRef> Keep;
    for (int I = 0; I < 1000; ++I) Keep.push_back(Make("x", std::nullopt, "App", "T@" + std::to_string(I)));
    EXPECT_EQ(OrlimoRecordMemory().NamePairs, Pairs + 1000);
    Keep.resize(500);
    EXPECT_EQ(OrlimoRecordMemory().NamePairs, Pairs + 500);
    // Freed numbers are reused without mixing up the names still in use.
    for (int I = 0; I < 500; ++I) Keep.push_back(Make("y", std::nullopt, "Other" + std::to_string(I), "T"));
    for (int I = 0; I < 500; ++I) {
      EXPECT_EQ(Keep[static_cast<std::size_t>(I)]->TypeName(), "T@" + std::to_string(I));
      EXPECT_EQ(Keep[static_cast<std::size_t>(500 + I)]->AppName(), "Other" + std::to_string(I));
    }
  }
  EXPECT_EQ(OrlimoRecordMemory().NamePairs, Pairs);
}
