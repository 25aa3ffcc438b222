// The one scope guard: runs once on every way out, never after Release, and
// a moved guard leaves the duty to its new owner alone.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "model/ScopeExit.h"

TEST(ScopeExit, RunsOnceOnReturnAndOnExceptionButNotAfterRelease) {
  int Runs = 0;
  {
    auto Guard = ScopeExit([&] { ++Runs; });
  }
  EXPECT_EQ(Runs, 1);

  EXPECT_THROW(
      {
        auto Guard = ScopeExit([&] { ++Runs; });
        throw std::runtime_error("leaves the scope");
      },
      std::runtime_error);
  EXPECT_EQ(Runs, 2);

  {
    auto Guard = ScopeExit([&] { ++Runs; });
    Guard.Release();
  }
  EXPECT_EQ(Runs, 2);
}

TEST(ScopeExit, AMovedGuardRunsOnlyInItsNewOwner) {
  int Runs = 0;
  {
    auto First = ScopeExit([&] { ++Runs; });
    {
      auto Second = std::move(First);
      EXPECT_EQ(Runs, 0);
    }
    EXPECT_EQ(Runs, 1);  // the new owner ran it when it ended
  }
  EXPECT_EQ(Runs, 1);  // the moved-from guard did not run it again
}
