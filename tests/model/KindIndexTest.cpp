// The list's per-kind position index and the searches built on it, against
// the item-by-item versions, under random insertions at both ends and in the
// middle, deletions, reverses, clears, shared items and full lists.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/CallStack.h"
#include "model/Navigator.h"
#include "NavOracle.h"

namespace {

struct TClearsWhenFull : TMsgListObserver {
  TListFullAnswer Answer = TListFullAnswer::Clear;
  TListFullAnswer ListFull() override { return Answer; }
};

class KindIndex : public ::testing::Test {
protected:
  TManualClock Clock{1000, 0};
  TOrlimoMsgList L{Clock, "Viewer"};
  TClearsWhenFull Full;
  std::mt19937 Rng{20240611};

  std::int32_t Random(std::int32_t N) { return static_cast<std::int32_t>(Rng() % static_cast<std::uint32_t>(N)); }
  std::int32_t RandomKind() {
    static const std::int32_t Kinds[] = {
        lxmInfo,        lxmError,      lxmCheckPoint, lxmNote,      lxmObject, lxmEnterMethod,
        lxmEnterMethod, lxmExitMethod, lxmExitMethod, lxmSeparator, 42,        -1};
    return Kinds[Random(sizeof(Kinds) / sizeof(Kinds[0]))];
  }
  TOrlimoMsgInfoRef RandomRecord() {
    TOrlimoMsgInfo::TInit I;
    I.MsgType = RandomKind();
    I.IndentLevel = Random(6);
    const std::string T = "r" + std::to_string(Rng() % 1000);
    I.Text = T;
    return TOrlimoMsgInfo::Create(I);
  }

  // Every query of the index and every search against the item-by-item walk.
  void Check(const std::string& After) {
    SCOPED_TRACE("after " + After + ", " + std::to_string(L.Count()) + " items");
    const TMsgKindIndex& Index = L.KindIndex();
    using TListed = TMsgKindIndex::TListed;
    for (auto [Which, K] : {std::pair{TListed::Navigator, L.GetNavigatorMessage()},
                            {TListed::EnterMethod, lxmEnterMethod},
                            {TListed::ExitMethod, lxmExitMethod}}) {
      std::vector<std::int32_t> Want, Got;
      for (std::int32_t P = 0; P < L.Count(); ++P)
        if (oracle::Kind(L, P) == K) Want.push_back(P);
      for (std::int32_t P = Index.FirstAtOrAfter(Which, 0); P >= 0; P = Index.FirstAtOrAfter(Which, P + 1))
        Got.push_back(P);
      ASSERT_EQ(Got, Want) << "kind " << K;
      ASSERT_EQ(Index.Count(Which), static_cast<std::int32_t>(Want.size()));
      ASSERT_EQ(Index.LastAtOrBefore(Which, L.Count()), Want.empty() ? -1 : Want.back());
    }
    const std::int32_t N = L.Count();
    for (std::int32_t Cur : {-1, 0, N - 1, N, Random(N + 1), Random(N + 1)}) {
      for (std::int32_t C = NavFirst; C <= NavLast; ++C)
        ASSERT_EQ(NavigatorTarget(L, C, Cur), oracle::NavigatorTarget(L, C, Cur)) << "command " << C << " at " << Cur;
      ASSERT_EQ(NavButtonStates(L, Cur), oracle::NavButtonStates(L, Cur)) << "at " << Cur;
      ASSERT_EQ(FindMatchingMethod(L, Cur), oracle::FindMatchingMethod(L, Cur)) << "at " << Cur;
      std::vector<TCallStackLine> Lines;
      const auto Want = oracle::CallStack(L, Cur);
      ASSERT_EQ(TraverseCallStack(L, Cur, Lines), Want.has_value());
      if (!Want) continue;
      std::vector<std::int32_t> Got;
      for (const TCallStackLine& Line : Lines) {
        Got.push_back(Line.Position);
        ASSERT_EQ(Line.Text, L.GetItemText(Line.Position));
      }
      ASSERT_EQ(Got, *Want) << "call stack at " << Cur;
      ASSERT_EQ(FindCurrentMethod(L, Cur), Want->empty() ? -1 : Want->front());
    }
  }
};

}  // namespace

TEST_F(KindIndex, AgreesWithTheItemsUnderEveryChange) {
  L.SetObserver(&Full);
  L.SetCapacity(400);
  TOrlimoMsgList Other(Clock, "Other");
  for (int I = 0; I < 30; ++I) Other.InsertRecord(Random(Other.Count() + 1), RandomRecord());
  for (int Step = 0; Step < 6000; ++Step) {
    const std::int32_t N = L.Count();
    std::string Op;
    switch (Random(20)) {
      case 0:
        Op = "switch end and reverse";
        L.SetInsertAtEnd(!L.GetInsertAtEnd());
        L.Reverse();
        break;
      case 1:
        Op = "switch end";  // old items now lie in the other order
        L.SetInsertAtEnd(!L.GetInsertAtEnd());
        break;
      case 2:
        Op = "reverse";
        L.Reverse();
        break;
      case 3:
        Op = "insert in the middle";
        L.InsertMessage(Random(N + 1), RandomKind(), "mid", "App", "", 0, {});
        break;
      case 4:
        Op = "insert note";
        L.InsertNote(Random(N + 1) - 1);
        break;
      case 5:
        Op = "insert separator";
        L.InsertSeparator(Random(N + 1), "", 0);
        break;
      case 6:
        Op = "insert record";
        L.InsertRecord(Random(N + 1), RandomRecord());
        break;
      case 7: {
        Op = "delete selected";
        std::vector<std::int32_t> Sel;
        for (std::int32_t P = 0; P < N; ++P)
          if (Random(8) == 0) Sel.push_back(P);
        Sel.push_back(-3);
        Sel.push_back(N + 5);
        L.DeleteItems(Sel);
        break;
      }
      case 8: {
        Op = "delete, interrupted";
        const std::int32_t Stop = Random(N + 1);
        try {
          L.DeleteIf([&](std::int32_t P) {
            if (P == Stop) throw std::runtime_error("stop");
            return P % 3 == 0;
          });
        } catch (const std::runtime_error&) {
        }
        break;
      }
      case 9:
        Op = Random(10) == 0 ? "clear" : "reset indent";
        if (Op == "clear")
          L.Clear();
        else
          L.ResetIndentLevel();
        break;
      case 10:
        Op = "append shared";
        L.AppendSharedItemsFrom(Other);
        break;
      case 11:
        Op = "navigator kind";
        L.SetNavigatorMessage(Random(9));
        break;
      case 12:
        Op = "edit text";
        if (N > 0) L.SetItemText(Random(N), "edited");
        break;
      default:
        Op = "add";
        Full.Answer = Random(3) == 0 ? TListFullAnswer::Ignore : TListFullAnswer::Clear;
        L.AddMessage(RandomKind(), "m" + std::to_string(Step), "App", "", 0, {});
        break;
    }
    // Some changes pile up unseen, so that what is made again on a query
    // (another navigator kind, links after a reverse) meets later changes.
    if (Random(3) == 0) continue;
    Check(Op);
    if (HasFatalFailure()) return;
  }
}

TEST_F(KindIndex, ManyInsertionsAtTheTop) {
  // The values move with a common shift; long runs at the top keep it right.
  L.SetInsertAtEnd(false);
  L.SetNavigatorMessage(lxmWarning);
  for (int I = 0; I < 3000; ++I) L.AddMessage(I % 7 == 0 ? lxmWarning : lxmInfo, "m", "App", "", 0, {});
  L.InsertMessage(1500, lxmWarning, "middle", "App", "", 0, {});
  L.InsertMessage(2, lxmWarning, "near the top", "App", "", 0, {});
  Check("3000 at the top");
}
