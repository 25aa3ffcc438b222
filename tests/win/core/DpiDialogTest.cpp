// The dialogs and inspector windows not covered with the main window, at
// 150 % and 200 %: each laid out for 144 and 192 DPI with nothing clipped or
// overlapping and back at 96 as designed; the sizes they draw or lay out
// themselves (the about box's picture, the object grid's rows and columns,
// the confirmations fitted to their texts) follow the window's DPI.
#include "core/LxAbtFrm.h"
#include "core/LxClrFrm.h"
#include "core/LxFltFrm.h"
#include "core/LxFulFrm.h"
#include "core/LxIndFrm.h"
#include "core/LxLogFrm.h"
#include "core/LxNetFrm.h"
#include "core/LxObjFrm.h"
#include "core/LxStmFrm.h"
#include "LayoutCheck.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// A form whose bounds are all design pixels: every edge is where the rule
// puts it at each DPI, and comes back exactly at 96.
void CheckScalesByTheRule(TCustomForm& F) {
  F.HandleNeeded();
  std::vector<std::pair<TControl*, RECT>> Design;
  auto Record = [&](auto& Self, TWinControl& P) -> void {
    for (int I = 0; I < P.GetControlCount(); ++I) {
      TControl* C = P.GetControl(I);
      Design.emplace_back(C, C->GetBoundsRect());
      if (auto* W = dynamic_cast<TWinControl*>(C)) Self(Self, *W);
    }
  };
  Record(Record, F);
  CheckFormAtDpis(F);
  for (int Dpi : {144, 96}) {
    SCOPED_TRACE(Dpi);
    F.ScaleToDpi(Dpi);
    for (const auto& [C, R] : Design) {
      // A label that sizes itself to its text keeps that size, and a combo
      // box is as high as its font makes it (the font is not rescaled
      // here); their places follow the rule.
      auto* L = dynamic_cast<TCustomLabel*>(C);
      const bool OwnSize = (L && L->GetAutoSize()) || dynamic_cast<TComboBox*>(C);
      const RECT Now = C->GetBoundsRect();
      EXPECT_EQ(Now.left, ScaleForDpi(R.left, Dpi)) << DescribeControl(*C);
      EXPECT_EQ(Now.top, ScaleForDpi(R.top, Dpi)) << DescribeControl(*C);
      if (!OwnSize && C->GetAlign() == alNone) {
        EXPECT_EQ(Now.right, ScaleForDpi(R.right, Dpi)) << DescribeControl(*C);
        EXPECT_EQ(Now.bottom, ScaleForDpi(R.bottom, Dpi)) << DescribeControl(*C);
      } else if (!L && C->GetAlign() == alNone) {
        EXPECT_EQ(Now.right, ScaleForDpi(R.right, Dpi)) << DescribeControl(*C);
      }
    }
  }
}

TEST(DpiDialogs, TheAboutFilterLogAndNetworkDialogsLayOutAt150And200Percent) {
  {
    SCOPED_TRACE("about");
    TFrmAbout D;
    CheckScalesByTheRule(D);
  }
  {
    SCOPED_TRACE("filter");
    TFrmFilterRules D;
    D.SetRules({TFilterRule{}, TFilterRule{}});
    CheckScalesByTheRule(D);
  }
  {
    SCOPED_TRACE("log to file");
    TFrmLogToFile D;
    D.SetSettings(TLogFileSettings{});
    CheckScalesByTheRule(D);
  }
  {
    SCOPED_TRACE("network");
    TFrmNetMessages D;
    D.SetSettings(TNetSettings{}, 12345);
    CheckScalesByTheRule(D);
  }
}

TEST(DpiDialogs, TheObjectAndStreamInspectorsLayOutAt150And200Percent) {
  {
    SCOPED_TRACE("object");
    auto W = std::make_unique<TFrmInspectObject>();
    W->HandleNeeded();
    TStringGrid& G = *W->GrdObject;
    G.SetRowCount(6);
    const int Row = G.GetDefaultRowHeight();
    CheckFormAtDpis(*W);
    for (int Dpi : {144, 192, 96}) {
      SCOPED_TRACE(Dpi);
      W->ScaleToDpi(Dpi);
      EXPECT_EQ(G.GetDefaultRowHeight(), ScaleForDpi(Row, Dpi));
      // The two columns share the grid's width, as at 96 DPI.
      EXPECT_LE(G.GetColWidth(0) + G.GetColWidth(1), G.GetClientWidth());
      EXPECT_GE(G.GetColWidth(0) + G.GetColWidth(1), G.GetClientWidth() - 3);
    }
  }
  {
    SCOPED_TRACE("stream");
    auto W = std::make_unique<TFrmInspectStream>();
    CheckFormAtDpis(*W);
  }
}

// The confirmations fit their layout to their texts; at another DPI they fit
// it again from the design rescaled, so nothing is clipped or overlaps and
// the dialog is at least its designed size at that DPI.
TEST(DpiDialogs, TheConfirmationsLayOutAt150And200Percent) {
  std::vector<std::pair<std::string, std::unique_ptr<TLxConfirmForm>>> Forms;
  Forms.emplace_back("clear", std::make_unique<TFrmConfirmClear>());
  Forms.emplace_back("reset indent", std::make_unique<TFrmResetIndentLevel>());
  Forms.emplace_back("list full", std::make_unique<TFrmMessageListFull>());
  for (auto& [Name, F] : Forms) {
    SCOPED_TRACE(Name);
    F->HandleNeeded();
    const SIZE Design = ClientSize(*F);
    const RECT Icon = F->Image->GetBoundsRect();
    EXPECT_EQ(LayoutProblems(*F), std::vector<std::string>{});
    for (int Dpi : {144, 192, 96}) {
      SCOPED_TRACE(Dpi);
      F->ScaleToDpi(Dpi);
      EXPECT_EQ(LayoutProblems(*F), std::vector<std::string>{});
      EXPECT_GE(F->GetClientWidth(), ScaleForDpi(Design.cx, Dpi) - ScaleForDpi(Design.cx, Dpi) / 3);
      EXPECT_LE(F->GetClientWidth(), ScaleForDpi(Design.cx, Dpi));
      EXPECT_EQ(F->Image->GetWidth(), ScaleForDpi(Icon.right - Icon.left, Dpi));
      EXPECT_EQ(F->Image->GetLeft(), ScaleForDpi(Icon.left, Dpi));
    }
    const SIZE Back = ClientSize(*F);
    EXPECT_EQ(Back.cx, Design.cx);
    EXPECT_EQ(Back.cy, Design.cy);
  }
}

// The about box's picture: the band, the mark and the texts are design
// pixels, so at 150 % and 200 % they are where the rule puts them and the
// texts stay inside the picture right of the band.
TEST(DpiDialogs, TheAboutPictureScalesItsBandMarkAndTexts) {
  TFrmAbout D;
  D.HandleNeeded();
  TLxAboutPicture& P = *D.Image;
  for (int Dpi : {96, 144, 192}) {
    SCOPED_TRACE(Dpi);
    D.ScaleToDpi(Dpi);
    EXPECT_EQ(P.BandRight(), ScaleForDpi(TLxAboutPicture::BandWidth, Dpi));
    const RECT Mark = P.MarkRect();
    EXPECT_EQ(Mark.right - Mark.left, ScaleForDpi(32 * TLxAboutPicture::Scale, Dpi));
    EXPECT_GE(Mark.left, 0);
    EXPECT_LE(Mark.right, P.BandRight());
    EXPECT_GE(Mark.top, 0);
    EXPECT_LE(Mark.bottom, P.GetHeight());
    RECT Above{0, 0, 0, 0};
    for (int Line = 0; Line < 3; ++Line) {
      SCOPED_TRACE(Line);
      const RECT T = P.TextRect(Line);
      EXPECT_GE(T.left, P.BandRight());
      EXPECT_LT(T.right, P.GetWidth());
      EXPECT_GE(T.top, Above.bottom - 1);
      EXPECT_LT(T.bottom, P.GetHeight());
      Above = T;
    }
    // The title is 34 design pixels high.
    const RECT Title = P.TextRect(0);
    EXPECT_NEAR(Title.bottom - Title.top, ScaleForDpi(38, Dpi), ScaleForDpi(6, Dpi));
  }
}

}  // namespace
