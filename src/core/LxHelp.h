// The viewer's help: the help file "Orlimo.hlp" next to the program when it is
// there, otherwise the help page "Orlimo.html" next to the program, opened in
// the browser at the section asked for; when neither can be opened the user
// is told so, and where the page is.
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
// The sections of the help page (its anchors) the program opens it at.
inline constexpr const char* ContentsSection = "contents";
inline constexpr const char* PreferencesSection = "preferences";

// How the help was shown.
enum class THelpShown { HelpFile, HelpPage, Nothing };

// The two outside calls, replaceable (tests must not start a help viewer or a
// browser). Null restores the default.
//  HelpCommand: the help system's command on the application's help file
//    (default: Application->HelpCommand); true when the help system took it.
//  OpenDocument: opens a page with the program the shell associates with it,
//    at a section of it when Section is not empty (default: the browser that
//    opens such files, given the page's file URL with the section; else the
//    shell's "open" of the URL, else of the file); true when it was opened.
using THelpCommandHook = std::function<bool(UINT Command, ULONG_PTR Data)>;
using TOpenDocumentHook = std::function<bool(const std::string& FileName, const std::string& Section)>;
void SetHelpCommandHook(THelpCommandHook Hook);
void SetOpenDocumentHook(TOpenDocumentHook Hook);

// The folder of the module that contains the viewer (with a trailing '\').
std::string ProgramDirectory();

// Shows the help contents from the files in Directory (with a trailing '\'):
// the help file through the help system, with the application's help-file
// name set to it for the call and restored afterwards; else the help page at
// its top. When neither exists or can be opened, a message box says so.
THelpShown ShowHelpContents(const std::string& Directory);
// The same for any command of the help system (a jump to a topic, for one);
// the help page then opens at Section.
THelpShown ShowHelp(const std::string& Directory, UINT Command, ULONG_PTR Data, const std::string& Section);

// The file URL of a page at a section ("file:///C:/Orlimo/Orlimo.html#contents").
std::string PageUrl(const std::string& FileName, const std::string& Section);

}  // namespace LxHelp
