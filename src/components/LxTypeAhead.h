// The type-ahead search of the combo boxes: typed characters collect into a
// search text that finds the first item starting with it (FindPrefix in
// LxMatch.h is the usual search).
#pragma once

#include <functional>
#include <string>

#include "components/LxCmpsApi.h"

// The owner clears the search text 2 seconds after the last character (its
// timer calls Clear).
class LXCMPS_API TLxTypeAhead {
public:
  enum class TKind { None, Match, NoMatch, SelectFirst, Beep };
  struct TResult {
    TKind Kind = TKind::None;
    int Index = -1;
  };
  using TFind = std::function<int(const std::string& Prefix)>;

  // A printable character (codes 32 to 255).
  TResult Char(char C, const TFind& Find);
  // Backspace: the last character goes; the first item when none is left.
  TResult Backspace(const TFind& Find);
  // Escape: the first item, and the search starts over.
  TResult Escape();
  void Clear() { FText.clear(); }
  const std::string& Text() const { return FText; }

private:
  std::string FText;
};
