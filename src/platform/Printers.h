// The printer and the printer as a text device.
#pragma once

#include "platform/Graphics.h"

#include <functional>
#include <string>
#include <string_view>

// A print job on a printer DC (usually from TPrintDialog::ReleasePrinterDC).
class TPrinter {
public:
  // Takes ownership of the printer DC.
  explicit TPrinter(HDC PrinterDC);
  ~TPrinter();  // aborts a job still open
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // The whole printable page, in device pixels.
  int GetPageWidth() const;
  int GetPageHeight() const;
  TCanvas& GetCanvas() { return FCanvas; }
  bool GetPrinting() const { return FPrinting; }

  void BeginDoc();  // EPlatformError when the job cannot start
  void NewPage();
  void EndDoc();
  void Abort();

private:
  TMemoryDC FDC;
  TCanvas FCanvas;
  std::string FTitle;
  bool FPrinting = false;
};

// Writes a stream of text onto pages, as a line printer would:
//  - text is drawn in runs at the current position with the canvas's font of
//    the moment; a run that would pass the right edge is cut after the last
//    character that fits and continues on a new line;
//  - TAB goes to the next multiple of eight average character widths at
//    least two pixels further right (a new line when that is past the edge);
//    CR is ignored, LF ends the line, FF starts a new page;
//  - a line is as high as its tallest text plus 2 pixels, or the font's
//    character height when nothing was drawn on it; when the next line would
//    start lower than the page height minus twice that height, a new page
//    begins at the top.
class TTextDevice {
public:
  TTextDevice(TCanvas& Canvas, int PageWidth, int PageHeight, std::function<void()> NewPage);
  void Write(std::string_view Text);
  void WriteLine(std::string_view Text);
  int GetX() const { return FX; }
  int GetY() const { return FY; }
  int GetPageCount() const { return FPages; }

private:
  void DrawRun(std::string_view Run);
  void EndLine();
  void StartPage();

  TCanvas& FCanvas;
  int FPageWidth;
  int FPageHeight;
  std::function<void()> FNewPage;
  int FX = 0;
  int FY = 0;
  int FLineHeight = 0;  // tallest text on the current line (0: none)
  int FPages = 1;
};

// Opens the printer's job and a text device on it; closes the job when it
// ends, also when an exception leaves.
class TPrinterTextDocument {
public:
  explicit TPrinterTextDocument(TPrinter& Printer);
  ~TPrinterTextDocument();
  TPrinterTextDocument(const TPrinterTextDocument&) = delete;
  TPrinterTextDocument& operator=(const TPrinterTextDocument&) = delete;
  TTextDevice& Device() { return FDevice; }
  TCanvas& GetCanvas() { return FPrinter.GetCanvas(); }

private:
  TPrinter& FPrinter;
  TTextDevice FDevice;
};
