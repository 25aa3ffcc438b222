#include "core/BkLxStr.h"
#include "platform/Gdi.h"

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
    const TBitmapHandle B(LoadBitmapA(BkLxStr::ResourceModule(), Name));
    ASSERT_TRUE(B) << Name;
    BITMAP Info{};
    GetObjectA(B.Get(), sizeof Info, &Info);
    EXPECT_EQ(Info.bmWidth, 14) << Name;
    EXPECT_EQ(Info.bmHeight, 11) << Name;
    // The top-left corner of every icon is the transparent purple.
    const TMemoryDC DC = CreateMemoryDC();
    const TSelectObject Selected(DC.Get(), B.Get());
    EXPECT_EQ(GetPixel(DC.Get(), 0, 0) == RGB(128, 0, 128) || GetPixel(DC.Get(), 13, 0) == RGB(128, 0, 128), true)
        << Name;
  }
}
