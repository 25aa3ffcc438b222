// The buttons and the list's popup menu.
#include "core/BkOrlimo.h"

#include "core/BkLxStr.h"

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
