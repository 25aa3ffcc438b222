#include "components/LxTypeAhead.h"

TLxTypeAhead::TResult TLxTypeAhead::Char(char C, const TFind& Find) {
  FText += C;
  const int I = Find(FText);
  return I >= 0 ? TResult{TKind::Match, I} : TResult{TKind::NoMatch, -1};
}

TLxTypeAhead::TResult TLxTypeAhead::Backspace(const TFind& Find) {
  if (FText.empty()) return {TKind::Beep, -1};
  FText.pop_back();
  if (FText.empty()) return {TKind::SelectFirst, 0};
  const int I = Find(FText);
  return I >= 0 ? TResult{TKind::Match, I} : TResult{TKind::None, -1};
}

TLxTypeAhead::TResult TLxTypeAhead::Escape() {
  FText.clear();
  return {TKind::SelectFirst, 0};
}
