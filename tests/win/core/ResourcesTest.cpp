#include "core/BkLxStr.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(StringTable, TextsComeFromTheModule) {
  using namespace BkLxStr;
  EXPECT_EQ(LoadStr(sLxCheckPoint), "Check Point #%d");
  EXPECT_EQ(FmtLoadStr(sLxCheckPoint, 12), "Check Point #12");
  EXPECT_EQ(LoadStr(sLxHeaderDateFormat), "ddddd \"at\" t");
  EXPECT_EQ(LoadStr(sLxReceiveIgnoreMessages), "Receive/Ignore Messages");
  EXPECT_EQ(LoadStr(sLxShowHideTimeStamp), "Show/Hide TimeStamp");
  EXPECT_EQ(LoadStr(41099), "");
}

TEST(KindIcons, EveryKindHasA14By11Bitmap) {
  const char* Names[] = {"BKORLIMO_INFO",   "BKORLIMO_WARNING",    "BKORLIMO_ERROR",    "BKORLIMO_CHECKPOINT",
                         "BKORLIMO_OBJECT", "BKORLIMO_STREAM",     "BKORLIMO_STRINGLIST", "BKORLIMO_PROPERTY",
                         "BKORLIMO_NOTE",   "BKORLIMO_ENTER",      "BKORLIMO_EXIT"};
  for (const char* Name : Names) {
    HBITMAP B = LoadBitmapA(BkLxStr::ResourceModule(), Name);
    ASSERT_NE(B, nullptr) << Name;
    BITMAP Info{};
    GetObjectA(B, sizeof Info, &Info);
    EXPECT_EQ(Info.bmWidth, 14) << Name;
    EXPECT_EQ(Info.bmHeight, 11) << Name;
    // The top-left corner of every icon is the transparent purple.
    HDC DC = CreateCompatibleDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, B);
    EXPECT_EQ(GetPixel(DC, 0, 0) == RGB(128, 0, 128) || GetPixel(DC, 13, 0) == RGB(128, 0, 128), true) << Name;
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(B);
  }
}
