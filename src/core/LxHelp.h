// The viewer's help: the help file "Orlimo.hlp" next to the program when it is
// there, otherwise the help page "Orlimo.html" next to the program, opened
// with the shell; when neither can be opened the user is told so.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace LxHelp {

inline constexpr const char* HelpFileName = "Orlimo.hlp";
inline constexpr const char* HelpPageName = "Orlimo.html";
// The help system's contents command and its data.
inline constexpr UINT HelpContentsCommand = 3;  // HELP_CONTENTS
inline constexpr ULONG_PTR HelpContentsData = 0;

// How the help was shown.
enum class THelpShown { HelpFile, HelpPage, Nothing };

// The two outside calls, replaceable (tests must not start a help viewer or a
// browser). Null restores the default.
//  HelpCommand: the help system's command on the application's help file
//    (default: Application->HelpCommand); true when the help system took it.
//  OpenDocument: opens a file with the program the shell associates with it
//    (default: ShellExecute "open"); true when it was opened.
using THelpCommandHook = std::function<bool(UINT Command, ULONG_PTR Data)>;
using TOpenDocumentHook = std::function<bool(const std::string& FileName)>;
void SetHelpCommandHook(THelpCommandHook Hook);
void SetOpenDocumentHook(TOpenDocumentHook Hook);

// The folder of the module that contains the viewer (with a trailing '\').
std::string ProgramDirectory();

// Shows the help contents from the files in Directory (with a trailing '\'):
// the help file through the help system, with the application's help-file
// name set to it for the call and restored afterwards; else the help page.
// When neither exists or can be opened, a message box says so.
THelpShown ShowHelpContents(const std::string& Directory);
// The same for any command of the help system (a jump to a topic, for one).
THelpShown ShowHelp(const std::string& Directory, UINT Command, ULONG_PTR Data);

}  // namespace LxHelp
