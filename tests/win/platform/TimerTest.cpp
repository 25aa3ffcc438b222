// Timers: Enabled and Interval decide whether a system timer runs; the
// handler is driven directly.
#include "platform/Forms.h"
#include "platform/Timers.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(Timer, RunsWhileEnabledWithAnInterval) {
  TTimer Timer(nullptr);
  EXPECT_TRUE(Timer.GetEnabled());
  EXPECT_EQ(Timer.GetInterval(), 1000u);
  EXPECT_TRUE(Timer.IsActive());
  Timer.SetEnabled(false);
  EXPECT_FALSE(Timer.IsActive());
  Timer.SetInterval(400);
  EXPECT_FALSE(Timer.IsActive());
  Timer.SetEnabled(true);
  EXPECT_TRUE(Timer.IsActive());
  Timer.SetInterval(0);
  EXPECT_FALSE(Timer.IsActive());
}

TEST(Timer, TheHandlerRunsWhenDrivenAndMayStopItsTimer) {
  TTimer Timer(nullptr);
  Timer.SetInterval(400);
  int Fired = 0;
  Timer.OnTimer = [&](TObject* Sender) {
    ++Fired;
    static_cast<TTimer*>(Sender)->SetEnabled(false);  // a one-shot delay
  };
  Timer.Timer();
  EXPECT_EQ(Fired, 1);
  EXPECT_FALSE(Timer.IsActive());
}

TEST(Timer, AWmTimerOfTheApplicationWindowReachesTheRightTimer) {
  TTimer A(nullptr), B(nullptr);
  int FiredA = 0, FiredB = 0;
  A.OnTimer = [&](TObject*) { ++FiredA; };
  B.OnTimer = [&](TObject*) { ++FiredB; };
  // Find B's id: the application window dispatches WM_TIMER by id.
  bool Found = false;
  for (UINT_PTR Id = 1; Id < 100000 && !Found; ++Id) {
    if (TTimer::DispatchTimer(Id) && FiredB == 1) Found = true;
  }
  ASSERT_TRUE(Found);
  const int ABefore = FiredA;
  B.SetEnabled(false);
  // Once disabled, no id dispatches to B any more.
  for (UINT_PTR Id = 1; Id < 100000; ++Id) TTimer::DispatchTimer(Id);
  EXPECT_EQ(FiredB, 1);
  EXPECT_EQ(FiredA, ABefore + 1);
}

TEST(Timer, ATimerOutlivingTheApplicationWindowGoesWithoutMakingANewOne) {
  auto Timer = std::make_unique<TTimer>(nullptr);
  ASSERT_TRUE(Timer->IsActive());
  ASSERT_TRUE(DestroyWindow(Application->GetHandle()));  // as a module's finalisation does
  Timer.reset();
  EXPECT_EQ(Application->ExistingHandle(), nullptr);
  TTimer Next(nullptr);  // a later timer makes the window again
  EXPECT_TRUE(Next.IsActive());
  EXPECT_NE(Application->ExistingHandle(), nullptr);
}

}  // namespace
