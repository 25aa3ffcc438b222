// Plain-text clipboard.
#pragma once

#include <cstddef>
#include <string>

class TClipboard {
public:
  // EClipboardException when the clipboard cannot be opened or written, or
  // the memory for the text cannot be had; the clipboard keeps what it held
  // unless the text could be prepared.
  void SetAsText(const std::string& Text);
  // "" when the clipboard holds no text.
  std::string GetAsText();
  bool HasText();
  void Clear();

  // How the clipboard's memory is had (GlobalAlloc); tests put an allocation
  // that fails, or one that cannot be locked, in its place.
  using TAllocate = void* (*)(unsigned Flags, std::size_t Bytes);
  TAllocate Allocate = nullptr;
};

TClipboard& Clipboard();
