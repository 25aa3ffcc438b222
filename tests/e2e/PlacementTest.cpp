// Orlimo.exe keeps its window's place across a restart whatever state the
// window was closed in: here minimised, as by its caption button.
#include "KeyboardUtil.h"
#include "StandaloneUtil.h"

namespace {

TEST_F(StandaloneProgram, ClosedWhileMinimisedItOpensWhereItWas) {
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
  ASSERT_NO_FATAL_FAILURE(StartViewer());
  SetWindowPos(Window, nullptr, 70, 80, 430, 320, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT Before{};
  GetWindowRect(Window, &Before);
  ASSERT_EQ(Before.left, 70);
  ASSERT_EQ(Before.right - Before.left, 430);

  PostMessageA(Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil(Window, [&] { return IsIconic(Window) != FALSE; })) << "the window was not minimised";
  CloseViewer();
  EXPECT_EQ(ReadPosition("Left"), "70");
  EXPECT_EQ(ReadPosition("Top"), "80");
  EXPECT_EQ(ReadPosition("Width"), "430");
  EXPECT_EQ(ReadPosition("Height"), "320");
  EXPECT_EQ(ReadPosition("Maximized"), "0");

  ASSERT_NO_FATAL_FAILURE(StartViewer());
  EXPECT_FALSE(IsIconic(Window));
  EXPECT_FALSE(IsZoomed(Window));
  RECT After{};
  GetWindowRect(Window, &After);
  EXPECT_EQ(After.left, Before.left);
  EXPECT_EQ(After.top, Before.top);
  EXPECT_EQ(After.right, Before.right);
  EXPECT_EQ(After.bottom, Before.bottom);
  CloseViewer();
  RegDeleteKeyA(HKEY_CURRENT_USER, PositionKey);
}

}  // namespace
