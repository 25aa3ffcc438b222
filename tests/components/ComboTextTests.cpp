// The combo boxes' texts: the colour table, matching item texts, the history
// list and the type-ahead search.
#include "components/LxColors.h"
#include "components/LxMatch.h"
#include "components/LxRecent.h"
#include "components/LxTypeAhead.h"

#include <gtest/gtest.h>

TEST(ColorTable, OrderNamesAndSystemEntries) {
  EXPECT_STREQ(LxColorTable[0].Name, "Default");
  EXPECT_STREQ(LxColorTable[1].Name, "Black");
  EXPECT_EQ(LxColorTable[10].Value, 0x0000FFu);  // Red
  EXPECT_STREQ(LxColorTable[16].Name, "White");
  EXPECT_STREQ(LxColorTable[17].Name, "ScrollBar");
  EXPECT_STREQ(LxColorTable[41].Name, "InfoBk");
  EXPECT_EQ(LxColorTable[41].Value, 0x80000018u);
  EXPECT_STREQ(LxColorTable[42].Name, "Custom");
  int NonSystem = 0;
  for (int I = 0; I < LxColorCount; ++I) {
    NonSystem += LxColorTable[I].System ? 0 : 1;
    if (LxColorTable[I].System) {
      EXPECT_EQ(LxColorTable[I].Value, 0x80000000u + static_cast<unsigned>(I - 17));
    }
  }
  EXPECT_EQ(NonSystem, 18);
  EXPECT_TRUE(IsLightColor(0x000081));
  EXPECT_FALSE(IsLightColor(0x808080));
}

TEST(Mru, CleanPutTopAndNames) {
  auto L = MruCleanList({"one", "", "Two", "ONE", "three", "two"});
  EXPECT_EQ(L, (std::vector<std::string>{"one", "Two", "three"}));
  MruPutTop(L, "three");
  EXPECT_EQ(L, (std::vector<std::string>{"three", "one", "Two"}));
  MruPutTop(L, "four");
  EXPECT_EQ(L.front(), "four");
  EXPECT_EQ(L.size(), 4u);
  MruPutTop(L, "");
  EXPECT_EQ(L.size(), 4u);
  EXPECT_EQ(MruCountName("Find"), "Find_Count");
  EXPECT_EQ(MruItemName("Find", 12), "Find_Item12");
}

TEST(Match, CaseInsensitivePrefixAndWholeText) {
  EXPECT_EQ(FindPrefix({"Default", "Black", "Blue"}, "bl"), 1);
  EXPECT_EQ(FindPrefix({"Default", "Black", "Blue"}, "BLU"), 2);
  EXPECT_EQ(FindPrefix({"Default", "Black"}, "x"), -1);
  EXPECT_EQ(FindPrefix({"Default"}, ""), 0);
  EXPECT_EQ(FindPrefix({"Bl", "Blue"}, "blue"), 1);  // a prefix longer than an item
  EXPECT_TRUE(SameText("Check Point", "cHECK pOINT"));
  EXPECT_FALSE(SameText("ab", "abc"));
  EXPECT_FALSE(SameText("[", "{"));  // only letters fold
  EXPECT_EQ(IndexOfText({"one", "Two", "two"}, "TWO"), 1);
  EXPECT_EQ(IndexOfText({}, ""), -1);
}

TEST(TypeAhead, CollectsBacksUpAndStartsOver) {
  const std::vector<std::string> Items{"Default", "Black", "Blue", "Red"};
  const TLxTypeAhead::TFind Find = [&](const std::string& P) { return FindPrefix(Items, P); };
  using K = TLxTypeAhead::TKind;
  TLxTypeAhead T;
  auto R = T.Char('b', Find);
  EXPECT_EQ(R.Kind, K::Match);
  EXPECT_EQ(R.Index, 1);
  R = T.Char('l', Find);
  EXPECT_EQ(R.Index, 1);
  R = T.Char('u', Find);
  EXPECT_EQ(R.Index, 2);
  EXPECT_EQ(T.Char('x', Find).Kind, K::NoMatch);
  EXPECT_EQ(T.Text(), "blux");
  R = T.Backspace(Find);
  EXPECT_EQ(R.Index, 2);
  T.Clear();  // the timer ran out
  EXPECT_EQ(T.Char('l', Find).Kind, K::NoMatch);
  R = T.Backspace(Find);
  EXPECT_EQ(R.Kind, K::SelectFirst);
  EXPECT_EQ(T.Backspace(Find).Kind, K::Beep);
  T.Char('r', Find);
  EXPECT_EQ(T.Escape().Kind, K::SelectFirst);
  EXPECT_TRUE(T.Text().empty());
}
