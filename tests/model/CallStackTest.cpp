// The call stack and method matching on small logs in both insertion orders,
// with unbalanced methods and a reset indent level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CallStack.h"
#include "NavOracle.h"

namespace {

using VS = std::vector<std::string>;

class CallStack : public ::testing::TestWithParam<bool> {
protected:
  TManualClock Clock{1000, 0};
  TOrlimoMsgList L{Clock, "Viewer"};
  void SetUp() override { L.SetInsertAtEnd(GetParam()); }

  void Add(std::int32_t Kind, const std::string& Text) { L.AddMessage(Kind, Text, "App", "", 0, {}); }
  // The position of the item with this text.
  std::int32_t Pos(std::string_view Text) const {
    for (std::int32_t P = 0; P < L.Count(); ++P)
      if (L.GetItemText(P) == Text) return P;
    ADD_FAILURE() << "no item " << Text;
    return -1;
  }
  VS Stack(std::string_view Of) {
    std::vector<TCallStackLine> Lines{{"stale", 99}};
    const bool Filled = TraverseCallStack(L, Pos(Of), Lines);
    const auto Want = oracle::CallStack(L, Pos(Of));
    EXPECT_EQ(Filled, Want.has_value());
    VS Texts;
    std::vector<std::int32_t> Positions;
    for (const TCallStackLine& Line : Lines) {
      Texts.emplace_back(Line.Text);
      Positions.push_back(Line.Position);
    }
    if (Want) {
      EXPECT_EQ(Positions, *Want) << "stack of " << Of;
    }
    return Texts;
  }
  std::string Match(std::string_view Of) {
    const std::int32_t P = FindMatchingMethod(L, Pos(Of));
    EXPECT_EQ(P, oracle::FindMatchingMethod(L, Pos(Of))) << "partner of " << Of;
    return P < 0 ? "none" : std::string(L.GetItemText(P));
  }
  std::string Current(std::string_view Of) {
    const std::int32_t P = FindCurrentMethod(L, Pos(Of));
    return P < 0 ? "none" : std::string(L.GetItemText(P));
  }
};

}  // namespace

TEST_P(CallStack, NestedMethods) {
  for (auto [K, T] : {std::pair{lxmEnterMethod, "Enter A"},
                      {lxmInfo, "Info"},
                      {lxmEnterMethod, "Enter B"},
                      {lxmInfo, "X"},
                      {lxmExitMethod, "Exit B"},
                      {lxmExitMethod, "Exit A"}})
    Add(K, T);
  EXPECT_EQ(Stack("X"), (VS{"Enter B", "Enter A"}));
  EXPECT_EQ(Current("X"), "Enter B");
  EXPECT_EQ(Stack("Enter B"), VS{"Enter A"});  // a method's own enter is not listed
  EXPECT_EQ(Stack("Enter A"), VS{});
  EXPECT_EQ(Current("Enter A"), "none");
  EXPECT_EQ(Stack("Exit B"), VS{"Enter A"});
  EXPECT_EQ(Match("Enter B"), "Exit B");
  EXPECT_EQ(Match("Exit B"), "Enter B");
  EXPECT_EQ(Match("Enter A"), "Exit A");
  EXPECT_EQ(Match("Exit A"), "Enter A");
  // Any other item looks for an enter of its own level toward older items.
  EXPECT_EQ(Match("Info"), "none");
}

TEST_P(CallStack, OpenMethodsAndShortLists) {
  Add(lxmEnterMethod, "Enter A");
  std::vector<TCallStackLine> Lines{{"kept", 7}};
  EXPECT_FALSE(TraverseCallStack(L, 0, Lines));  // a single message: left as it was
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_EQ(Lines[0].Position, 7);
  Add(lxmInfo, "Inside");
  EXPECT_EQ(Match("Enter A"), "none");  // still running
  EXPECT_FALSE(TraverseCallStack(L, -1, Lines));
  EXPECT_FALSE(TraverseCallStack(L, 2, Lines));
  EXPECT_EQ(FindMatchingMethod(L, -1), -1);
  EXPECT_EQ(FindCurrentMethod(L, 5), -1);
  EXPECT_EQ(Stack("Inside"), VS{"Enter A"});
  L.Clear();
  EXPECT_EQ(FindMatchingMethod(L, 0), -1);
}

TEST_P(CallStack, UnbalancedExitsAndResetIndent) {
  // Exits below level 0 stay at 0; a second exit at level 0 finds the same enter.
  Add(lxmEnterMethod, "E0");
  Add(lxmExitMethod, "X0");
  Add(lxmExitMethod, "X0 again");
  EXPECT_EQ(Match("E0"), "X0");
  EXPECT_EQ(Match("X0 again"), "E0");
  // A reset indent level starts the stack over: the walk ends at the first
  // level-0 enter it lists.
  Add(lxmEnterMethod, "Outer");
  Add(lxmEnterMethod, "Middle");
  L.ResetIndentLevel();
  Add(lxmEnterMethod, "After reset");
  Add(lxmInfo, "Work");
  EXPECT_EQ(Stack("Work"), VS{"After reset"});
  Add(lxmEnterMethod, "Inner");
  Add(lxmInfo, "Deep");  // level 2, like Middle's body
  EXPECT_EQ(Stack("Deep"), (VS{"Inner", "After reset"}));
  Add(lxmExitMethod, "Exit inner");
  EXPECT_EQ(Match("Exit inner"), "Inner");
  EXPECT_EQ(Match("Middle"), "Exit inner");  // the first exit of its level, across the reset
  // A separator inserted in the middle takes the current indent, not its
  // neighbours': its stack is whatever lies older than it.
  L.InsertSeparator(Pos("Middle"), "", 0);  // level 1
  const std::int32_t Sep = Pos("Middle") - 1;
  ASSERT_EQ(L.GetItemMsgInfo(Sep).MsgType(), lxmSeparator);
  std::vector<TCallStackLine> Lines;
  ASSERT_TRUE(TraverseCallStack(L, Sep, Lines));
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_EQ(Lines[0].Text, "Outer");
  EXPECT_EQ(oracle::CallStack(L, Sep), std::vector<std::int32_t>{Lines[0].Position});
}

TEST_P(CallStack, DeepRecursionAndLevelsFromElsewhere) {
  // 3000 nested enters, a long finished recursion, then an item at level 2.
  for (int I = 0; I < 3000; ++I) Add(lxmEnterMethod, "E" + std::to_string(I));
  for (int I = 0; I < 2998; ++I) Add(lxmExitMethod, "X" + std::to_string(I));
  Add(lxmInfo, "Here");
  EXPECT_EQ(Stack("Here"), (VS{"E1", "E0"}));
  EXPECT_EQ(Stack("E2999").size(), 2999u);
  EXPECT_EQ(Match("E2"), "X2997");
  EXPECT_EQ(Match("X2997"), "E2");
  // Records with levels of their own (shared from another list): the walk
  // rule still holds, gaps and all.
  TOrlimoMsgList Other(Clock, "Other");
  for (std::int32_t Lv : {5, 1, 7, 3, 0, 9}) {
    TOrlimoMsgInfo::TInit I;
    I.MsgType = Lv == 9 ? lxmInfo : lxmEnterMethod;
    I.IndentLevel = Lv;
    const std::string T = "L" + std::to_string(Lv);
    I.Text = T;
    Other.InsertRecord(Other.Count(), TOrlimoMsgInfo::Create(I));
  }
  L.AppendSharedItemsFrom(Other);
  for (std::int32_t P = 0; P < L.Count(); P += 97) Stack(L.GetItemText(P));
  Stack("L9");
  Stack("L3");
}

INSTANTIATE_TEST_SUITE_P(BothOrders, CallStack, ::testing::Values(true, false),
                         [](const auto& Info) { return Info.param ? "AtEnd" : "AtTop"; });
