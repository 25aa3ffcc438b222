// The about box: the program's picture and an OK button.
#pragma once

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

// The about box's picture, drawn in code: the program's mark (a message list
// window with coloured kind marks, as on the program icon) on a blue band, and
// the program's name, purpose and version (ORLIMO_VERSION_SHORT, defined by
// the build from the project's one version) beside it.
class TLxAboutPicture : public TGraphicControl {
public:
  explicit TLxAboutPicture(TComponent* AOwner);

  static constexpr const char* Title = "Orlimo";
  static constexpr const char* Subtitle = "Debug message viewer";
  static constexpr const char* Version = "Version " ORLIMO_VERSION_SHORT;
  static constexpr int BandWidth = 120;  // the blue band at the left, in design pixels
  // The colours of the band's top and bottom lines (0x00BBGGRR).
  static constexpr TColor BandTop = 0x9A4E1F;
  static constexpr TColor BandBottom = 0xE8A06F;
  // The mark's scale: each pixel of the 32 x 32 icon design is Scale x Scale
  // design pixels.
  static constexpr int Scale = 3;
  // Where the mark's 32 x 32 design grid starts, in picture coordinates.
  POINT MarkOrigin();
  // The right edge of the band, the mark and the three text lines (title,
  // subtitle, version) in picture coordinates at the picture's DPI.
  int BandRight() const { return ScaleDesign(BandWidth); }
  RECT MarkRect();
  RECT TextRect(int Line);
  // Where the design cell (Cell, Cell) of the mark starts, from MarkOrigin.
  int CellEdge(int Cell) const { return ScaleDesign(Cell * Scale); }

protected:
  void Paint(TCanvas& Canvas) override;

private:
  // The font, left and top of a text line (design sizes at this DPI).
  struct TLine {
    const char* Text;
    int Height;
    bool Bold;
    int Left;
    int Top;
  };
  TLine Line(int Index) const;
  void SetLineFont(TFont& Font, const TLine& L) const;
};

class TFrmAbout : public TForm {
public:
  TFrmAbout();
  TLxAboutPicture* Image = nullptr;
  TButton* BtnOK = nullptr;
};

// The dialog while it is up (nothing else uses it).
extern TFrmAbout* FrmAbout;
