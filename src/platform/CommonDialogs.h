// The system's common dialogs: file open and save, font, colour and print.
// Execute shows the dialog modally and returns true when the user confirmed.
// Tests (and automation) set TCommonDialog::ExecuteHook to answer instead.
#pragma once

#include "platform/Controls.h"

#include <functional>
#include <string>

class TCommonDialog : public TComponent {
public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
  // When set, Execute calls it (it may fill the dialog's fields) and returns its answer.
  static std::function<bool(TCommonDialog& Dialog)> ExecuteHook;

protected:
  HWND OwnerWindow() const;
};

enum TOpenOption : unsigned {
  ofOverwritePrompt = 1,
  ofHideReadOnly = 2,
  ofPathMustExist = 4,
  ofFileMustExist = 8,
  ofNoChangeDir = 16,
  ofCreatePrompt = 32
};
using TOpenOptions = unsigned;

class TOpenDialog : public TCommonDialog {
public:
  explicit TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  std::string FileName;
  // "Log files (*.olx)|*.olx|All files (*.*)|*.*"
  std::string Filter;
  int FilterIndex = 1;     // 1-based
  std::string DefaultExt;  // without the dot
  std::string InitialDir;
  std::string Title;
  TOpenOptions Options = ofHideReadOnly;
  bool Execute() override;
  // The filter in the system's double-NUL-terminated form.
  static std::string NativeFilter(const std::string& Filter);

protected:
  virtual bool IsSave() const { return false; }
};

class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
  bool IsSave() const override { return true; }
};

class TFontDialog : public TCommonDialog {
public:
  explicit TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  TFont Font;  // in and out
  bool Execute() override;
};

class TColorDialog : public TCommonDialog {
public:
  explicit TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  TColor Color = clBlack;  // in and out
  bool Execute() override;

private:
  COLORREF FCustomColors[16]{};
};

class TPrintDialog : public TCommonDialog {
public:
  explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  ~TPrintDialog() override;
  bool Execute() override;
  // The chosen printer's DC after Execute (owned by the dialog), or null.
  HDC GetPrinterDC() const { return FDC.Get(); }
  // Takes the DC over.
  HDC ReleasePrinterDC() { return FDC.Release(); }
  // An ExecuteHook that answers for the user gives the chosen printer's DC
  // here (the dialog owns it).
  void SetPrinterDC(HDC DC) { FDC.Reset(DC); }

private:
  TMemoryDC FDC;
};
