#include "platform/Clipboard.h"

#include "platform/Application.h"
#include "platform/PlatformExcept.h"

#include <cstring>

namespace {
class TOpenClipboard {
public:
  TOpenClipboard() {
    if (!::OpenClipboard(Application->GetHandle())) throw EClipboardException("Cannot open clipboard");
  }
  ~TOpenClipboard() { ::CloseClipboard(); }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
};
}  // namespace

// The text is copied into its memory first: a list too large for the memory
// fails before the clipboard is emptied.
void TClipboard::SetAsText(const std::string& Text) {
  const UINT Flags = GMEM_MOVEABLE | GMEM_DDESHARE;
  HGLOBAL Memory =
      Allocate ? static_cast<HGLOBAL>(Allocate(Flags, Text.size() + 1)) : ::GlobalAlloc(Flags, Text.size() + 1);
  if (!Memory) throw EClipboardException("Not enough memory for the clipboard");
  void* Data = ::GlobalLock(Memory);
  if (!Data) {
    ::GlobalFree(Memory);
    throw EClipboardException("Cannot lock the clipboard's memory");
  }
  std::memcpy(Data, Text.c_str(), Text.size() + 1);
  ::GlobalUnlock(Memory);
  try {
    TOpenClipboard Open;
    ::EmptyClipboard();
    if (::SetClipboardData(CF_TEXT, Memory)) return;  // the clipboard owns it now
  } catch (...) {
    ::GlobalFree(Memory);
    throw;
  }
  ::GlobalFree(Memory);
  throw EClipboardException("Cannot put the text on the clipboard");
}

std::string TClipboard::GetAsText() {
  TOpenClipboard Open;
  HANDLE Memory = ::GetClipboardData(CF_TEXT);
  if (!Memory) return "";
  const char* Data = static_cast<const char*>(::GlobalLock(Memory));
  if (!Data) return "";
  const size_t Max = ::GlobalSize(Memory);
  std::string Text(Data, strnlen(Data, Max));
  ::GlobalUnlock(Memory);
  return Text;
}

bool TClipboard::HasText() { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

void TClipboard::Clear() {
  TOpenClipboard Open;
  ::EmptyClipboard();
}

TClipboard& Clipboard() {
  static TClipboard Instance;
  return Instance;
}
