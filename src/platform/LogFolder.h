// The Win32 side of logging to file: the log folder's files (make the folder,
// create, append, flush, list and delete files) and the clock of the writer
// (model/LogWriter.h), and the user's documents folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/LogWriter.h"

class TWinLogFileSystem : public TLogFileSystem {
public:
  void CreateFolder(const std::string& Folder) override;
  std::unique_ptr<TLogFileHandle> CreateNew(const std::string& Path) override;
  std::vector<std::string> ListNames(const std::string& Folder) override;
  bool Delete(const std::string& Path) override;
};

class TWinLogWriterClock : public TLogWriterClock {
public:
  std::uint64_t Milliseconds() override;
  TLogLocalTime LocalTime() override;
};

// Where a file of logging may be written: the hook for the check that
// refuses device and pipe names ("\\.\", "\\?\", CON, NUL, COM1 ...). Empty
// when the name is fine, else the reason. The handle is checked again once
// open: only a file on a disk is taken.
std::string LogPathRefusal(const std::string& Path);

// The user's documents folder (empty when the system does not say).
std::string DocumentsFolder();
