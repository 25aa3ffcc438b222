#include "components/LxGeometry.h"
#include "components/LxSpdBtn.h"
#include "components/LxStatus.h"
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
  const char* Names[] = {"BKORLIMO_INFO",   "BKORLIMO_WARNING", "BKORLIMO_ERROR",      "BKORLIMO_CHECKPOINT",
                         "BKORLIMO_OBJECT", "BKORLIMO_STREAM",  "BKORLIMO_STRINGLIST", "BKORLIMO_PROPERTY",
                         "BKORLIMO_NOTE",   "BKORLIMO_ENTER",   "BKORLIMO_EXIT"};
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

namespace {
struct TGlyphResource {
  const char* Name;
  int Frames;
  int Size;
};

// Every glyph the viewer loads by name: toolbar buttons, the navigator button
// and the time difference pane.
const TGlyphResource Glyphs[] = {{"BKORLIMO_BTN_IGNORE_MESSAGES", 4, 18},
                                 {"BKORLIMO_BTN_CAPTURE_DEBUG", 4, 18},
                                 {"BKORLIMO_BTN_CLEAR", 2, 18},
                                 {"BKORLIMO_BTN_NOTE", 2, 18},
                                 {"BKORLIMO_BTN_SEPARATOR", 2, 18},
                                 {"BKORLIMO_BTN_CHECKPOINT", 2, 18},
                                 {"BKORLIMO_BTN_FIRST", 2, 18},
                                 {"BKORLIMO_BTN_PREV", 2, 18},
                                 {"BKORLIMO_BTN_NEXT", 2, 18},
                                 {"BKORLIMO_BTN_LAST", 2, 18},
                                 {"BKORLIMO_BTN_METHODMATCH", 2, 18},
                                 {"BKORLIMO_BTN_OPTIONS", 2, 18},
                                 {"BKORLIMO_BTN_ICONS", 2, 18},
                                 {"BKORLIMO_BTN_TIMESTAMP", 2, 18},
                                 {"BKORLIMO_BTN_INSPECTOR_PANE", 2, 18},
                                 {"BKORLIMO_BTN_SCRATCHPAD", 2, 18},
                                 {"BKORLIMO_BTN_CALLSTACK", 2, 18},
                                 {"BKORLIMO_BTN_INSPECT", 2, 18},
                                 {"BKORLIMO_NAV_INFO", 1, 18},
                                 {"BKORLIMO_NAV_WARNING", 1, 18},
                                 {"BKORLIMO_NAV_ERROR", 1, 18},
                                 {"BKORLIMO_NAV_CHECKPOINT", 1, 18},
                                 {"BKORLIMO_NAV_OBJECT", 1, 18},
                                 {"BKORLIMO_NAV_STREAM", 1, 18},
                                 {"BKORLIMO_NAV_STRINGLIST", 1, 18},
                                 {"BKORLIMO_NAV_PROPERTY", 1, 18},
                                 {"BKORLIMO_NAV_NOTE", 1, 18},
                                 {"BKORLIMO_TIMEDIFF", 2, 16}};

constexpr COLORREF Purple = RGB(128, 0, 128);

// A bitmap resource of the module, selected into a memory DC to read its pixels.
class TGlyphPixels {
public:
  explicit TGlyphPixels(const char* Name) : FBitmap(LoadBitmapA(BkLxStr::ResourceModule(), Name)) {
    if (!FBitmap) return;
    BITMAP Info{};
    GetObjectA(FBitmap, sizeof Info, &Info);
    FWidth = Info.bmWidth;
    FHeight = Info.bmHeight;
    FDC = CreateCompatibleDC(nullptr);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TGlyphPixels() {
    if (!FBitmap) return;
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TGlyphPixels(const TGlyphPixels&) = delete;
  TGlyphPixels& operator=(const TGlyphPixels&) = delete;
  bool Loaded() const { return FBitmap != nullptr; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  COLORREF At(int X, int Y) const { return GetPixel(FDC, X, Y); }

private:
  HBITMAP FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
  int FWidth = 0, FHeight = 0;
};
}  // namespace

TEST(Glyphs, EveryGlyphHoldsItsFramesSideBySideOnTransparentPurple) {
  for (const TGlyphResource& G : Glyphs) {
    SCOPED_TRACE(G.Name);
    TGlyphPixels P(G.Name);
    ASSERT_TRUE(P.Loaded());
    EXPECT_EQ(P.Width(), G.Frames * G.Size);
    EXPECT_EQ(P.Height(), G.Size);
    // The speed button and the glyph pane count the frames from the strip's
    // shape and take the bottom-left pixel's colour as transparent.
    EXPECT_EQ(DetectNumGlyphs(P.Width(), P.Height()), G.Frames);
    EXPECT_EQ(P.At(0, P.Height() - 1), Purple);
    for (int F = 0; F < G.Frames && P.Width() == G.Frames * G.Size; ++F) {
      int Drawn = 0;
      for (int Y = 0; Y < G.Size; ++Y)
        for (int X = F * G.Size; X < (F + 1) * G.Size; ++X) Drawn += P.At(X, Y) != Purple;
      EXPECT_GT(Drawn, 20) << "frame " << F;
    }
  }
}

TEST(Glyphs, DisabledFramesAreEmbossedInGreyAndWhite) {
  for (const TGlyphResource& G : Glyphs) {
    if (G.Frames < 2) continue;
    SCOPED_TRACE(G.Name);
    TGlyphPixels P(G.Name);
    ASSERT_TRUE(P.Loaded());
    int Grey = 0, White = 0, Other = 0;
    for (int Y = 0; Y < P.Height(); ++Y)
      for (int X = G.Size; X < 2 * G.Size; ++X) {
        const COLORREF C = P.At(X, Y);
        if (C == RGB(128, 128, 128))
          ++Grey;
        else if (C == RGB(255, 255, 255))
          ++White;
        else if (C != Purple)
          ++Other;
      }
    EXPECT_GT(Grey, 10);
    EXPECT_GT(White, 5);
    EXPECT_EQ(Other, 0);
  }
}

TEST(Glyphs, ControlsLoadThemByName) {
  TLxSpeedButton Button(nullptr);
  Button.LoadGlyph(BkLxStr::ResourceModule(), "BKORLIMO_BTN_IGNORE_MESSAGES");
  EXPECT_EQ(Button.GetNumGlyphs(), 4);
  Button.LoadGlyph(BkLxStr::ResourceModule(), "BKORLIMO_NAV_ERROR");
  EXPECT_EQ(Button.GetNumGlyphs(), 1);
  TLxGlyphStatus Pane(nullptr);
  Pane.LoadGlyph(BkLxStr::ResourceModule(), "BKORLIMO_TIMEDIFF");
  EXPECT_EQ(Pane.GetNumGlyphs(), 2);
}
