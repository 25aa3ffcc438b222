// The file, print and clipboard commands of the panel: the dialogs answered
// by a hook, the files written checked byte for byte, the clipboard read
// back, a printout drawn on a memory surface.
#include "ViewerFixture.h"

#include "core/BkLxStr.h"

#include "model/LogFile.h"
#include "platform/Clipboard.h"
#include "platform/CommonDialogs.h"
#include "platform/Printers.h"

#include <winspool.h>

#include <cstdio>
#include <regex>
#include <thread>

namespace {

std::string TempName(const std::string& Name) {
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  return std::string(Dir) + "orlimo-files-" + std::to_string(GetCurrentProcessId()) + "-" + Name;
}

std::string ReadBytes(const std::string& FileName) {
  std::string Bytes;
  if (FILE* F = std::fopen(FileName.c_str(), "rb")) {
    char Buf[4096];
    std::size_t N;
    while ((N = std::fread(Buf, 1, sizeof Buf, F)) > 0) Bytes.append(Buf, N);
    std::fclose(F);
  }
  return Bytes;
}

// A PostScript printer whose port is a file: made through the system's
// PostScript printer driver when there is one (Wine's, under the tests), with
// a small printer description of its own. Ready is false without one.
class TFilePrinter {
public:
  static constexpr const char* Name = "Orlimo Test Printer";
  static constexpr const char* Port = "/tmp/orlimo-print-test.ps";        // the driver writes here
  static constexpr const char* Output = "Z:\\tmp\\orlimo-print-test.ps";  // the same file for us

  TFilePrinter() {
    char Dir[MAX_PATH] = {};
    DWORD Needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(Dir), sizeof Dir, &Needed)) return;
    const std::string Folder = std::string(Dir) + "\\3";
    CreateDirectoryA(Folder.c_str(), nullptr);
    FILE* F = std::fopen((Folder + "\\orlimo-test.ppd").c_str(), "wb");
    if (!F) return;
    std::fputs(
        "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
        "*LanguageEncoding: ISOLatin1\n*PCFileName: \"ORLIMO.PPD\"\n*Manufacturer: \"Orlimo\"\n"
        "*Product: \"(Test)\"\n*ModelName: \"Orlimo Test\"\n*ShortNickName: \"Orlimo Test\"\n"
        "*NickName: \"Orlimo Test\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: True\n"
        "*DefaultColorSpace: RGB\n*TTRasterizer: Type42\n*OpenUI *PageSize: PickOne\n*DefaultPageSize: Letter\n"
        "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageSize\n"
        "*DefaultImageableArea: Letter\n*ImageableArea Letter/Letter: \"0 0 612 792\"\n"
        "*DefaultPaperDimension: Letter\n*PaperDimension Letter/Letter: \"612 792\"\n*DefaultResolution: 300dpi\n",
        F);
    std::fclose(F);
    DRIVER_INFO_3A Driver{};
    Driver.cVersion = 3;
    Driver.pName = const_cast<char*>("Wine PostScript Driver");
    Driver.pDriverPath = const_cast<char*>("wineps.drv");
    Driver.pDataFile = const_cast<char*>("orlimo-test.ppd");
    Driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&Driver))) return;
    PRINTER_INFO_2A Info{};
    Info.pPrinterName = const_cast<char*>(Name);
    Info.pPortName = const_cast<char*>(Port);
    Info.pDriverName = Driver.pName;
    Info.pPrintProcessor = const_cast<char*>("WinPrint");
    Info.pDatatype = const_cast<char*>("RAW");
    if (HANDLE P = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&Info))) ClosePrinter(P);
    HDC DC = CreateDCA(nullptr, Name, nullptr, nullptr);
    Ready = DC != nullptr;
    if (DC) DeleteDC(DC);
  }
  bool Ready = false;
};

// What a PostScript file shows: the characters drawn, by the font they were
// drawn in, in order.
std::vector<std::pair<std::string, std::string>> PrintedRuns(const std::string& PostScript) {
  static const std::pair<const char*, char> Names[] = {
      {"space", ' '},  {"zero", '0'},   {"one", '1'},   {"two", '2'},     {"three", '3'}, {"four", '4'},
      {"five", '5'},   {"six", '6'},    {"seven", '7'}, {"eight", '8'},   {"nine", '9'},  {"colon", ':'},
      {"hyphen", '-'}, {"period", '.'}, {"slash", '/'}, {"greater", '>'}, {"less", '<'},  {"numbersign", '#'}};
  std::vector<std::pair<std::string, std::string>> Runs;
  std::string Font;
  std::size_t Start = 0;
  while (Start < PostScript.size()) {
    std::size_t End = PostScript.find('\n', Start);
    if (End == std::string::npos) End = PostScript.size();
    const std::string Line = PostScript.substr(Start, End - Start);
    Start = End + 1;
    if (const std::size_t F = Line.find(" findfont"); F != std::string::npos && Line[0] == '/') {
      Font = Line.substr(1, F - 1);
    } else if (Line.size() > 11 && Line[0] == '/' && Line.compare(Line.size() - 10, 10, " glyphshow") == 0) {
      const std::string Glyph = Line.substr(1, Line.size() - 11);
      char C = Glyph.size() == 1 ? Glyph[0] : '?';
      for (const auto& [N, Ch] : Names)
        if (Glyph == N) C = Ch;
      if (Runs.empty() || Runs.back().first != Font) Runs.emplace_back(Font, "");
      Runs.back().second += C;
    }
  }
  return Runs;
}

class Files : public ViewerTest {
protected:
  void SetUp() override {
    SavedFonts = FOrlimoFonts;
    ViewerTest::SetUp();
  }
  void TearDown() override {
    TCommonDialog::ExecuteHook = nullptr;
    for (const std::string& F : Made) DeleteFileA(F.c_str());
    ViewerTest::TearDown();
    FOrlimoFonts = SavedFonts;
  }
  // The next file dialog answers with Name (kept for the test's end), or cancels.
  void AnswerFileDialog(const std::string& Name, bool Confirm = true) {
    if (!Name.empty()) Made.push_back(Name);
    TCommonDialog::ExecuteHook = [this, Name, Confirm](TCommonDialog& D) {
      Asked = dynamic_cast<TOpenDialog*>(&D);
      if (Asked) {
        Filter = Asked->Filter;
        DefaultExt = Asked->DefaultExt;
        Options = Asked->Options;
        IsSave = dynamic_cast<TSaveDialog*>(&D) != nullptr;
        Asked->FileName = Name;
      }
      return Confirm;
    };
  }
  void AddSome() {
    // Ticks after the clock's: the time texts do not move the time base.
    Add(lxmInfo, "first", 1'001'000);
    C->AddMessage(lxmEnterMethod, "TMain.Run", "client", "TMain", 1'001'100, std::nullopt);
    C->AddMessage(lxmObject, "Customer", "client", "TCustomer", 1'001'200, std::string_view("Name\tAcme"));
    C->AddMessage(lxmExitMethod, "TMain.Run", "client", "TMain", 1'001'300, std::nullopt);
    Add(lxmError, "last", 1'001'400);
  }
  std::string ExpectedLog() {
    TStringLogSink Sink;
    WriteLog(C->Messages(), Sink);
    return Sink.Bytes;
  }

  TOpenDialog* Asked = nullptr;
  std::string Filter, DefaultExt;
  TOpenOptions Options = 0;
  bool IsSave = false;
  std::vector<std::string> Made;
  TOrlimoFonts SavedFonts{};
};

TEST_F(Files, SaveWritesALogForOlxInAnyCaseAndAnExportOtherwise) {
  AddSome();
  C->FStsTypeName->SetCaption("TType");
  const std::string Log = TempName("a.OLX");
  AnswerFileDialog(Log);
  C->SaveMessages();
  EXPECT_TRUE(IsSave);
  EXPECT_EQ(Filter, "Orlimo Log Files (*.olx)|*.olx|Text Files (*.txt)|*.txt");
  EXPECT_EQ(DefaultExt, "olx");
  EXPECT_EQ(Options, ofOverwritePrompt | ofHideReadOnly | ofNoChangeDir | ofPathMustExist);
  EXPECT_EQ(ReadBytes(Log), ExpectedLog());
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "Orlimo log file saved");

  // A text export: header, empty line, the export lines in display order.
  C->SetViewTimeStamp(true);
  C->SetInsertAtEnd(false);
  C->ReverseList();
  for (const char* Name : {"b.txt", "b.log", "b.olx.bak"}) {
    const std::string Text = TempName(Name);
    AnswerFileDialog(Text);
    const std::string Before = TBkOrlimoComposite::HeaderDateText();
    C->SaveMessages();
    const std::string After = TBkOrlimoComposite::HeaderDateText();
    const std::string Bytes = ReadBytes(Text);
    const std::size_t Eol = Bytes.find("\r\n");
    ASSERT_NE(Eol, std::string::npos) << Name;
    const std::string Header = Bytes.substr(0, Eol);
    EXPECT_TRUE(Header == "Orlimo Message Log - Saved on " + Before ||
                Header == "Orlimo Message Log - Saved on " + After)
        << Header;
    std::string Rest = "\r\n";
    for (std::int32_t I = 0; I < C->Messages().Count(); ++I) Rest += C->PrepareLine(I) + "\r\n";
    EXPECT_EQ(Bytes.substr(Eol + 2), Rest) << Name;
    EXPECT_EQ(Bytes.find("last"), Bytes.find("\r\n\r\n") + 4 + C->PrepareLine(0).find("last"))
        << "the newest first, as shown";
    EXPECT_EQ(C->FStsTypeName->GetCaption(), "Orlimo messages saved to text file");
  }
}

TEST_F(Files, CancelledDialogsChangeNothing) {
  AddSome();
  C->FStsTypeName->SetCaption("TType");
  AnswerFileDialog("", false);
  C->SaveMessages();
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "TType");
  C->OpenMessageLog();
  EXPECT_FALSE(IsSave);
  EXPECT_EQ(Filter, "Orlimo Log Files (*.olx)|*.olx");
  EXPECT_EQ(DefaultExt, "olx");
  EXPECT_EQ(Options, ofHideReadOnly | ofNoChangeDir | ofFileMustExist | ofPathMustExist);
  EXPECT_EQ(C->Messages().Count(), 5);
  int Asks = 0;
  TCommonDialog::ExecuteHook = [&](TCommonDialog& D) {
    ++Asks;
    EXPECT_NE(dynamic_cast<TPrintDialog*>(&D), nullptr);
    return false;
  };
  C->Print();
  EXPECT_EQ(Asks, 1);
}

TEST_F(Files, AFailedSaveNamesTheFileAndLeavesNoSuccessCaption) {
  AddSome();
  C->FStsTypeName->SetCaption("TType");
  const std::string Held = TempName("held.txt");
  // The file is held open without sharing by someone else.
  HANDLE H = CreateFileA(Held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(H, INVALID_HANDLE_VALUE);
  for (const std::string& Name : {Held, Held.substr(0, Held.size() - 3) + "olx"}) {
    HANDLE H2 =
        Name == Held ? nullptr : CreateFileA(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    AnswerFileDialog(Name);
    try {
      C->SaveMessages();
      ADD_FAILURE() << "saving to a file in use succeeded: " << Name;
    } catch (const std::exception& E) {
      EXPECT_NE(std::string(E.what()).find(Name), std::string::npos) << E.what();
    }
    EXPECT_EQ(C->FStsTypeName->GetCaption(), "");
    EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault) << "the hourglass is gone";
    if (H2) CloseHandle(H2);
  }
  CloseHandle(H);
}

TEST_F(Files, OpenLoadsTheFileAndADamagedOneSaysWhatWasSkipped) {
  AddSome();
  const std::string Log = TempName("whole.olx");
  C->SaveLogFile(Log);
  const std::string Bytes = ReadBytes(Log);
  C->Clear();
  Add(lxmNote, "kept?", 1);
  AnswerFileDialog(Log);
  C->OpenMessageLog();
  ASSERT_EQ(C->Messages().Count(), 5);
  EXPECT_EQ(C->Messages().GetItemText(4), "last");
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "5 Messages");

  // Cut inside the fourth record: three come back and the user is told.
  const std::string Cut = TempName("cut.olx");
  Made.push_back(Cut);
  {
    FILE* F = std::fopen(Cut.c_str(), "wb");
    ASSERT_NE(F, nullptr);
    const std::size_t Third = Bytes.find("TMain.Run", Bytes.find("Customer"));  // inside record four
    std::fwrite(Bytes.data(), 1, Third, F);
    std::fclose(F);
  }
  // While the warning is up, the file is closed: it can be opened without
  // sharing (and so deleted or replaced).
  bool Free = false;
  Application->OnMessageBox = [&](const std::string& Text, const std::string&, UINT) {
    Boxes.push_back(Text);
    HANDLE H = CreateFileA(Cut.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Free = H != INVALID_HANDLE_VALUE;
    if (Free) CloseHandle(H);
    return IDOK;
  };
  C->LoadMessages(Cut);
  EXPECT_TRUE(Free) << "the damaged file was still open while its warning was shown";
  EXPECT_EQ(C->Messages().Count(), 3);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].find("3 records were read"), std::string::npos) << Boxes[0];
  EXPECT_NE(Boxes[0].find("skipped"), std::string::npos) << Boxes[0];
  EXPECT_NE(Boxes[0].find(Cut), std::string::npos) << Boxes[0];
  EXPECT_EQ(C->FStsMsgCount->GetCaption(), "3 Messages");
  EXPECT_EQ(TCursorGuard::ScreenCursor(), crDefault);

  // A file that cannot be opened: named in the error, and the list is kept.
  const std::string Missing = TempName("missing.olx");
  try {
    C->LoadMessages(Missing);
    ADD_FAILURE() << "a missing file loaded";
  } catch (const std::exception& E) {
    EXPECT_NE(std::string(E.what()).find(Missing), std::string::npos) << E.what();
  }
  EXPECT_EQ(C->Messages().Count(), 3);
}

TEST_F(Files, CopyPutsTheSelectedExportLinesOnTheClipboard) {
  AddSome();
  Clipboard().SetAsText("untouched");
  C->CopyToClipboard();
  EXPECT_EQ(Clipboard().GetAsText(), "untouched") << "nothing selected";
  List->SetSelected(1, true);
  List->SetSelected(2, true);
  List->SetSelected(4, true);
  C->CopyToClipboard();
  EXPECT_EQ(Clipboard().GetAsText(), "Method -->>\t: TMain.Run\r\nObject\t\t:     Customer\r\nError\t\t: last\r\n");
  C->SetViewIcons(false);
  C->SetViewTimeStamp(true);
  C->CopyToClipboard();
  EXPECT_EQ(Clipboard().GetAsText(),
            C->PrepareLine(1) + "\r\n" + C->PrepareLine(2) + "\r\n" + C->PrepareLine(4) + "\r\n");
  EXPECT_EQ(C->PrepareLine(4).find('\t'), C->PrepareLine(4).size() - 5) << "time, TAB, text";

  C->CopyAllToClipboard();
  EXPECT_EQ(Clipboard().GetAsText(), "first\r\nTMain.Run\r\nCustomer\r\nTMain.Run\r\nlast\r\n");
  C->Clear();
  C->CopyAllToClipboard();
  EXPECT_TRUE(Clipboard().HasText());
  EXPECT_EQ(Clipboard().GetAsText(), "");
}

TEST_F(Files, SelectAllCountsAndDeleteFiresItsEvent) {
  AddSome();
  C->SelectAll();
  EXPECT_EQ(List->GetSelCount(), 5);
  EXPECT_EQ(C->FStsSelCount->GetCaption(), "5 Selected");
  List->ClearSelection();
  List->SetSelected(0, true);
  List->SetSelected(3, true);
  int Deleted = 0;
  TCursor During = crDefault;
  List->OnDeleteItems = [&](TObject*) {
    ++Deleted;
    During = TCursorGuard::ScreenCursor();
  };
  C->DeleteSelectedItems();
  EXPECT_EQ(Deleted, 1);
  EXPECT_EQ(During, crDefault) << "the hourglass is gone before the event";
  ASSERT_EQ(C->Messages().Count(), 3);
  EXPECT_EQ(C->Messages().GetItemText(0), "TMain.Run");
  EXPECT_EQ(C->Messages().GetItemText(2), "last");
}

TEST_F(Files, ThePrintoutIsBlackWithTheKindsStyles) {
  FOrlimoFonts = {};
  FOrlimoFonts[0] = TOrlimoFontRec{true, clBlack, 0};
  FOrlimoFonts[lxmError] = TOrlimoFontRec{false, clRed, fsBold};
  C->SetViewIcons(false);
  Add(lxmInfo, "WWWWWWWWWW", 1);
  Add(lxmError, "WWWWWWWWWW", 2);
  TSurface S(1200, 400);
  TCanvas Canvas;
  Canvas.SetHandle(S.DC());
  Canvas.GetBrush().SetColor(clWhite);
  Canvas.FillRect(RECT{0, 0, 1200, 400});
  int Pages = 0;
  TTextDevice Device(Canvas, 1200, 400, [&] { ++Pages; });
  C->PrintMessages(Device, Canvas);
  const int Bottom = Device.GetY();
  Canvas.ReleaseObjects();
  Canvas.SetHandle(nullptr);
  EXPECT_EQ(Pages, 0);

  // Four lines: header, empty, the two messages. Count the dark pixels per
  // line band; no pixel is coloured.
  std::vector<int> Rows;
  int Coloured = 0;
  for (int Y = 0; Y < Bottom; ++Y) {
    int Dark = 0;
    for (int X = 0; X < 1200; ++X) {
      const COLORREF P = S.Pixel(X, Y);
      if (GetRValue(P) != GetGValue(P) || GetGValue(P) != GetBValue(P)) ++Coloured;
      if (GetRValue(P) < 224) ++Dark;
    }
    Rows.push_back(Dark);
  }
  EXPECT_EQ(Coloured, 0) << "pixels in colour";
  // Bands of rows with ink.
  std::vector<int> Bands;
  bool In = false;
  for (int D : Rows) {
    if (D > 0 && !In) Bands.push_back(0);
    if (D > 0) Bands.back() += D;
    In = D > 0;
  }
  std::string Seen;
  for (int B : Bands) Seen += std::to_string(B) + " ";
  ASSERT_EQ(Bands.size(), 3u) << "header and two messages: " << Seen;
  EXPECT_GT(Bands[2], Bands[1] * 5 / 4) << "the error printed bold";
  EXPECT_GT(Bands[0], Bands[1]) << "the header in its larger font";
}

TEST_F(Files, PrintWritesEveryMessageToTheChosenPrinter) {
  TFilePrinter Printer;
  if (!Printer.Ready) GTEST_SKIP() << "no PostScript printer driver to print into a file";
  DeleteFileA(TFilePrinter::Output);
  FOrlimoFonts = {};
  FOrlimoFonts[0] = TOrlimoFontRec{true, clBlack, 0};
  FOrlimoFonts[lxmError] = TOrlimoFontRec{false, clRed, fsBold};
  C->SetViewIcons(false);
  Add(lxmInfo, "plainline", 1'000'100);
  Add(lxmError, "boldline", 1'000'200);
  TCommonDialog::ExecuteHook = [](TCommonDialog& D) {
    auto& P = dynamic_cast<TPrintDialog&>(D);
    P.SetPrinterDC(CreateDCA(nullptr, TFilePrinter::Name, nullptr, nullptr));
    return P.GetPrinterDC() != nullptr;
  };
  C->Print();
  const std::string PostScript = ReadBytes(TFilePrinter::Output);
  DeleteFileA(TFilePrinter::Output);
  ASSERT_FALSE(PostScript.empty()) << "nothing was printed";
  EXPECT_NE(PostScript.find("%%Pages: 1"), std::string::npos) << "one page";
  // Every colour set is a grey (the kinds' colours are not printed).
  for (std::size_t At = PostScript.find(" setrgbcolor"); At != std::string::npos;
       At = PostScript.find(" setrgbcolor", At + 1)) {
    const std::size_t Line = PostScript.rfind('\n', At) + 1;
    double R = -1, G = -2, B = -3;
    if (std::sscanf(PostScript.c_str() + Line, "%lf %lf %lf setrgbcolor", &R, &G, &B) == 3) {
      EXPECT_EQ(R, G) << PostScript.substr(Line, At - Line);
      EXPECT_EQ(G, B) << PostScript.substr(Line, At - Line);
    }
  }

  const auto Runs = PrintedRuns(PostScript);
  std::string All;
  for (const auto& [Font, Text] : Runs) All += "[" + Font + "]" + Text;
  auto FontOf = [&](const std::string& Text) -> std::string {
    for (const auto& [Font, Run] : Runs)
      if (Run.find(Text) != std::string::npos) return Font;
    return "<not printed>";
  };
  const std::string Header = FontOf("Orlimo Message Log - Printed on ");
  EXPECT_NE(Header.find("Bold"), std::string::npos) << All;
  EXPECT_EQ(FontOf("plainline").find("Bold"), std::string::npos) << All;
  EXPECT_NE(FontOf("boldline").find("Bold"), std::string::npos) << "the error kind's style" << All;
  EXPECT_NE(FontOf("plainline"), Header) << "the messages in the fixed-pitch font";
  EXPECT_LT(All.find("plainline"), All.find("boldline")) << "in display order";
}

TEST_F(Files, TheHeaderDateFollowsTheSystemsShortFormats) {
  char Date[80] = {}, Time[80] = {}, Short[80] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, Date, sizeof Date);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, Time, sizeof Time);
  const bool HadShort = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, Short, sizeof Short) > 1;
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "yyyy'-'MM'-'dd"));
  // The short time pattern is what is read first; the long one, without its
  // seconds, serves systems that have no short one.
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, "HH'h'mm");
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, "HH:mm:ss"));
  char Now[80] = {};
  const bool HasShort = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, Now, sizeof Now) > 1;
  const std::string Text = TBkOrlimoComposite::HeaderDateText();
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, Date);
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, Time);
  if (HadShort) SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, Short);
  if (HasShort) {
    EXPECT_EQ(std::string(Now), "HH'h'mm");
    EXPECT_TRUE(std::regex_match(Text, std::regex(R"(\d{4}-\d\d-\d\d at \d\dh\d\d)"))) << Text;
  } else {
    EXPECT_TRUE(std::regex_match(Text, std::regex(R"(\d{4}-\d\d-\d\d at \d\d:\d\d)"))) << Text;
  }
}

TEST_F(Files, PipesAndDevicesAreRefusedBeforeAnythingIsWritten) {
  AddSome();
  // A pipe that nobody reads: writing to it would wait for ever.
  const std::string Pipe = "\\\\.\\pipe\\orlimo-files-" + std::to_string(GetCurrentProcessId());
  HANDLE Server =
      CreateNamedPipeA(Pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 512, 512, 0, nullptr);
  ASSERT_NE(Server, INVALID_HANDLE_VALUE);
  for (int I = 0; I < 2000; ++I) Add(lxmInfo, std::string(200, 'x'), 1'002'000 + I);  // more than a pipe holds
  // Should the save not be refused, the test reads the pipe after a while
  // rather than hang.
  HANDLE Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread Guard([&] {
    if (WaitForSingleObject(Done, 60000) == WAIT_OBJECT_0) return;
    ConnectNamedPipe(Server, nullptr);
    char Buf[65536];
    DWORD Got = 0;
    while (ReadFile(Server, Buf, sizeof Buf, &Got, nullptr) && Got) {
    }
  });
  char Dir[MAX_PATH];
  GetTempPathA(MAX_PATH, Dir);
  const std::string TempDir = Dir;
  for (const std::string& Name : {Pipe, std::string("NUL"), std::string("com1.olx"), TempDir + "con.txt",
                                  std::string("\\\\.\\NUL"), TempDir + "Aux.OLX"}) {
    for (bool Log : {true, false}) {
      try {
        if (Log)
          C->SaveLogFile(Name);
        else
          C->SaveTextFile(Name);
        ADD_FAILURE() << "written to " << Name;
      } catch (const std::exception& E) {
        EXPECT_NE(std::string(E.what()).find(Name), std::string::npos) << E.what();
        EXPECT_NE(std::string(E.what()).find("not one of a file on a disk"), std::string::npos) << E.what();
      }
    }
  }
  SetEvent(Done);
  Guard.join();
  CloseHandle(Done);
  CloseHandle(Server);

  // File > Save follows the same rule, with the same box as any failed save.
  C->FStsTypeName->SetCaption("TType");
  AnswerFileDialog("");  // nothing to delete afterwards
  TCommonDialog::ExecuteHook = [](TCommonDialog& D) {
    dynamic_cast<TOpenDialog&>(D).FileName = "nul.olx";
    return true;
  };
  EXPECT_THROW(C->SaveMessages(), std::exception);
  EXPECT_EQ(C->FStsTypeName->GetCaption(), "");
}

// A name that looks like a file but reaches a character device (the Unix
// null device, as Wine shows it) is refused once it is open.
TEST_F(Files, WhatANameReachedIsCheckedOnceOpen) {
  const std::string Null = "Z:\\dev\\null";
  HANDLE Device = CreateFileA(Null.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (Device == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no such device here";
  CloseHandle(Device);
  AddSome();
  try {
    C->SaveLogFile(Null);
    ADD_FAILURE() << "written to " << Null;
  } catch (const std::exception& E) {
    EXPECT_NE(std::string(E.what()).find("not one of a file on a disk"), std::string::npos) << E.what();
  }
}

TEST_F(Files, TheCallStackKeepsNoLinesOfClearedOrDeletedItems) {
  auto Stack = [&] {
    C->AddMessage(lxmEnterMethod, "TMain.Run", "client", "", 1'001'000, std::nullopt);
    C->AddMessage(lxmEnterMethod, "TMain.Step", "client", "", 1'001'100, std::nullopt);
    Add(lxmInfo, "inside", 1'001'200);
    C->JumpToItem(C->Messages().Count() - 1);
    TStringItems Lines;
    ASSERT_TRUE(C->TraverseCallStack(Lines));
    ASSERT_FALSE(C->GetCallStackLines().empty());
  };
  ASSERT_NO_FATAL_FAILURE(Stack());
  C->Clear();
  EXPECT_TRUE(C->GetCallStackLines().empty()) << "after a clear";
  ASSERT_NO_FATAL_FAILURE(Stack());
  List->ClearSelection();
  List->SetSelected(0, true);
  C->DeleteSelectedItems();
  EXPECT_TRUE(C->GetCallStackLines().empty()) << "after a delete";
  EXPECT_EQ(C->Messages().Count(), 2);
}

}  // namespace
