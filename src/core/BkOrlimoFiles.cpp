// The file, print and clipboard commands: opening and saving log files, the
// text export, printing, copying to the clipboard, select all and delete.
#include "core/BkOrlimo.h"

#include "core/BkLogToFile.h"

#include "core/BkLxStr.h"
#include "core/LxFulFrm.h"

#include "model/DateText.h"
#include "model/LogFile.h"
#include "model/ScopeExit.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialogs.h"
#include "platform/PlatformExcept.h"
#include "platform/Printers.h"
#include "protocol/LxDispatch.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* LogFilter = "Orlimo Log Files (*.olx)|*.olx";
constexpr const char* SaveFilter = "Orlimo Log Files (*.olx)|*.olx|Text Files (*.txt)|*.txt";

std::string LocaleText(LCTYPE Type, const std::string& Default) {
  char Buffer[128] = {};
  const int N = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, Buffer, sizeof Buffer);
  return N > 1 ? std::string(Buffer, static_cast<std::size_t>(N - 1)) : Default;
}

// The file name part's extension, from its last dot on, in upper case.
std::string UpperExtension(const std::string& FileName) {
  const std::size_t Slash = FileName.find_last_of("\\/:");
  const std::size_t Dot = FileName.find_last_of('.');
  if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash)) return {};
  std::string Ext = FileName.substr(Dot);
  for (char& C : Ext) C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
  return Ext;
}

// A log file read chunk by chunk; between chunks the list shows what came so
// far, the window answers its paint messages and clients are answered (what
// they send waits for the end of the load, see TLxIntakeHold).
class TPaintingLogSource : public TOrlimoLogSource {
public:
  // Reads from byte Offset on.
  TPaintingLogSource(const std::string& FileName, TBkVertListBox& List, std::uint64_t Offset)
      : FFileName(FileName), FList(List) {
    // Read access only, so a read-only log loads too.
    FFile = ::CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (FFile == INVALID_HANDLE_VALUE)
      throw EPlatformError("Cannot open the log file \"" + FileName + "\": " + LastErrorMessage());
    LARGE_INTEGER To;
    To.QuadPart = static_cast<LONGLONG>(Offset);
    if (Offset != 0 && !::SetFilePointerEx(FFile, To, nullptr, FILE_BEGIN)) {
      const std::string Reason = LastErrorMessage();
      ::CloseHandle(FFile);
      throw EPlatformError("Cannot read the log file \"" + FileName + "\": " + Reason);
    }
    FLastPaint = ::GetTickCount();
  }
  ~TPaintingLogSource() override { ::CloseHandle(FFile); }
  TPaintingLogSource(const TPaintingLogSource&) = delete;
  TPaintingLogSource& operator=(const TPaintingLogSource&) = delete;

  // Read ahead on the loader's reading thread; the window is kept up on its own.
  bool ReadsAhead() const override { return true; }
  void BetweenChunks() override { KeepPainting(); }
  std::size_t Read(void* Data, std::size_t Size) override {
    DWORD Got = 0;
    const DWORD Want = static_cast<DWORD>(std::min<std::size_t>(Size, 1u << 30));
    if (!::ReadFile(FFile, Data, Want, &Got, nullptr)) {
      if (::GetLastError() == ERROR_BROKEN_PIPE) return 0;  // a pipe's writer has finished
      throw EPlatformError("Cannot read the log file \"" + FFileName + "\": " + LastErrorMessage());
    }
    return Got;
  }

private:
  void KeepPainting() {
    MSG M;
    ::PeekMessageA(&M, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const DWORD Now = ::GetTickCount();
    if (Now - FLastPaint < 100) return;
    FLastPaint = Now;
    FList.FlushChanges();
    while (::PeekMessageA(&M, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) ::DispatchMessageA(&M);
  }

  std::string FFileName;
  TBkVertListBox& FList;
  HANDLE FFile = INVALID_HANDLE_VALUE;
  DWORD FLastPaint = 0;
};

// Only a file on a disk is written: a name that reaches a device or a pipe is
// refused before anything is opened, and what a name reached is checked once
// open (a pipe that nobody reads would hold the viewer in WriteFile for ever).
HANDLE CreateDiskFile(const std::string& FileName, const char* What) {
  const auto Refused = [&] {
    return EPlatformError(std::string("Cannot create the ") + What + " \"" + FileName +
                          "\": the name is not one of a file on a disk.");
  };
  if (IsDeviceFileName(FileName)) throw Refused();
  const HANDLE F =
      ::CreateFileA(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (F == INVALID_HANDLE_VALUE)
    throw EPlatformError(std::string("Cannot create the ") + What + " \"" + FileName + "\": " + LastErrorMessage());
  if (::GetFileType(F) != FILE_TYPE_DISK) {
    ::CloseHandle(F);
    throw Refused();
  }
  return F;
}

// A log file or a text export being written: the bytes are gathered into
// large blocks, each written in one call. A block the file does not take
// whole fails naming the file and the reason; the blocks before it stay.
class TDiskFileSink : public TOrlimoLogSink {
public:
  // LogFile: a failed write raises EOrlimoWriteError, else EPlatformError.
  TDiskFileSink(const std::string& FileName, bool LogFile)
      : FFileName(FileName), FLogFile(LogFile), FFile(CreateDiskFile(FileName, LogFile ? "log file" : "text file")) {
    FBuffer.reserve(BlockSize);
  }
  ~TDiskFileSink() override {
    if (FFile != INVALID_HANDLE_VALUE) ::CloseHandle(FFile);
  }
  TDiskFileSink(const TDiskFileSink&) = delete;
  TDiskFileSink& operator=(const TDiskFileSink&) = delete;

  std::size_t Write(const void* Data, std::size_t Size) override {
    if (FBuffer.size() + Size > BlockSize) Flush();
    if (Size >= BlockSize) {
      WriteBlock(Data, Size);
    } else {
      FBuffer.append(static_cast<const char*>(Data), Size);
    }
    return Size;
  }
  // Writes what is gathered and closes the file.
  void Close() {
    Flush();
    const HANDLE F = FFile;
    FFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(F)) Fail();
  }

private:
  static constexpr std::size_t BlockSize = 1 << 20;
  void Flush() {
    if (FBuffer.empty()) return;
    WriteBlock(FBuffer.data(), FBuffer.size());
    FBuffer.clear();
  }
  void WriteBlock(const void* Data, std::size_t Size) {
    DWORD Written = 0;
    if (!::WriteFile(FFile, Data, static_cast<DWORD>(Size), &Written, nullptr) || Written != Size) Fail();
  }
  [[noreturn]] void Fail() {
    const DWORD Error = ::GetLastError();
    // The box names the file and the system's reason after the bare message.
    const std::string Reason = " \"" + FFileName + "\": " +
                               (Error ? SysErrorMessage(Error) : std::string("the file could not be written whole."));
    if (FLogFile) throw EOrlimoWriteError(EOrlimoWriteError().Message() + Reason);
    throw EPlatformError("Cannot write the text file" + Reason);
  }

  std::string FFileName;
  bool FLogFile;
  HANDLE FFile;
  std::string FBuffer;
};

}  // namespace

// ============================================================ dates

namespace {

// The user's date and time patterns and names.
TDateLocale SystemDateLocale() {
  TDateLocale L;
  L.ShortDate = LocaleText(LOCALE_SSHORTDATE, L.ShortDate);
  L.ShortTime = LocaleText(LOCALE_SSHORTTIME, "");
  if (L.ShortTime.empty()) {
    // Systems without a short time pattern: the long one without its seconds.
    std::string T = LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt");
    const std::size_t S = T.find('s');
    if (S != std::string::npos) {
      std::size_t From = S;
      while (From > 0 && T[From - 1] != 'm' && T[From - 1] != 'h' && T[From - 1] != 'H') --From;
      std::size_t To = S;
      while (To < T.size() && T[To] == 's') ++To;
      T.erase(From, To - From);
    }
    L.ShortTime = T;
  }
  L.AM = LocaleText(LOCALE_S1159, L.AM);
  L.PM = LocaleText(LOCALE_S2359, L.PM);
  for (int M = 0; M < 12; ++M) {
    L.ShortMonth[M] = LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + M), L.ShortMonth[M]);
    L.LongMonth[M] = LocaleText(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + M), L.LongMonth[M]);
  }
  // The system counts the days from Monday; the pattern's names from Sunday.
  for (int D = 0; D < 7; ++D) {
    const int Sys = (D + 6) % 7;
    L.ShortDay[D] = LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + Sys), L.ShortDay[D]);
    L.LongDay[D] = LocaleText(static_cast<LCTYPE>(LOCALE_SDAYNAME1 + Sys), L.LongDay[D]);
  }
  return L;
}

}  // namespace

std::string TBkOrlimoComposite::HeaderDateText() {
  SYSTEMTIME T{};
  ::GetLocalTime(&T);
  const TDateTimeParts Now{T.wYear, T.wMonth, T.wDay, T.wDayOfWeek, T.wHour, T.wMinute, T.wSecond};
  return FormatHeaderDate(BkLxStr::LoadStr(BkLxStr::sLxHeaderDateFormat), Now, SystemDateLocale());
}

// ============================================================ log files

void TBkOrlimoComposite::OpenMessageLog() {
  TOpenDialog Dlg(this);
  Dlg.Filter = LogFilter;
  Dlg.DefaultExt = "olx";
  Dlg.Options = ofHideReadOnly | ofNoChangeDir | ofFileMustExist | ofPathMustExist;
  if (!Dlg.Execute()) return;
  LoadMessages(Dlg.FileName);
}

void TBkOrlimoComposite::LoadMessages(const std::string& FileName) { LoadMessagesFrom(FileName, 0); }

void TBkOrlimoComposite::LoadMessagesFrom(const std::string& FileName, std::uint64_t Offset) {
  FLoadFullAt.reset();
  TLogLoadResult Result;
  {
    // What clients send meanwhile comes after the last loaded record.
    TLxIntakeHold Hold;
    // The file is opened before the list is cleared: a file that cannot be
    // read leaves the messages the user had.
    TPaintingLogSource Source(FileName, *FLstMsgs, Offset);
    Clear();
    TBkLogToFile::TSuspend NotLogged(*FLogToFile);  // the records are in a file already
    TCursorGuard Hourglass;
    auto StatusAfter = ScopeExit([this] { UpdateStatus(); });
    Result = ReadLog(*FMsgs, Source);
  }
  Result.Offset += Offset;
  if (Result.Full) {
    // The question comes once the load is over and the list shows what it
    // took: from the message loop, not from inside the load (or the
    // constructor of the window that opens a log given on its command line).
    FLoadFullAt = TLoadFullAt{FileName, Result.Offset};
    PostMessageA(GetHandle(), UM_LOADLISTFULL, 0, 0);
    return;
  }
  // The file is closed by now: the user may deal with it while the box is up.
  if (Result.Skipped()) Application->MessageBox(LogLoadReport(Result, FileName), "Orlimo", MB_OK | MB_ICONWARNING);
}

void TBkOrlimoComposite::AskLoadListFull() {
  if (!FLoadFullAt) return;
  const TLoadFullAt At = *FLoadFullAt;
  FLoadFullAt.reset();
  FLstMsgs->FlushChanges();
  const bool WasTerminated = Application->GetTerminated();
  const std::int32_t Answer = ListIsFullResponse(*this);
  // Closing the program's window ends the dialog: nothing more is done.
  if (!WasTerminated && Application->GetTerminated()) return;
  if (Answer == mrIgnore) {
    SetIgnoreMessages(true);
    DoUpdateMenu();
    return;
  }
  LoadMessagesFrom(At.FileName, At.Offset);  // clears the list first
}

void TBkOrlimoComposite::SaveLogFile(const std::string& FileName) {
  TCursorGuard Hourglass;
  TDiskFileSink Sink(FileName, true);
  WriteLog(*FMsgs, Sink);
  Sink.Close();
}

void TBkOrlimoComposite::SaveTextFile(const std::string& FileName) {
  // The text export is of what the list shows (a log file keeps everything).
  const std::string Text = BuildTextExport(*FMsgs, BkLxStr::LoadStr(BkLxStr::sLxSavedOn), HeaderDateText(),
                                           TExportOptions{FViewTimeStamp, FViewIcons}, ShownCount(),
                                           [this](std::int32_t I) { return ShownPosition(I); });
  TDiskFileSink Sink(FileName, false);
  Sink.Write(Text.data(), Text.size());
  Sink.Close();
}

void TBkOrlimoComposite::SaveMessages() {
  TSaveDialog Dlg(this);
  Dlg.Filter = SaveFilter;
  Dlg.DefaultExt = "olx";
  Dlg.Options = ofOverwritePrompt | ofHideReadOnly | ofNoChangeDir | ofPathMustExist;
  if (!Dlg.Execute()) return;
  TCursorGuard Hourglass;
  FStsTypeName->SetCaption("");
  if (UpperExtension(Dlg.FileName) == ".OLX") {
    SaveLogFile(Dlg.FileName);
    FStsTypeName->SetCaption("Orlimo log file saved");
  } else {
    SaveTextFile(Dlg.FileName);
    FStsTypeName->SetCaption("Orlimo messages saved to text file");
  }
}

// ============================================================ printing

void TBkOrlimoComposite::Print() {
  TPrintDialog Dlg(this);
  if (!Dlg.Execute()) return;
  HDC DC = Dlg.ReleasePrinterDC();
  if (!DC) return;
  TPrinter Printer(DC);
  Printer.SetTitle("Orlimo Message Log");
  TCursorGuard Hourglass;
  TPrinterTextDocument Document(Printer);
  PrintMessages(Document.Device(), Document.GetCanvas());
}

void TBkOrlimoComposite::PrintMessages(TTextDevice& Device, TCanvas& Canvas) {
  // Sizes in points of the printer's own resolution.
  const int Dpi = std::max(::GetDeviceCaps(Canvas.GetHandle(), LOGPIXELSY), 1);
  auto PointHeight = [Dpi](int Points) { return -::MulDiv(Points, Dpi, 72); };
  TFont& F = Canvas.GetFont();
  F.SetName("Arial");
  F.SetHeight(PointHeight(14));
  F.SetStyle(fsBold);
  F.SetColor(clBlack);
  Device.WriteLine(FormatHeaderLine(BkLxStr::LoadStr(BkLxStr::sLxPrintedOn), HeaderDateText()));
  Device.WriteLine("");
  F.SetName("Courier New");
  F.SetHeight(PointHeight(8));
  F.SetStyle(0);
  const std::int32_t N = ShownCount();
  for (std::int32_t I = 0; I < N; ++I) {
    // Only the kind's style shows on paper: the colour is black.
    SetFontColorStyle(F, GetItemMsgInfo(I).MsgType());
    F.SetColor(clBlack);
    Device.WriteLine(PrepareLine(I));
    F.SetStyle(0);
  }
}

// ============================================================ clipboard and selection

void TBkOrlimoComposite::CopyToClipboard() {
  std::string Text;
  bool Any = false;
  const std::int32_t N = ShownCount();
  for (std::int32_t I = 0; I < N; ++I) {
    if (!FLstMsgs->GetSelected(I)) continue;
    Any = true;
    Text += PrepareLine(I);
    Text += "\r\n";
  }
  if (Any) Clipboard().SetAsText(Text);
}

void TBkOrlimoComposite::CopyAllToClipboard() {
  const std::int32_t N = ShownCount();
  std::size_t Size = 0;
  for (std::int32_t I = 0; I < N; ++I) Size += FMsgs->GetItemText(ShownPosition(I)).size() + 2;
  std::string Text;
  Text.reserve(Size);
  for (std::int32_t I = 0; I < N; ++I) {
    Text += FMsgs->GetItemText(ShownPosition(I));
    Text += "\r\n";
  }
  Clipboard().SetAsText(Text);
}

void TBkOrlimoComposite::SelectAll() {
  FLstMsgs->SelectAll();
  UpdateStatus();
}

void TBkOrlimoComposite::DeleteSelectedItems() { FLstMsgs->DeleteSelected(); }
