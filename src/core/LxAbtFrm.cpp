#include "core/LxAbtFrm.h"

#include <algorithm>

TFrmAbout* FrmAbout = nullptr;

namespace {

// One row of the mark, in the units of the 32 x 32 icon design.
struct TMarkRow {
  int Top;        // first design row
  int MarkLeft;   // the kind mark's first column (2 wide, 2 high)
  TColor Mark;    // its colour
  int TextRight;  // the row text runs from MarkLeft + 3 to before this column
};

constexpr TColor MkFrame = 0x202020;
constexpr TColor MkTitle = 0x9A4E1F;
constexpr TColor MkTitleLight = 0xE8A06F;
constexpr TColor MkPage = 0xFFFFFF;
constexpr TColor MkRowText = 0xC8C8C8;
constexpr TColor MkSeparator = 0x909090;
constexpr TColor MkInfo = 0xD8782E;
constexpr TColor MkWarning = 0x00B4E8;
constexpr TColor MkError = 0x2020D0;
constexpr TColor MkMethod = 0x40A020;

// Entered methods are indented by four columns, as in the list.
constexpr TMarkRow Rows[] = {
    {8, 3, MkInfo, 24},   {11, 3, MkMethod, 20}, {14, 7, MkWarning, 26},
    {17, 7, MkError, 23}, {20, 3, MkMethod, 20}, {25, 3, MkInfo, 26},
};

int Mix(int A, int B, int Num, int Den) { return A + (B - A) * Num / Den; }

TColor Blend(TColor A, TColor B, int Num, int Den) {
  return Mix(A & 0xFF, B & 0xFF, Num, Den) | (Mix((A >> 8) & 0xFF, (B >> 8) & 0xFF, Num, Den) << 8) |
         (Mix((A >> 16) & 0xFF, (B >> 16) & 0xFF, Num, Den) << 16);
}

}  // namespace

TLxAboutPicture::TLxAboutPicture(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetColor(clWindow);
  SetDoubleBuffered(true);
}

POINT TLxAboutPicture::MarkOrigin() {
  const int Size = CellEdge(32);
  return POINT{(BandRight() - Size) / 2, (GetHeight() - Size) / 2};
}

RECT TLxAboutPicture::MarkRect() {
  const POINT O = MarkOrigin();
  return RECT{O.x, O.y, O.x + CellEdge(32), O.y + CellEdge(32)};
}

TLxAboutPicture::TLine TLxAboutPicture::Line(int Index) const {
  const int X = BandWidth + 18;
  switch (Index) {
    case 0: return TLine{Title, ScaleDesign(-34), true, ScaleDesign(X), ScaleDesign(28)};
    case 1: return TLine{Subtitle, ScaleDesign(-14), false, ScaleDesign(X + 2), ScaleDesign(76)};
    default: return TLine{Version, ScaleDesign(-14), false, ScaleDesign(X + 2), ScaleDesign(98)};
  }
}

void TLxAboutPicture::SetLineFont(TFont& Font, const TLine& L) const {
  Font.SetName("Arial");
  Font.SetHeight(L.Height);
  Font.SetStyle(L.Bold ? TFontStyles{fsBold} : TFontStyles{0});
}

RECT TLxAboutPicture::TextRect(int Index) {
  const TLine L = Line(Index);
  TCanvas& Canvas = GetCanvas();
  SetLineFont(Canvas.GetFont(), L);
  return RECT{L.Left, L.Top, L.Left + Canvas.TextWidth(L.Text), L.Top + Canvas.TextHeight(L.Text)};
}

void TLxAboutPicture::Paint(TCanvas& Canvas) {
  const RECT Client = GetClientRect();
  TBrush& Brush = Canvas.GetBrush();
  Brush.SetStyle(bsSolid);

  // The band: a vertical blend from the title blue to its light shade.
  const int H = std::max<int>(Client.bottom, 1);
  for (int Y = 0; Y < Client.bottom; ++Y) {
    Brush.SetColor(Blend(BandTop, BandBottom, Y, H));
    Canvas.FillRect(RECT{0, Y, BandRight(), Y + 1});
  }
  Brush.SetColor(GetColor());
  Canvas.FillRect(RECT{BandRight(), 0, Client.right, Client.bottom});

  // The mark, cell by cell of the icon design.
  const POINT O = MarkOrigin();
  auto Cells = [&](int Left, int Top, int Right, int Bottom, TColor Color) {
    Brush.SetColor(Color);
    Canvas.FillRect(RECT{O.x + CellEdge(Left), O.y + CellEdge(Top), O.x + CellEdge(Right), O.y + CellEdge(Bottom)});
  };
  Cells(1, 2, 31, 29, MkFrame);
  Cells(2, 3, 30, 6, MkTitle);
  Cells(3, 4, 15, 5, MkTitleLight);
  for (int X : {21, 24, 27}) Cells(X, 4, X + 2, 5, MkPage);
  Cells(2, 7, 30, 28, MkPage);
  for (const TMarkRow& R : Rows) {
    Cells(R.MarkLeft, R.Top, R.MarkLeft + 2, R.Top + 2, R.Mark);
    Cells(R.MarkLeft + 3, R.Top, R.TextRight, R.Top + 2, MkRowText);
  }
  Cells(3, 23, 29, 24, MkSeparator);

  // The texts, beside the band.
  Brush.SetStyle(bsClear);
  const TColor Colors[] = {BandTop, clWindowText, clGrayText};
  for (int I = 0; I < 3; ++I) {
    const TLine L = Line(I);
    SetLineFont(Canvas.GetFont(), L);
    Canvas.GetFont().SetColor(Colors[I]);
    Canvas.TextOut(L.Left, L.Top, L.Text);
  }
  Brush.SetStyle(bsSolid);

  // A thin frame, as around a picture on a dialog.
  Brush.SetColor(clBtnShadow);
  Canvas.FrameRect(Client);
}

TFrmAbout::TFrmAbout() : TForm(nullptr) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poDesigned);
  SetCaption("About");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(361);
  SetClientHeight(198);

  Image = new TLxAboutPicture(this);
  Image->SetParent(this);
  Image->SetBounds(8, 8, 346, 151);

  BtnOK = new TButton(this);
  BtnOK->SetParent(this);
  BtnOK->SetBounds(143, 166, 75, 25);
  BtnOK->SetCaption("OK");
  BtnOK->SetModalResult(mrOk);
  BtnOK->SetDefault(true);
  BtnOK->SetCancel(true);
  BtnOK->SetTabStop(true);
}
