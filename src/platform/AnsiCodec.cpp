#include "platform/AnsiCodec.h"

#include <climits>
#include <string>

#include <windows.h>

namespace {

std::wstring ToWide(UINT CodePage, std::string_view S) {
  if (S.empty() || S.size() > INT_MAX) return {};
  const int Len = static_cast<int>(S.size());
  const int N = MultiByteToWideChar(CodePage, 0, S.data(), Len, nullptr, 0);
  if (N <= 0) return {};
  std::wstring W(static_cast<std::size_t>(N), L'\0');
  MultiByteToWideChar(CodePage, 0, S.data(), Len, W.data(), N);
  return W;
}

std::string FromWide(UINT CodePage, const std::wstring& W) {
  if (W.empty()) return {};
  const int Len = static_cast<int>(W.size());
  // CP_UTF8 takes no default character; every character has a form there.
  const char* Default = CodePage == CP_UTF8 ? nullptr : "?";
  const int N = WideCharToMultiByte(CodePage, 0, W.data(), Len, nullptr, 0, Default, nullptr);
  if (N <= 0) return {};
  std::string S(static_cast<std::size_t>(N), '\0');
  WideCharToMultiByte(CodePage, 0, W.data(), Len, S.data(), N, Default, nullptr);
  return S;
}

std::string AnsiToUtf8(std::string_view Ansi) { return FromWide(CP_UTF8, ToWide(CP_ACP, Ansi)); }

std::string Utf8ToAnsi(std::string_view Utf8) { return FromWide(CP_ACP, ToWide(CP_UTF8, Utf8)); }

}  // namespace

const TAnsiCodec& SystemAnsiCodec() {
  static const TAnsiCodec Codec{&AnsiToUtf8, &Utf8ToAnsi};
  return Codec;
}
