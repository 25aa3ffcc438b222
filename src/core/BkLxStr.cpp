#include "core/BkLxStr.h"

#include <cstdio>
#include <vector>

namespace BkLxStr {

HINSTANCE ResourceModule() {
  static const HINSTANCE Module = [] {
    HMODULE M = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ResourceModule), &M);
    return M ? M : GetModuleHandleA(nullptr);
  }();
  return Module;
}

std::string LoadStr(int Id) {
  // A string resource holds at most 4097 characters.
  std::vector<char> Buffer(4100);
  int N = LoadStringA(ResourceModule(), static_cast<UINT>(Id), Buffer.data(), static_cast<int>(Buffer.size()));
  return N > 0 ? std::string(Buffer.data(), static_cast<size_t>(N)) : std::string();
}

std::string FmtLoadStr(int Id, int Value) {
  std::string Format = LoadStr(Id);
  int N = std::snprintf(nullptr, 0, Format.c_str(), Value);
  if (N <= 0) return Format;
  std::string Out(static_cast<size_t>(N) + 1, '\0');
  std::snprintf(Out.data(), Out.size(), Format.c_str(), Value);
  Out.resize(static_cast<size_t>(N));
  return Out;
}

}  // namespace BkLxStr
