#include "core/LxHelp.h"

#include "platform/Forms.h"
#include "platform/Gdi.h"

#include "model/ScopeExit.h"

#include <shellapi.h>

namespace LxHelp {

namespace {

THelpCommandHook& HelpCommandHook() {
  static THelpCommandHook Hook;
  return Hook;
}

TOpenDocumentHook& OpenDocumentHook() {
  static TOpenDocumentHook Hook;
  return Hook;
}

bool FileExists(const std::string& FileName) {
  const DWORD Attr = ::GetFileAttributesA(FileName.c_str());
  return Attr != INVALID_FILE_ATTRIBUTES && !(Attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool RunHelpCommand(UINT Command, ULONG_PTR Data) {
  if (const THelpCommandHook& Hook = HelpCommandHook()) return Hook(Command, Data);
  return Application->HelpCommand(Command, Data);
}

bool ShellOpen(HWND Owner, const std::string& File, const std::string& Parameters) {
  const auto Result = reinterpret_cast<INT_PTR>(::ShellExecuteA(
      Owner, "open", File.c_str(), Parameters.empty() ? nullptr : Parameters.c_str(), nullptr, SW_SHOWNORMAL));
  return Result > 32;
}

// The shell drops the "#section" of a file URL on the way to the browser
// (the URL turns back into a file name), so the browser that opens pages is
// started with the URL itself.
bool OpenDocument(const std::string& FileName, const std::string& Section) {
  if (const TOpenDocumentHook& Hook = OpenDocumentHook()) return Hook(FileName, Section);
  TCustomForm* Main = Application->GetMainForm();
  HWND Owner = Main && Main->HandleAllocated() ? Main->WindowHandle() : nullptr;
  if (!Section.empty()) {
    const std::string Url = PageUrl(FileName, Section);
    char Browser[MAX_PATH + 1] = {};
    if (reinterpret_cast<INT_PTR>(::FindExecutableA(FileName.c_str(), nullptr, Browser)) > 32 && Browser[0] &&
        ShellOpen(Owner, Browser, "\"" + Url + "\""))
      return true;
    if (ShellOpen(Owner, Url, "")) return true;
  }
  return ShellOpen(Owner, FileName, "");
}

}  // namespace

void SetHelpCommandHook(THelpCommandHook Hook) { HelpCommandHook() = std::move(Hook); }
void SetOpenDocumentHook(TOpenDocumentHook Hook) { OpenDocumentHook() = std::move(Hook); }

std::string ProgramDirectory() {
  char Path[MAX_PATH + 1] = {};
  const DWORD Len = ::GetModuleFileNameA(ModuleInstance(), Path, MAX_PATH);
  std::string Dir(Path, Len < MAX_PATH ? Len : 0);
  const std::size_t Slash = Dir.find_last_of("\\/");
  Dir.erase(Slash == std::string::npos ? 0 : Slash + 1);
  return Dir;
}

std::string PageUrl(const std::string& FileName, const std::string& Section) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string Url = "file:///";
  for (const char Ch : FileName) {
    const auto C = static_cast<unsigned char>(Ch);
    if (C == '\\')
      Url += '/';
    else if (C <= ' ' || C >= 0x7F || C == '%' || C == '#' || C == '?' || C == '"')
      Url += std::string{'%', Hex[C >> 4], Hex[C & 15]};
    else
      Url += Ch;
  }
  if (!Section.empty()) Url += "#" + Section;
  return Url;
}

THelpShown ShowHelpContents(const std::string& Directory) {
  return ShowHelp(Directory, HelpContentsCommand, HelpContentsData, ContentsSection);
}

THelpShown ShowHelp(const std::string& Directory, UINT Command, ULONG_PTR Data, const std::string& Section) {
  const std::string HelpFile = Directory + HelpFileName;
  const bool HaveHelpFile = FileExists(HelpFile);
  if (HaveHelpFile) {
    const std::string Remembered = Application->GetHelpFile();
    auto Restore = ScopeExit([&] { Application->SetHelpFile(Remembered); });
    Application->SetHelpFile(HelpFile);
    if (RunHelpCommand(Command, Data)) return THelpShown::HelpFile;
  }
  const std::string HelpPage = Directory + HelpPageName;
  const bool HavePage = FileExists(HelpPage);
  if (HavePage && OpenDocument(HelpPage, Section)) return THelpShown::HelpPage;

  std::string Text = "The help for Orlimo cannot be shown.";
  if (HaveHelpFile) Text += "\nThe help system could not open \"" + HelpFile + "\".";
  if (HavePage)
    Text += "\nNo program could open the help page. It is the file \"" + HelpPage + "\": open it in a web browser.";
  if (!HaveHelpFile && !HavePage)
    Text += "\nNeither \"" + std::string(HelpFileName) + "\" nor \"" + HelpPageName + "\" was found in \"" + Directory +
            "\".";
  else if (!HavePage)
    Text += "\nThe help page \"" + HelpPage + "\" was not found.";
  Application->MessageBox(Text, "Orlimo", MB_OK | MB_ICONINFORMATION);
  return THelpShown::Nothing;
}

}  // namespace LxHelp
