#include "components/LxMatch.h"

#include <cctype>

bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(A[I])) != std::tolower(static_cast<unsigned char>(B[I]))) return false;
  return true;
}
int IndexOfText(const std::vector<std::string>& Items, std::string_view S) {
  for (std::size_t I = 0; I < Items.size(); ++I)
    if (SameText(Items[I], S)) return static_cast<int>(I);
  return -1;
}

int FindPrefix(const std::vector<std::string>& Items, std::string_view Prefix) {
  for (std::size_t I = 0; I < Items.size(); ++I)
    if (Items[I].size() >= Prefix.size() && SameText(std::string_view(Items[I]).substr(0, Prefix.size()), Prefix))
      return static_cast<int>(I);
  return -1;
}
