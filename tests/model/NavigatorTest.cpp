// The navigator's commands and button states, and find: the rules on small
// lists in both insertion orders, and the text match against an upper-case
// copy.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/Navigator.h"
#include "NavOracle.h"

namespace {

class Navigator : public ::testing::Test {
protected:
  TManualClock Clock{1000, 0};
  TOrlimoMsgList L{Clock, "Viewer"};

  // Ten items in order of arrival, errors at arrival numbers 2, 5 and 9.
  void AddTen(bool InsertAtEnd) {
    L.SetInsertAtEnd(InsertAtEnd);
    L.SetNavigatorMessage(lxmError);
    for (int I = 0; I < 10; ++I)
      L.AddMessage(I == 2 || I == 5 || I == 9 ? lxmError : lxmInfo, "m" + std::to_string(I), "App", "", 0, {});
  }
  std::int32_t Go(std::int32_t Command, std::int32_t Current) {
    const std::int32_t P = NavigatorTarget(L, Command, Current);
    EXPECT_EQ(P, oracle::NavigatorTarget(L, Command, Current)) << "command " << Command << " from " << Current;
    return P;
  }
  std::optional<TNavButtonStates> Buttons(std::int32_t Current) {
    const auto B = NavButtonStates(L, Current);
    EXPECT_EQ(B, oracle::NavButtonStates(L, Current)) << "from " << Current;
    return B;
  }
};

using TB = TNavButtonStates;

}  // namespace

TEST_F(Navigator, StepsInOrderOfArrivalAtTheEnd) {
  AddTen(true);
  EXPECT_EQ(Go(NavFirst, 7), 2);
  EXPECT_EQ(Go(NavNext, 2), 5);
  EXPECT_EQ(Go(NavPrevious, 5), 2);
  EXPECT_EQ(Go(NavLast, 0), 9);
  EXPECT_EQ(Go(NavNext, 9), -1);      // no wrap-around
  EXPECT_EQ(Go(NavPrevious, 2), -1);  // nothing older
  EXPECT_EQ(Go(NavNext, -1), 2);      // no current item: next is the oldest
  EXPECT_EQ(Go(NavPrevious, -1), 9);  // ... previous the newest
  EXPECT_EQ(Go(NavNext, 5), 9);
  EXPECT_EQ(Go(NavPrevious, 9), 5);
}

TEST_F(Navigator, StepsInOrderOfArrivalAtTheTop) {
  AddTen(false);                  // newest at the top: errors at positions 0, 4 and 7
  EXPECT_EQ(Go(NavFirst, 3), 7);  // the oldest is the lowest in the list
  EXPECT_EQ(Go(NavLast, 3), 0);
  EXPECT_EQ(Go(NavNext, 7), 4);
  EXPECT_EQ(Go(NavPrevious, 4), 7);
  EXPECT_EQ(Go(NavNext, 0), 0);  // start U of position 0 is 0 itself
  EXPECT_EQ(Go(NavPrevious, 7), -1);
  EXPECT_EQ(Go(NavPrevious, 9), -1);  // start D past the end
  EXPECT_EQ(Go(NavNext, -1), 7);      // start U without a current item: the last position
  EXPECT_EQ(Go(NavPrevious, -1), 0);
}

TEST_F(Navigator, StartPositionsAtTheEdges) {
  L.SetNavigatorMessage(lxmWarning);
  L.AddMessage(lxmWarning, "w", "App", "", 0, {});
  L.AddMessage(lxmInfo, "i", "App", "", 0, {});
  // Previous on position 0 tests position 0 again.
  EXPECT_EQ(Go(NavPrevious, 0), 0);
  EXPECT_EQ(Go(NavNext, 1), -1);  // start D past the end finds nothing
  EXPECT_EQ(Go(NavNext, 0), -1);
  // A current position outside the list counts as no current item.
  EXPECT_EQ(Go(NavNext, 2), 0);
  EXPECT_EQ(Go(NavPrevious, 1000), 0);
  EXPECT_EQ(NavigatorTarget(L, 4, 0), -1);
  EXPECT_EQ(NavigatorTarget(L, -1, 0), -1);
  L.Clear();
  for (std::int32_t C = NavFirst; C <= NavLast; ++C) EXPECT_EQ(Go(C, -1), -1);
}

TEST_F(Navigator, NavigatorKindOutsideTheNavigableKinds) {
  AddTen(true);
  for (std::int32_t K : {-1, lxmEnterMethod, lxmExitMethod, lxmSeparator, 42}) {
    EXPECT_FALSE(L.SetNavigatorMessage(K)) << K;
    EXPECT_EQ(L.GetNavigatorMessage(), lxmError);
  }
  EXPECT_TRUE(L.SetNavigatorMessage(lxmInfo));
  EXPECT_EQ(Go(NavFirst, -1), 0);
}

TEST_F(Navigator, ButtonStates) {
  EXPECT_EQ(Buttons(-1), (TB{false, false, false, false}));  // empty: all off
  AddTen(true);
  EXPECT_EQ(Buttons(-1), std::nullopt);  // no current item: as they are
  EXPECT_EQ(Buttons(0), (TB{false, false, true, true}));
  EXPECT_EQ(Buttons(2), (TB{false, false, true, true}));  // the item itself does not count
  EXPECT_EQ(Buttons(5), (TB{true, true, true, true}));
  EXPECT_EQ(Buttons(9), (TB{true, true, false, false}));
  L.Reverse();
  L.SetInsertAtEnd(false);
  EXPECT_EQ(Buttons(0), (TB{true, true, false, false}));
  EXPECT_EQ(Buttons(9), (TB{false, false, true, true}));
  L.SetNavigatorMessage(lxmNote);
  EXPECT_EQ(Buttons(4), (TB{false, false, false, false}));

  EXPECT_EQ(NavButtonsAfterInsertion(TB{true, false, false, false}, true), (TB{true, false, true, true}));
  EXPECT_EQ(NavButtonsAfterInsertion(TB{false, false, false, true}, false), (TB{true, true, false, true}));
}

// ---------------------------------------------------------------------------
// Find

TEST_F(Navigator, FindStartsAndDirections) {
  for (const char* T : {"alpha", "an error", "beta", "ERRONEOUS", "gamma"})
    L.AddMessage(lxmInfo, T, "ERRAPP", "", 0, {});
  const TFindText Err("ERR");
  auto Find = [&](TFindOptions O, bool First, std::int32_t Cur) {
    const std::int32_t P = FindNextPosition(L, Err, O, First, Cur);
    EXPECT_EQ(P, oracle::FindNext(L, "ERR", O.Forward, O.FromCursor, First, Cur));
    return P;
  };
  const TFindOptions Fwd{true, false}, Back{false, false}, FwdCursor{true, true}, BackCursor{false, true};
  EXPECT_EQ(Find(Fwd, true, 4), 1);    // entire scope forward: from 0
  EXPECT_EQ(Find(Fwd, false, 1), 3);   // find next moves on
  EXPECT_EQ(Find(Fwd, false, 3), -1);  // after the last match: nothing
  EXPECT_EQ(Find(Back, true, 0), 3);   // entire scope backward: from the last position
  EXPECT_EQ(Find(Back, false, 3), 1);
  EXPECT_EQ(Find(Back, false, 1), -1);
  EXPECT_EQ(Find(FwdCursor, true, 1), 1);  // the current item is tested first
  EXPECT_EQ(Find(FwdCursor, false, 1), 3);
  EXPECT_EQ(Find(BackCursor, true, 2), 1);
  EXPECT_EQ(Find(FwdCursor, true, -1), 1);  // no current item counts as -1, clamped to 0
  EXPECT_EQ(Find(Back, false, -1), -1);     // -2 clamped to 0: only "alpha" is tested
  EXPECT_EQ(Find(Fwd, false, 4), -1);       // 5 clamped to the last position
  // The application name "ERRAPP" of every item never matches.
  const TFindText App("ERRAPP");
  EXPECT_EQ(FindNextPosition(L, App, Fwd, true, -1), -1);
  EXPECT_EQ(FindNextPosition(L, TFindText(""), Fwd, true, -1), -1);  // the empty text matches nothing
  L.Clear();
  EXPECT_EQ(FindNextPosition(L, Err, Fwd, true, -1), -1);
}

TEST(FindText, UpperCaseOfTheWesternCodePage) {
  EXPECT_TRUE(TFindText("err").Matches("AN ERROR"));
  EXPECT_TRUE(TFindText("\xE9t\xE9").Matches("L'\xC9T\xC9"));      // e acute
  EXPECT_TRUE(TFindText("\xFF").Matches("\x9F"));                  // y diaeresis
  EXPECT_TRUE(TFindText("\x8A\x9C\x9E").Matches("\x9A\x8C\x8E"));  // s caron, oe, z caron
  EXPECT_FALSE(TFindText("\xF7").Matches("\xD7"));                 // division and multiplication signs
  EXPECT_FALSE(TFindText("\xDF").Matches("SS"));                   // sharp s stays itself
  EXPECT_FALSE(TFindText("\xB5").Matches("M"));                    // micro sign stays itself
  EXPECT_FALSE(TFindText("[").Matches("{"));                       // only letters fold
  EXPECT_EQ(TFindText("Stra\xDF"
                      "e")
                .Upper(),
            "STRA\xDF"
            "E");
  EXPECT_FALSE(TFindText("abc").Matches("ab"));
  EXPECT_FALSE(TFindText("x").Matches(""));
}

TEST(FindText, AgreesWithAnUpperCaseCopy) {
  // Small alphabets make many near matches; long texts go through the
  // eight-byte scan, dense ones through the fallback.
  const std::string Alphabet = "aAbB\xE9\xC9x";
  std::mt19937 Rng(7);
  auto Random = [&](std::size_t Len, std::size_t Letters) {
    std::string S;
    for (std::size_t I = 0; I < Len; ++I) S += Alphabet[Rng() % Letters];
    return S;
  };
  for (int Round = 0; Round < 20000; ++Round) {
    const std::size_t Letters = 2 + Rng() % (Alphabet.size() - 1);
    const std::string Text = Random(Rng() % 70, Letters);
    const std::string Find = Random(1 + Rng() % (Round % 10 == 0 ? 40 : 5), Letters);
    const bool Want = oracle::Upper(Text).find(oracle::Upper(Find)) != std::string::npos;
    ASSERT_EQ(TFindText(Find).Matches(Text), Want) << "'" << Find << "' in '" << Text << "'";
    ASSERT_EQ(TFindText(Find).Matches(Text.c_str()), Want);
  }
}

TEST(FindText, LongAndDenseFindTexts) {
  // A find text of 1000 characters: found only where it occurs in full.
  const std::string Long(999, 'a');
  const TFindText Find(Long + "b");
  EXPECT_FALSE(Find.Matches(std::string(100000, 'A')));  // every byte a candidate: no quadratic cost
  EXPECT_TRUE(Find.Matches(std::string(5000, 'A') + "B" + std::string(1000, 'a') + "B"));
  EXPECT_FALSE(Find.Matches("short"));
  // A table that maps many bytes to the find text's first byte.
  TUpperCaseTable Folding = AnsiUpperCaseTable();
  Folding['1'] = Folding['2'] = Folding['3'] = '0';
  const TFindText Digits("0x", Folding);
  EXPECT_TRUE(Digits.Matches("abcdefgh ijklmnop 2X"));
  EXPECT_FALSE(Digits.Matches("abcdefgh ijklmnop 4X"));
}
