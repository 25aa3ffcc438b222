// What the viewer's small confirmation dialogs share: the fixed stay-on-top
// dialog form with the caption "Orlimo" and the font MS Sans Serif 8, the
// standard system icon at (8, 8), and the builders of its controls.
#pragma once

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <string>

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

protected:
  TLabel* AddLabel(TWinControl* Parent, int Left, int Top, int Width, int Height, const std::string& Text,
                   bool WordWrap);
  TButton* AddButton(TWinControl* Parent, int Left, int Top, const std::string& Caption, TModalResult Result);
};

// Shows the dialog at (Left, Top) modally and returns its modal result.
TModalResult ShowConfirmAt(TLxConfirmForm& Form, int Left, int Top);
