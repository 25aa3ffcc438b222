// What the viewer's small confirmation dialogs share: the fixed stay-on-top
// dialog form with the caption "Orlimo" and the font MS Sans Serif 8, the
// standard system icon at (8, 8), the builders of its controls, and the fit of
// the designed layout to the texts as the system's fonts draw them.
#pragma once

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <string>
#include <vector>

// A control of class T on Form at the given place and size, with Caption
// when one is given.
template <class T>
T* AddControl(TForm& Form, int Left, int Top, int Width, int Height, const std::string& Caption = {}) {
  auto* C = new T(&Form);
  C->SetParent(&Form);
  C->SetBounds(Left, Top, Width, Height);
  if (!Caption.empty()) C->SetCaption(Caption);
  return C;
}

// A 32 x 32 picture of a standard system icon (IDI_QUESTION, IDI_HAND...).
class TLxSysIconImage : public TGraphicControl {
public:
  TLxSysIconImage(TComponent* AOwner, LPCSTR IconId);
  HICON GetIcon() const { return FIcon; }

protected:
  void Paint(TCanvas& Canvas) override;

private:
  HICON FIcon = nullptr;  // a shared system icon: never destroyed
};

class TLxConfirmForm : public TForm {
public:
  // A fixed dialog with the given client size and system icon.
  TLxConfirmForm(int ClientWidth, int ClientHeight, LPCSTR IconId);

  TLxSysIconImage* Image = nullptr;

  // Fits the designed layout to the labels' texts in the fonts they are drawn
  // with. A label that needs more room than designed pushes the controls right
  // of it to the right and those below it down, and its container (a group
  // box, the form) grows by what its content grew; where every text fits, the
  // designed layout stays exactly as it is. Runs at the end of construction;
  // runs again from the designed layout after a change of font or text, and
  // after a change of DPI from the design rescaled for it.
  void FitLayout();
  // The least space between a one-line label and a control right of it.
  static constexpr int LabelGap = 4;

protected:
  void DpiChanged(int FromDpi, int ToDpi) override;
  TLabel* AddLabel(TWinControl* Parent, int Left, int Top, int Width, int Height, const std::string& Text,
                   bool WordWrap);
  TButton* AddButton(TWinControl* Parent, int Left, int Top, const std::string& Caption, TModalResult Result);

private:
  struct TDesigned {
    TControl* Control;
    RECT Bounds;
  };
  std::vector<TLabel*> FLabels;    // in the order they were added
  std::vector<TDesigned> FDesign;  // every control, as designed (design pixels)
  int FDesignClientWidth = 0;
  int FDesignClientHeight = 0;
  void RecordDesign(TWinControl* Parent);
  void RestoreDesign();
  // A control's designed bounds at the form's DPI.
  RECT Designed(const TControl* Control) const;
  // The room a container leaves right of and below its content, as designed.
  SIZE DesignedMargin(TWinControl* Container) const;
  // Moves the siblings of C that lie right of or below Old (C's bounds before
  // it grew by DW and DH), then grows C's container to hold its content.
  void PushAround(TControl* C, const RECT& Old, int DW, int DH);
};

// Shows the dialog at (Left, Top) modally and returns its modal result.
TModalResult ShowConfirmAt(TLxConfirmForm& Form, int Left, int Top);
