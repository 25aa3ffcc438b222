// Rectangles compared, not pixels: every visible child of a window lies in
// its parent's client area and overlaps none of its visible siblings, at the
// DPI the window is laid out for.
#pragma once

#include "platform/Forms.h"

#include "model/DpiScale.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

inline std::string DescribeControl(TControl& C) {
  std::string S = typeid(C).name();
  if (!C.GetName().empty()) S += " " + C.GetName();
  const std::string Text = C.GetText();
  if (!Text.empty()) S += " \"" + Text.substr(0, 20) + "\"";
  const RECT R = C.GetBoundsRect();
  return S + " (" + std::to_string(R.left) + "," + std::to_string(R.top) + ")-(" + std::to_string(R.right) + "," +
         std::to_string(R.bottom) + ")";
}

inline bool IsPopupWindow(TControl& C) {
  auto* W = dynamic_cast<TWinControl*>(&C);
  return W && W->HandleAllocated() && !(GetWindowLongA(W->WindowHandle(), GWL_STYLE) & WS_CHILD);
}

// Every visible child of every control in the tree lies inside its parent's
// client area and overlaps none of its visible siblings. Controls squeezed to
// nothing and popup windows take no room and are left out. A border line
// may be shared: a status bar's panes reach a pixel past its sides, a spin
// edit's buttons cover the edit's last pixel column.
inline void CheckLayout(TWinControl& Parent, std::vector<std::string>& Problems) {
  // The window's client area (a panel's own client rectangle leaves out its borders).
  RECT Client = Parent.GetClientRect();
  if (Parent.HandleAllocated()) GetClientRect(Parent.WindowHandle(), &Client);
  InflateRect(&Client, 1, 1);
  std::vector<TControl*> Shown;
  for (int I = 0; I < Parent.GetControlCount(); ++I) {
    TControl* C = Parent.GetControl(I);
    if (!C->GetVisible() || IsPopupWindow(*C) || C->GetWidth() <= 0 || C->GetHeight() <= 0) continue;
    const RECT R = C->GetBoundsRect();
    if (R.left < Client.left || R.top < Client.top || R.right > Client.right || R.bottom > Client.bottom)
      Problems.push_back(DescribeControl(*C) + " is clipped by " + DescribeControl(Parent));
    for (TControl* Other : Shown) {
      RECT Both{};
      const RECT O = Other->GetBoundsRect();
      if (IntersectRect(&Both, &R, &O) && Both.right - Both.left > 1 && Both.bottom - Both.top > 1)
        Problems.push_back(DescribeControl(*C) + " overlaps " + DescribeControl(*Other));
    }
    Shown.push_back(C);
    if (auto* W = dynamic_cast<TWinControl*>(C)) CheckLayout(*W, Problems);
  }
}

inline std::vector<std::string> LayoutProblems(TWinControl& Root) {
  std::vector<std::string> Problems;
  CheckLayout(Root, Problems);
  return Problems;
}

inline SIZE ClientSize(TWinControl& W) { return SIZE{W.GetClientWidth(), W.GetClientHeight()}; }

// A form built and laid out (its window made, not shown), checked at 96 DPI,
// at 144 and 192, and at 96 again: its client area scales by the rule and
// nothing in it is clipped or overlaps.
inline void CheckFormAtDpis(TCustomForm& F) {
  F.HandleNeeded();
  const SIZE Design = ClientSize(F);
  EXPECT_EQ(LayoutProblems(F), std::vector<std::string>{}) << "96 DPI";
  for (int Dpi : {144, 192, 96}) {
    SCOPED_TRACE(Dpi);
    F.ScaleToDpi(Dpi);
    EXPECT_EQ(F.GetCurrentDpi(), Dpi);
    EXPECT_EQ(F.GetClientWidth(), ScaleForDpi(Design.cx, Dpi));
    EXPECT_EQ(F.GetClientHeight(), ScaleForDpi(Design.cy, Dpi));
    EXPECT_EQ(LayoutProblems(F), std::vector<std::string>{});
  }
}
