// Plain-text clipboard.
#pragma once

#include <string>

class TClipboard {
public:
  // EClipboardException when the clipboard cannot be opened or written.
  void SetAsText(const std::string& Text);
  // "" when the clipboard holds no text.
  std::string GetAsText();
  bool HasText();
  void Clear();
};

TClipboard& Clipboard();
