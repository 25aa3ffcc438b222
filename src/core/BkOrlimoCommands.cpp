// The list's popup menu, and the commands whose dialogs come with a later
// version (they say so instead of doing nothing).
#include "core/BkOrlimo.h"

#include "core/BkLxStr.h"

void TBkOrlimoComposite::CommandNotAvailable(const std::string& Command) {
  Application->MessageBox("\"" + Command + "\" is not available yet in this version of Orlimo.", "Orlimo",
                          MB_OK | MB_ICONINFORMATION);
}

// ============================================================ buttons and menus

void TBkOrlimoComposite::PopupMenuClick(TObject* Sender) {
  auto* Item = dynamic_cast<TMenuItem*>(Sender);
  if (!Item) return;
  switch (Item->GetTag()) {
    case 1: CopyToClipboard(); break;
    case 2: SelectAll(); break;
    case 3: DeleteSelectedItems(); break;
    case 4: ResetIndentLevel(); break;
    case 5: InsertNote(); break;
    case 6: InsertSeparator("", static_cast<std::int32_t>(GetTickCount())); break;
    case 7: Find(); break;
    case 8: FindNext(false); break;
    case 9: FindCurrentMethod(); break;
    case 10: OpenMessageLog(); break;
    case 11: SaveMessages(); break;
    case 12: Print(); break;
    case 13: ChangePreferences(); break;
    case 14: InvokeHelpContents(); break;
    case 15: DisplayAboutBox(); break;
    default: break;
  }
}

// ============================================================ still to come

void TBkOrlimoComposite::OpenMessageLog() { CommandNotAvailable("Open"); }
void TBkOrlimoComposite::SaveMessages() { CommandNotAvailable("Save"); }
void TBkOrlimoComposite::Print() { CommandNotAvailable("Print"); }
void TBkOrlimoComposite::CopyToClipboard() { CommandNotAvailable("Copy"); }
void TBkOrlimoComposite::CopyAllToClipboard() { CommandNotAvailable("Copy All"); }
void TBkOrlimoComposite::ChangePreferences() { CommandNotAvailable("Preferences"); }
