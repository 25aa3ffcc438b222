// The message list model: insertion ends, wake-up rule, indentation, check
// points, notes, list full, sharing between panels, reorder and delete.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/MsgList.h"

namespace {

struct TRecorder : TMsgListObserver {
  std::vector<std::string> Events;
  TListFullAnswer Answer = TListFullAnswer::Ignore;
  void WakeUpBeep() override { Events.push_back("beep"); }
  void BeforeInsert(std::int32_t Kind, std::string_view App) override {
    Events.push_back("before " + std::to_string(Kind) + " " + std::string(App));
  }
  void NavigatorKindInserted(std::int32_t P) override { Events.push_back("nav " + std::to_string(P)); }
  void AfterInsert(std::int32_t P) override { Events.push_back("after " + std::to_string(P)); }
  TOrlimoMsgList* ClearsOnFull = nullptr;  // answers Clear after clearing this list itself
  TListFullAnswer ListFull() override {
    Events.push_back("full");
    if (ClearsOnFull) ClearsOnFull->Clear();
    return Answer;
  }
  void Cleared() override { Events.push_back("cleared"); }
  void IgnoreMessagesChanged(bool V) override { Events.push_back(V ? "ignore" : "receive"); }
};

class MsgList : public ::testing::Test {
protected:
  TManualClock Clock{1000, 36000000};
  TOrlimoMsgList L{Clock, "Viewer"};
  TRecorder Rec;
  void SetUp() override {
    L.SetObserver(&Rec);
    L.SetCheckPointFormat("Check Point #%d");
  }

  std::int32_t Add(std::int32_t Kind, std::string_view Text, std::int32_t Tick = 0) {
    return L.AddMessage(Kind, Text, "App", "", Tick, std::string_view());
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> V;
    for (std::int32_t I = 0; I < L.Count(); ++I) V.emplace_back(L.GetItemText(I));
    return V;
  }
  std::vector<std::int32_t> Kinds() const {
    std::vector<std::int32_t> V;
    for (std::int32_t I = 0; I < L.Count(); ++I) V.push_back(L.GetItemMsgInfo(I).MsgType());
    return V;
  }
};

using VS = std::vector<std::string>;
using VI = std::vector<std::int32_t>;

}  // namespace

TEST_F(MsgList, InsertionEnds) {
  EXPECT_EQ(Add(lxmInfo, "A"), 0);
  EXPECT_EQ(Add(lxmInfo, "B"), 1);
  EXPECT_EQ(L.NewestPosition(), 1);
  L.Clear();
  L.SetInsertAtEnd(false);
  EXPECT_EQ(Add(lxmInfo, "A"), 0);
  EXPECT_EQ(Add(lxmInfo, "B"), 0);
  EXPECT_EQ(Add(lxmInfo, "C"), 0);
  EXPECT_EQ(Texts(), (VS{"C", "B", "A"}));
  EXPECT_EQ(L.NewestPosition(), 0);
  L.Reverse();
  EXPECT_EQ(Texts(), (VS{"A", "B", "C"}));
}

TEST_F(MsgList, WakeUpSeparatorAfterIdleTime) {
  L.SetInsertSeparatorOnWakeUp(true);
  Add(lxmInfo, "first", 5000);
  Add(lxmInfo, "exactly idle", 15000);  // 10000 ms: no wake-up
  EXPECT_EQ(Add(lxmInfo, "woken", 25001), 3);
  EXPECT_EQ(Kinds(), (VI{lxmInfo, lxmInfo, lxmWakeUpSeparator, lxmInfo}));
  const TOrlimoMsgInfo& Sep = L.GetItemMsgInfo(2);
  EXPECT_EQ(Sep.TickCount(), 25001);
  EXPECT_EQ(Sep.AppName(), "App");
  EXPECT_FALSE(Sep.Details());
  EXPECT_EQ(L.GetItemText(2), "");
  // A separator never wakes the list, however long the silence before it.
  Add(lxmSeparator, "", 90000);
  EXPECT_EQ(Kinds(), (VI{lxmInfo, lxmInfo, lxmWakeUpSeparator, lxmInfo, lxmSeparator}));

  // At the top both go to position 0, the message above the separator.
  L.Clear();
  L.SetInsertAtEnd(false);
  Add(lxmInfo, "first", 0);
  EXPECT_EQ(Add(lxmInfo, "woken", 10001), 0);
  EXPECT_EQ(Kinds(), (VI{lxmInfo, lxmWakeUpSeparator, lxmInfo}));
  EXPECT_EQ(L.GetItemText(0), "woken");
}

TEST_F(MsgList, WhatWakesAndWhatDoesNot) {
  L.SetBeepOnWakeUp(true);
  L.SetIdleTime(1);
  std::int32_t T = 0;
  Add(lxmInfo, "start", T);
  for (std::int32_t K : {lxmSeparator, lxmWakeUpSeparator, lxmClear, lxmSaveLog, -1, 42}) Add(K, "", T += 5000);
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), "beep"), 0);
  L.AddCheckPoint("", T += 5000);
  Clock.SetTick(T += 5000);
  L.AddNote();
  Add(lxmExitMethod, "", T += 5000);
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), "beep"), 3);
  EXPECT_EQ(L.Count(), 10);  // beeping alone inserts nothing

  // Tick counts compare in 32-bit signed arithmetic, across the wrap-around.
  L.Clear();
  Rec.Events.clear();
  Add(lxmInfo, "before wrap", INT32_MAX - 100);
  Add(lxmInfo, "after wrap", INT32_MIN + 2000);  // 2101 ms later
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), "beep"), 1);
  Add(lxmInfo, "older", INT32_MIN);  // earlier: negative difference
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), "beep"), 1);
}

TEST_F(MsgList, IndentFollowsMethods) {
  for (std::int32_t K : {lxmEnterMethod, lxmEnterMethod, lxmInfo, lxmExitMethod, lxmExitMethod, lxmExitMethod})
    Add(K, "");
  VI Levels;
  for (std::int32_t I = 0; I < L.Count(); ++I) Levels.push_back(L.GetItemMsgInfo(I).IndentLevel());
  EXPECT_EQ(Levels, (VI{0, 1, 2, 1, 0, 0}));
  EXPECT_EQ(L.CurrentIndent(), 0);
  Add(lxmEnterMethod, "");
  L.ResetIndentLevel();
  EXPECT_EQ(L.CurrentIndent(), 0);
  EXPECT_EQ(L.GetItemMsgInfo(6).IndentLevel(), 0);
}

TEST_F(MsgList, CheckPointsSeparatorsAndProcessMessage) {
  TOrlimoMsgList Other(Clock, "Viewer");
  Other.SetCheckPointFormat("Check Point #%d");
  L.AddCheckPoint("", 1);
  L.AddCheckPoint("Client", 2);
  Other.AddCheckPoint("", 3);
  EXPECT_EQ(Texts(), (VS{"Check Point #1", "Check Point #2"}));
  EXPECT_EQ(Other.GetItemText(0), "Check Point #1");        // numbered per panel
  EXPECT_EQ(CheckPointText("Punkt %d!", 12), "Punkt 12!");  // the panel's own text
  EXPECT_EQ(CheckPointText("no number", 12), "no number");
  EXPECT_EQ(L.GetItemMsgInfo(0).AppName(), "Viewer");
  EXPECT_EQ(L.GetItemMsgInfo(1).AppName(), "Client");
  EXPECT_FALSE(L.GetItemMsgInfo(0).Details());
  L.Clear();
  EXPECT_EQ(L.CheckPointCount(), 0);

  // A client's check point text is never used; separators are empty; any
  // other kind, commands included, is listed with its text and details.
  EXPECT_EQ(L.ProcessMessage(BuildClientRecord(lxmCheckPoint, 9, "ignored", "", "", "").data(), 227 + 7),
            TRecordStatus::Ok);
  L.ProcessMessage(BuildClientRecord(lxmSeparator, 9, "ignored", "", "Cl", "T").data(), 227 + 7);
  L.ProcessMessage(BuildClientRecord(42, 9, "forty-two", "", "Cl", "T").data(), 227 + 9);
  L.ProcessMessage(BuildClientRecord(lxmClear, 9, "c", "d", "Cl", "T").data(), 227 + 2);
  EXPECT_EQ(L.ProcessMessage(BuildClientRecord(lxmInfo, 9, "short", "", "", "").data(), 200), TRecordStatus::TooShort);
  EXPECT_EQ(Texts(), (VS{"Check Point #1", "", "forty-two", "c"}));
  EXPECT_EQ(Kinds(), (VI{lxmCheckPoint, lxmSeparator, 42, lxmClear}));
  EXPECT_EQ(L.GetItemMsgInfo(1).AppName(), "Cl");
  EXPECT_EQ(L.GetItemMsgInfo(1).TypeName(), "");
  EXPECT_TRUE(L.GetItemMsgInfo(2).Details().Present());
  EXPECT_EQ(L.GetItemMsgInfo(3).Details().Count(), 1);

  // InsertSeparator: at the given item, no wake-up test, current indent.
  L.SetInsertSeparatorOnWakeUp(true);
  Add(lxmEnterMethod, "m", 100000);
  EXPECT_EQ(L.InsertSeparator(1, "", 500000), 1);
  EXPECT_EQ(L.GetItemMsgInfo(1).MsgType(), lxmSeparator);
  EXPECT_EQ(L.GetItemMsgInfo(1).IndentLevel(), 1);
  EXPECT_EQ(L.GetItemMsgInfo(1).AppName(), "Viewer");
  EXPECT_EQ(L.Count(), 7);  // the wake-up separator before "m", none before the inserted one
  const std::int32_t P = L.InsertSeparator(-1, "", 1);  // no current item: insertion end
  EXPECT_EQ(P, 7);
  EXPECT_EQ(L.Count(), 8);
}

TEST_F(MsgList, NotesAndNavigatorKind) {
  Clock.SetTick(4242);
  EXPECT_EQ(L.AddNote(), 0);
  EXPECT_EQ(L.EditIndex(), 0);
  const TOrlimoMsgInfo& Note = L.GetItemMsgInfo(0);
  EXPECT_EQ(L.GetItemText(0), "New Note");
  EXPECT_EQ(Note.TickCount(), 4242);
  EXPECT_EQ(Note.AppName(), "Viewer");
  EXPECT_FALSE(Note.Details());

  // InsertNote takes the indent of the item it goes before.
  for (int I = 0; I < 3; ++I) Add(lxmEnterMethod, "e");
  Add(lxmInfo, "deep");  // level 3
  Add(lxmExitMethod, "x");
  const std::int32_t Indent = L.CurrentIndent();
  EXPECT_EQ(L.InsertNote(4), 4);
  EXPECT_EQ(L.EditIndex(), 4);
  EXPECT_EQ(L.GetItemMsgInfo(4).IndentLevel(), 3);
  EXPECT_EQ(L.GetItemText(5), "deep");
  EXPECT_EQ(L.CurrentIndent(), Indent);
  L.SetItemText(4, "edited");
  EXPECT_EQ(L.GetItemText(4), "edited");
  EXPECT_EQ(L.GetItemMsgInfo(4).IndentLevel(), 3);

  L.Clear();
  EXPECT_EQ(L.InsertNote(-1), 0);  // empty list: AddNote
  EXPECT_EQ(L.Count(), 1);

  Rec.Events.clear();
  L.SetNavigatorMessage(lxmWarning);
  Add(lxmWarning, "w");
  EXPECT_EQ(Rec.Events, (VS{"before 1 App", "nav 1", "after 1"}));
  EXPECT_FALSE(L.SetNavigatorMessage(lxmEnterMethod));  // only the navigable kinds 0..8
  EXPECT_EQ(L.GetNavigatorMessage(), lxmWarning);
  Add(lxmEnterMethod, "e");
  EXPECT_EQ(Rec.Events.back(), "after 2");
}

TEST_F(MsgList, ListFullIgnoreDropsAndIgnores) {
  L.SetCapacity(2);
  Add(lxmInfo, "1");
  Add(lxmInfo, "2");
  const std::size_t Live = OrlimoRecordMemory().LiveRecords;
  Rec.Events.clear();
  EXPECT_EQ(Add(lxmInfo, "3"), -1);
  EXPECT_EQ(Rec.Events, (VS{"before 0 App", "full", "ignore"}));
  EXPECT_TRUE(L.GetIgnoreMessages());
  EXPECT_EQ(Texts(), (VS{"1", "2"}));
  EXPECT_EQ(OrlimoRecordMemory().LiveRecords, Live);  // the dropped record is released
  // Loading goes on and asks again for every record that does not fit.
  L.AddCheckPoint("", 0);
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), "full"), 2);
}

TEST_F(MsgList, ListFullClearKeepsOnlyTheNewMessage) {
  L.SetCapacity(3);
  L.SetInsertSeparatorOnWakeUp(true);
  Add(lxmEnterMethod, "1", 0);
  Add(lxmInfo, "2", 0);
  Add(lxmInfo, "3", 0);
  Rec.Answer = TListFullAnswer::Clear;
  Rec.Events.clear();
  Clock.Set(777, 100);
  EXPECT_EQ(Add(lxmInfo, "new", 800), 0);
  EXPECT_EQ(Texts(), VS{"new"});
  EXPECT_EQ(Rec.Events, (VS{"before 0 App", "full", "cleared", "after 0"}));
  EXPECT_EQ(L.TimeBase().BaseTick(), 777);
  EXPECT_EQ(L.CurrentIndent(), 0);
  EXPECT_FALSE(L.GetIgnoreMessages());

  // An observer that runs the clear itself: the list is cleared once.
  Add(lxmInfo, "a", 2);
  Add(lxmInfo, "b", 3);
  Rec.ClearsOnFull = &L;
  Rec.Events.clear();
  EXPECT_EQ(Add(lxmInfo, "again", 4), 0);
  EXPECT_EQ(Texts(), VS{"again"});
  EXPECT_EQ(Rec.Events, (VS{"before 0 App", "full", "cleared", "after 0"}));
  Rec.ClearsOnFull = nullptr;
  L.Clear();
  Add(lxmInfo, "new", 1);

  // A wake-up separator that fills the list: the message still lands right.
  Add(lxmInfo, "b", 2);
  Add(lxmInfo, "c", 3);
  Rec.Events.clear();
  EXPECT_EQ(Add(lxmInfo, "late", 100000), 1);
  EXPECT_EQ(Kinds(), (VI{lxmWakeUpSeparator, lxmInfo}));
  EXPECT_EQ(Texts(), (VS{"", "late"}));
}

TEST_F(MsgList, SharedItemsBetweenPanels) {
  for (int I = 0; I < 10; ++I) Add(lxmInfo, std::to_string(I));
  Add(lxmEnterMethod, "e");
  L.AddCheckPoint("", 0);
  TOrlimoMsgList Second(Clock, "Viewer");
  Second.AddMessage(lxmInfo, "own", "", "", 0, std::nullopt);
  EXPECT_EQ(Second.AppendSharedItemsFrom(L), 12);
  EXPECT_EQ(Second.Count(), 13);
  EXPECT_EQ(&Second.GetItemMsgInfo(1), &L.GetItemMsgInfo(0));  // same record object
  EXPECT_EQ(L.GetItemMsgInfo(0).RefCount(), 2u);
  EXPECT_EQ(Second.CurrentIndent(), 0);  // counters are not copied
  EXPECT_EQ(Second.CheckPointCount(), 0);

  // Editing one panel's item leaves the other's text alone.
  Second.SetItemText(1, "changed");
  EXPECT_EQ(L.GetItemText(0), "0");
  EXPECT_EQ(L.GetItemMsgInfo(0).RefCount(), 1u);

  const TOrlimoMsgInfoRef Kept = L.GetItemMsgInfoRef(5);
  L.Clear();
  EXPECT_EQ(Second.GetItemText(6), "5");  // records outlive the first list
  EXPECT_EQ(Kept->RefCount(), 2u);

  Second.SetCapacity(14);
  EXPECT_EQ(Second.AppendSharedItemsFrom(Second), 1);  // up to the capacity
}

TEST_F(MsgList, DeleteItemsInOnePass) {
  for (int I = 0; I < 8; ++I) Add(lxmInfo, std::to_string(I));
  L.DeleteItems({7, 2, 2, -1, 100, 0, 5});
  EXPECT_EQ(Texts(), (VS{"1", "3", "4", "6"}));
  L.DeleteIf([](std::int32_t P) { return P % 2 == 1; });
  EXPECT_EQ(Texts(), (VS{"1", "4"}));
  L.DeleteItems({});
  EXPECT_EQ(L.Count(), 2);
  // A predicate that throws leaves a consistent list.
  EXPECT_THROW(L.DeleteIf([](std::int32_t P) -> bool {
    if (P == 1) throw std::runtime_error("stop");
    return true;
  }),
               std::runtime_error);
  EXPECT_EQ(Texts(), VS{"4"});
}

TEST_F(MsgList, DistinctAppNames) {
  L.AddMessage(lxmInfo, "", "A", "", 0, std::nullopt);
  L.AddMessage(lxmInfo, "", "B", "T1", 0, std::nullopt);
  L.AddMessage(lxmInfo, "", "A", "T2", 0, std::nullopt);
  auto Names = L.DistinctAppNames();
  std::sort(Names.begin(), Names.end());
  EXPECT_EQ(Names, (std::vector<std::string_view>{"A", "B"}));
}
