// The "Log to File" dialog: whether every message is written to a log file,
// the folder (typed or chosen with the system's folder picker), when a new
// file is started and how many files are kept.
#pragma once

#include <functional>
#include <string>

#include "model/LogFileSettings.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TFrmLogToFile : public TForm {
public:
  TFrmLogToFile();

  TCheckBox* ChkEnabled = nullptr;  // "&Write every message to a log file"
  TLabel* LblFolder = nullptr;
  TEdit* EdtFolder = nullptr;
  TButton* BtnBrowse = nullptr;  // "&Browse..."
  TLabel* LblSize = nullptr;     // "Start a new file every"
  TEdit* EdtSize = nullptr;      // megabytes, 0 = never by size
  TLabel* LblSizeUnit = nullptr;
  TCheckBox* ChkDaily = nullptr;  // "Start a new file at &midnight"
  TLabel* LblKeep = nullptr;      // "&Keep the last"
  TEdit* EdtKeep = nullptr;       // 0 = all
  TLabel* LblKeepUnit = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;
  TButton* BtnHelp = nullptr;

  // The controls from the settings, and back. A size that was not changed in
  // the dialog keeps its stored kilobytes; numbers that are not numbers
  // keep what the settings had.
  void SetSettings(const TLogFileSettings& Settings);
  TLogFileSettings GetSettings() const;

  // The folder picker (tests replace it): the chosen folder, or empty.
  static std::function<std::string(HWND Owner, const std::string& Start)> BrowseForFolder;

private:
  void BrowseClick();
  TLogFileSettings FShown;
  std::string FShownSize;
};

// Shows the dialog centred over Panel with Settings; on OK Settings takes the
// dialog's values and the answer is true.
bool AskLogToFile(TWinControl& Panel, TLogFileSettings& Settings);
