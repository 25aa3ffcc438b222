#include "components/LxMRUCbx.h"

#include "components/LxRecent.h"
#include "platform/Forms.h"
#include "platform/Registry.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
enum : int { tagUndo = 1, tagCut, tagCopy, tagPaste, tagDelete, tagSelectAll, tagRemove };
}

TLxMRUComboBox::TLxMRUComboBox(TComponent* AOwner) : TLxComboBox(AOwner) { BuildEditMenu(); }

TLxMRUComboBox::~TLxMRUComboBox() = default;

void TLxMRUComboBox::BuildEditMenu() {
  FEditMenu = new TPopupMenu(this);
  struct TEntry {
    const char* Caption;
    int Tag;
  };
  static const TEntry Entries[] = {{"&Undo", tagUndo},
                                   {"-", 0},
                                   {"Cu&t", tagCut},
                                   {"&Copy", tagCopy},
                                   {"&Paste", tagPaste},
                                   {"&Delete", tagDelete},
                                   {"-", 0},
                                   {"Select &All", tagSelectAll},
                                   {"-", 0}};
  for (const TEntry& E : Entries) {
    auto Item = std::make_unique<TMenuItem>(nullptr);
    Item->SetCaption(E.Caption);
    Item->SetTag(E.Tag);
    if (E.Tag) Item->OnClick = [this, Tag = E.Tag](TObject*) { EditCommand(Tag); };
    FEditMenu->GetItems()->Add(std::move(Item));
  }
  auto Remove = std::make_unique<TMenuItem>(nullptr);
  Remove->SetCaption(FCaptionMenuItemRemove);
  Remove->SetTag(tagRemove);
  Remove->OnClick = [this](TObject*) { EditCommand(tagRemove); };
  FRemoveItem = FEditMenu->GetItems()->Add(std::move(Remove));
}

void TLxMRUComboBox::SetCaptionMenuItemRemove(const std::string& Value) {
  FCaptionMenuItemRemove = Value;
  FRemoveItem->SetCaption(Value);
}

void TLxMRUComboBox::EditCommand(int Tag) {
  HWND E = EditWindow();
  switch (Tag) {
    case tagUndo:
      if (E) ::SendMessageA(E, WM_UNDO, 0, 0);
      break;
    case tagCut:
      if (E) ::SendMessageA(E, WM_CUT, 0, 0);
      break;
    case tagCopy:
      if (E) ::SendMessageA(E, WM_COPY, 0, 0);
      break;
    case tagPaste:
      if (E) ::SendMessageA(E, WM_PASTE, 0, 0);
      break;
    case tagDelete:
      if (E) ::SendMessageA(E, WM_CLEAR, 0, 0);
      break;
    case tagSelectAll:
      if (E) ::SendMessageA(E, EM_SETSEL, 0, -1);
      break;
    case tagRemove: RemoveCurrentEntry(); break;
    default: break;
  }
}

bool TLxMRUComboBox::CheckProperties(const char* Action, bool Report) {
  const char* Missing = FMruID.empty()        ? "MruID"
                        : FRegSection.empty() ? "RegSection"
                        : FRegPath.empty()    ? "RegPath"
                                              : nullptr;
  if (!Missing) return true;
  if (Report) {
    char Text[512];
    std::snprintf(Text, sizeof Text, "%s property is empty. Unable to %s MRU values for %s.", Missing, Action,
                  GetName().c_str());
    Application->MessageBox(Text, Application->GetTitle(), MB_OK | MB_ICONWARNING);
  }
  return false;
}

void TLxMRUComboBox::LoadHistory() {
  if (!CheckProperties("load", true)) return;
  TRegIniFile Ini(FRegPath);
  const std::string CountText = Ini.ReadString(FRegSection, MruCountName(FMruID), "0");
  // The stored count is only a claim: never more entries than the history keeps.
  const long long Stored = std::strtoll(CountText.c_str(), nullptr, 10);
  const int Count = static_cast<int>(std::clamp<long long>(Stored, 0, std::max(FMaxHistory, 0)));
  std::vector<std::string> Entries;
  for (int I = 0; I < Count; ++I) Entries.push_back(Ini.ReadString(FRegSection, MruItemName(FMruID, I), ""));
  ClearItems();
  for (const std::string& S : MruCleanList(Entries)) AddItem(S);
  if (GetItems().Count() > 0) SetItemIndex(0);
}

void TLxMRUComboBox::SaveHistory() {
  if (!CheckProperties("save", true)) return;
  TRegIniFile Ini(FRegPath);
  const int Count = std::min(GetItems().Count(), std::max(FMaxHistory, 0));
  Ini.WriteString(FRegSection, MruCountName(FMruID), std::to_string(Count));
  for (int I = 0; I < Count; ++I) Ini.WriteString(FRegSection, MruItemName(FMruID, I), GetItems()[I]);
}

void TLxMRUComboBox::PutTextOnTop() {
  const std::string Text = GetText();
  if (Text.empty()) return;
  std::vector<std::string> Items = GetItems().FStrings;
  MruPutTop(Items, Text);
  ClearItems();
  for (const std::string& S : Items) AddItem(S);
  SetItemIndex(0);
}

void TLxMRUComboBox::RemoveCurrentEntry() {
  const int I = GetItems().IndexOf(GetText());
  if (I < 0) return;
  DeleteItem(I);
  SetText("");
}

void TLxMRUComboBox::CreateWindowHandle(const TCreateParams& Params) {
  TLxComboBox::CreateWindowHandle(Params);
  if (!FLoaded && CheckProperties("load", false)) {
    FLoaded = true;
    LoadHistory();
  }
}

// Leaving puts the text on top of the list, stored or not. Without its storage
// properties it is not saved, and nothing is said: a box here would open in
// the middle of a focus change (also the one of a closing form, whose windows
// are being destroyed); SaveHistory and LoadHistory called by the program say
// what is missing.
void TLxMRUComboBox::DoExit() {
  TLxComboBox::DoExit();
  PutTextOnTop();
  if (CheckProperties("save", false)) SaveHistory();
}

void TLxMRUComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TLxComboBox::KeyDown(Key, Shift);
  if (Key == VK_RETURN && OnEnterKeyPressed) OnEnterKeyPressed(this);
  if (Key == VK_ESCAPE && OnEscapeKeyPressed) OnEscapeKeyPressed(this);
}

bool TLxMRUComboBox::EditMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_KEYDOWN:
      if (M.WParam == VK_RETURN || M.WParam == VK_ESCAPE) {
        WORD Key = static_cast<WORD>(M.WParam);
        KeyDown(Key, KeyboardShiftState() & (ssShift | ssCtrl | ssAlt));
        return Key == 0;
      }
      break;
    case WM_CHAR:
      // Enter and Escape have had their events; the edit would only beep.
      if (M.WParam == '\r' || M.WParam == 27) return true;
      break;
    case WM_KILLFOCUS: {
      // Focus leaving the edit for a window outside the combo box leaves it.
      const HWND To = reinterpret_cast<HWND>(M.WParam);
      if (To != WindowHandle() && !::IsChild(WindowHandle(), To)) {
        M.Result = ::DefSubclassProc(EditWindow(), M.Msg, M.WParam, M.LParam);
        DoExit();
        return true;
      }
      break;
    }
    case WM_CONTEXTMENU: {
      HWND E = EditWindow();
      DWORD Start = 0, End = 0;
      ::SendMessageA(E, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
      const bool Sel = End > Start, HasText = ::GetWindowTextLengthA(E) > 0;
      TMenuItem* Root = FEditMenu->GetItems();
      for (int I = 0; I < Root->GetCount(); ++I) {
        TMenuItem* Item = Root->GetItem(I);
        switch (Item->GetTag()) {
          case tagUndo: Item->SetEnabled(::SendMessageA(E, EM_CANUNDO, 0, 0) != 0); break;
          case tagCut:
          case tagCopy:
          case tagDelete: Item->SetEnabled(Sel); break;
          case tagPaste: Item->SetEnabled(::IsClipboardFormatAvailable(CF_TEXT) != 0); break;
          case tagSelectAll: Item->SetEnabled(HasText); break;
          case tagRemove: Item->SetEnabled(GetItems().IndexOf(GetText()) >= 0); break;
          default: break;
        }
      }
      POINT P{static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam))};
      if (M.LParam == -1) P = ClientToScreen(POINT{GetWidth() / 2, GetHeight() / 2});
      FEditMenu->SetPopupComponent(this);
      FEditMenu->Popup(P.x, P.y);
      M.Result = 0;
      return true;
    }
    default: break;
  }
  return TLxComboBox::EditMessage(M);
}
