#include "platform/Printers.h"

#include "platform/PlatformExcept.h"

#include <algorithm>
#include <vector>

TPrinter::TPrinter(HDC PrinterDC) : FDC(PrinterDC) { FCanvas.SetHandle(FDC.Get()); }

TPrinter::~TPrinter() {
  if (FPrinting) Abort();
  FCanvas.ReleaseObjects();
  FCanvas.SetHandle(nullptr);
}

int TPrinter::GetPageWidth() const { return ::GetDeviceCaps(FDC.Get(), HORZRES); }
int TPrinter::GetPageHeight() const { return ::GetDeviceCaps(FDC.Get(), VERTRES); }

void TPrinter::BeginDoc() {
  if (FPrinting) throw EInvalidOperation("Printing in progress");
  DOCINFOA Info{};
  Info.cbSize = sizeof(Info);
  Info.lpszDocName = FTitle.c_str();
  if (::StartDocA(FDC.Get(), &Info) <= 0) throw EPlatformError("Cannot start the print job: " + LastErrorMessage());
  FPrinting = true;
  if (::StartPage(FDC.Get()) <= 0) {
    ::AbortDoc(FDC.Get());
    FPrinting = false;
    throw EPlatformError("Cannot start a page: " + LastErrorMessage());
  }
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EInvalidOperation("Printer is not printing");
  // The DC's state is reset by a new page: select the objects again.
  FCanvas.ReleaseObjects();
  ::EndPage(FDC.Get());
  ::StartPage(FDC.Get());
}

void TPrinter::EndDoc() {
  if (!FPrinting) return;
  FCanvas.ReleaseObjects();
  FPrinting = false;
  ::EndPage(FDC.Get());
  ::EndDoc(FDC.Get());
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  FCanvas.ReleaseObjects();
  FPrinting = false;
  ::AbortDoc(FDC.Get());
}

// ---------------------------------------------------------------- TTextDevice
TTextDevice::TTextDevice(TCanvas& Canvas, int PageWidth, int PageHeight, std::function<void()> NewPage)
    : FCanvas(Canvas), FPageWidth(PageWidth), FPageHeight(PageHeight), FNewPage(std::move(NewPage)) {}

void TTextDevice::StartPage() {
  if (FNewPage) FNewPage();
  ++FPages;
  FX = 0;
  FY = 0;
  FLineHeight = 0;
}

void TTextDevice::EndLine() {
  int Height = FLineHeight;
  if (Height == 0) {
    TEXTMETRICA TM{};
    FCanvas.Realize();
    ::GetTextMetricsA(FCanvas.GetHandle(), &TM);
    Height = TM.tmHeight;
  }
  FX = 0;
  FY += Height;
  FLineHeight = 0;
  if (FY > FPageHeight - 2 * Height) StartPage();
}

void TTextDevice::DrawRun(std::string_view Run) {
  while (!Run.empty()) {
    FCanvas.Realize();
    HDC DC = FCanvas.GetHandle();
    int Fit = 0;
    SIZE Size{};
    const int Room = std::max(FPageWidth - FX, 0);
    ::GetTextExtentExPointA(DC, Run.data(), static_cast<int>(Run.size()), Room, &Fit, nullptr, &Size);
    if (Fit <= 0) {
      if (FX > 0) {  // nothing fits behind what is on the line: go on below
        EndLine();
        continue;
      }
      Fit = 1;  // a character wider than the page: print it anyway, never loop
    }
    const std::string_view Piece = Run.substr(0, static_cast<size_t>(Fit));
    ::GetTextExtentPoint32A(DC, Piece.data(), static_cast<int>(Piece.size()), &Size);
    FCanvas.TextOut(FX, FY, Piece);
    FX += Size.cx;
    FLineHeight = std::max(FLineHeight, static_cast<int>(Size.cy) + 2);
    Run.remove_prefix(Piece.size());
    if (!Run.empty()) EndLine();
  }
}

void TTextDevice::Write(std::string_view Text) {
  size_t Start = 0;
  auto Flush = [&](size_t End) {
    if (End > Start) DrawRun(Text.substr(Start, End - Start));
  };
  for (size_t I = 0; I < Text.size(); ++I) {
    const char C = Text[I];
    if (C != '\t' && C != '\r' && C != '\n' && C != '\f') continue;
    Flush(I);
    Start = I + 1;
    switch (C) {
      case '\t': {
        FCanvas.Realize();
        TEXTMETRICA TM{};
        ::GetTextMetricsA(FCanvas.GetHandle(), &TM);
        const int Tab = std::max(8 * static_cast<int>(TM.tmAveCharWidth), 1);
        const int Next = ((FX + 2 + Tab - 1) / Tab) * Tab;
        if (Next > FPageWidth)
          EndLine();
        else
          FX = Next;
        break;
      }
      case '\n': EndLine(); break;
      case '\f': StartPage(); break;
      default: break;  // CR
    }
  }
  Flush(Text.size());
}

void TTextDevice::WriteLine(std::string_view Text) {
  Write(Text);
  EndLine();
}

// ---------------------------------------------------------------- TPrinterTextDocument
TPrinterTextDocument::TPrinterTextDocument(TPrinter& Printer)
    : FPrinter(Printer),
      FDevice(Printer.GetCanvas(), Printer.GetPageWidth(), Printer.GetPageHeight(), [&Printer] { Printer.NewPage(); }) {
  FPrinter.BeginDoc();
}

TPrinterTextDocument::~TPrinterTextDocument() { FPrinter.EndDoc(); }
