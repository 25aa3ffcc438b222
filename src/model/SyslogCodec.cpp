#include "model/SyslogCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/OrlimoMsg.h"

namespace {

// Windows-1252 0x80-0x9F; the undefined bytes map to the C1 control of the
// same value.
constexpr char32_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
}

std::string Cp1252ToUtf8(std::string_view Ansi) {
  std::string Out;
  Out.reserve(Ansi.size() + Ansi.size() / 8);
  for (const char Ch : Ansi) {
    const auto B = static_cast<unsigned char>(Ch);
    if (B < 0x80)
      Out += Ch;
    else if (B < 0xA0)
      AppendUtf8(Out, Cp1252High[B - 0x80]);
    else
      AppendUtf8(Out, B);
  }
  return Out;
}

char Cp1252Byte(char32_t C) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) return static_cast<char>(C);
  for (std::size_t I = 0; I < 32; ++I)
    if (Cp1252High[I] == C) return static_cast<char>(0x80 + I);
  return '?';
}

// Decodes one UTF-8 character at P (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF). Returns its length, 0 when invalid.
std::size_t DecodeUtf8(std::string_view S, std::size_t P, char32_t& C) {
  const auto B0 = static_cast<unsigned char>(S[P]);
  std::size_t Len = 0;
  char32_t Min = 0;
  if (B0 < 0x80) {
    C = B0;
    return 1;
  }
  if ((B0 & 0xE0) == 0xC0) {
    Len = 2, C = B0 & 0x1F, Min = 0x80;
  } else if ((B0 & 0xF0) == 0xE0) {
    Len = 3, C = B0 & 0x0F, Min = 0x800;
  } else if ((B0 & 0xF8) == 0xF0) {
    Len = 4, C = B0 & 0x07, Min = 0x10000;
  } else {
    return 0;
  }
  if (S.size() - P < Len) return 0;
  for (std::size_t I = 1; I < Len; ++I) {
    const auto B = static_cast<unsigned char>(S[P + I]);
    if ((B & 0xC0) != 0x80) return 0;
    C = (C << 6) | (B & 0x3F);
  }
  if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) return 0;
  return Len;
}

std::string Utf8ToCp1252(std::string_view Utf8) {
  std::string Out;
  Out.reserve(Utf8.size());
  for (std::size_t P = 0; P < Utf8.size();) {
    char32_t C = 0;
    const std::size_t Len = DecodeUtf8(Utf8, P, C);
    Out += Len ? Cp1252Byte(C) : '?';
    P += Len ? Len : 1;
  }
  return Out;
}

void AppendEscaped(std::string& Out, std::string_view Value) {
  for (const char C : Value) {
    if (C == '"' || C == '\\' || C == ']') Out += '\\';
    Out += C;
  }
}

bool EqualNoCase(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I) {
    auto L = [](char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; };
    if (L(A[I]) != L(B[I])) return false;
  }
  return true;
}

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// The text before the next space (the whole rest when there is none); moves P
// past it, not past the space.
std::string_view Token(std::string_view S, std::size_t& P) {
  const std::size_t End = std::min(S.find(' ', P), S.size());
  const std::string_view T = S.substr(P, End - P);
  P = End;
  return T;
}

struct TElement {
  bool Present = false;
  std::string Kind, App, Type, Details;
};

// Structured data at P ("-" or one or more elements); moves P past it.
bool ParseStructuredData(std::string_view S, std::size_t& P, TElement& Orlimo) {
  if (P < S.size() && S[P] == '-') {
    ++P;
    return true;
  }
  if (P >= S.size() || S[P] != '[') return false;
  while (P < S.size() && S[P] == '[') {
    ++P;
    const std::size_t IdEnd = S.find_first_of(" ]", P);
    if (IdEnd == std::string_view::npos || IdEnd == P) return false;
    const bool Ours = S.substr(P, IdEnd - P) == SyslogElementId;
    if (Ours) Orlimo.Present = true;
    P = IdEnd;
    while (P < S.size() && S[P] == ' ') {
      ++P;
      const std::size_t Eq = S.find('=', P);
      if (Eq == std::string_view::npos || Eq == P || Eq + 1 >= S.size() || S[Eq + 1] != '"') return false;
      const std::string_view Name = S.substr(P, Eq - P);
      P = Eq + 2;
      std::string Value;
      for (;;) {
        if (P >= S.size()) return false;
        const char C = S[P];
        if (C == '"') break;
        if (C == '\\' && P + 1 < S.size() && (S[P + 1] == '"' || S[P + 1] == '\\' || S[P + 1] == ']')) {
          Value += S[P + 1];
          P += 2;
        } else {
          Value += C;
          ++P;
        }
      }
      ++P;  // the closing quote
      if (!Ours) continue;
      if (Name == "kind")
        Orlimo.Kind = std::move(Value);
      else if (Name == "app")
        Orlimo.App = std::move(Value);
      else if (Name == "type")
        Orlimo.Type = std::move(Value);
      else if (Name == "details")
        Orlimo.Details = std::move(Value);
    }
    if (P >= S.size() || S[P] != ']') return false;
    ++P;
  }
  return true;
}

bool ParseKind(std::string_view S, std::int32_t& Kind) {
  if (S.empty() || S.size() > 11) return false;
  std::size_t P = 0;
  const bool Negative = S[0] == '-';
  if (Negative) ++P;
  if (P == S.size()) return false;
  long long V = 0;
  for (; P < S.size(); ++P) {
    if (!IsDigit(S[P])) return false;
    V = V * 10 + (S[P] - '0');
  }
  if (Negative) V = -V;
  if (V < INT32_MIN || V > INT32_MAX) return false;
  Kind = static_cast<std::int32_t>(V);
  return true;
}

// "Mmm dd hh:mm:ss " at P (RFC 3164's TIMESTAMP and its space).
bool Rfc3164Timestamp(std::string_view S, std::size_t P) {
  if (S.size() - P < 16) return false;
  const std::string_view T = S.substr(P, 16);
  auto Letter = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); };
  return Letter(T[0]) && Letter(T[1]) && Letter(T[2]) && T[3] == ' ' && (T[4] == ' ' || IsDigit(T[4])) &&
         IsDigit(T[5]) && T[6] == ' ' && IsDigit(T[7]) && IsDigit(T[8]) && T[9] == ':' && IsDigit(T[10]) &&
         IsDigit(T[11]) && T[12] == ':' && IsDigit(T[13]) && IsDigit(T[14]) && T[15] == ' ';
}

// A TAG word of RFC 3164: "name:" or "name[pid]:".
bool IsTagWord(std::string_view W) { return W.size() >= 2 && W.back() == ':'; }

std::string_view TagName(std::string_view W) { return W.substr(0, std::min(W.find_first_of("[:"), W.size())); }

}  // namespace

const TAnsiCodec& PortableAnsiCodec() {
  static const TAnsiCodec Codec{&Cp1252ToUtf8, &Utf8ToCp1252};
  return Codec;
}

int SyslogSeverity(std::int32_t Kind) {
  switch (Kind) {
    case lxmError: return 3;
    case lxmWarning: return 4;
    case lxmNote: return 5;
    default: return 6;
  }
}

std::int32_t SyslogKind(int Severity) {
  if (Severity <= 3) return lxmError;
  if (Severity == 4) return lxmWarning;
  return lxmInfo;
}

std::string SyslogHeaderField(std::string_view Value, std::size_t Max) {
  std::string Out;
  for (const char C : Value.substr(0, std::min(Value.size(), Max))) Out += (C > ' ' && C < 0x7F) ? C : '_';
  return Out.empty() ? std::string("-") : Out;
}

std::string SyslogTimestamp(std::chrono::system_clock::time_point Time) {
  using namespace std::chrono;
  const auto Ms = duration_cast<milliseconds>(Time.time_since_epoch()).count();
  long long Days = Ms / 86400000;
  long long InDay = Ms % 86400000;
  if (InDay < 0) InDay += 86400000, --Days;
  // Civil date of a day count (days since 1970-01-01).
  const long long Z = Days + 719468;
  const long long Era = (Z >= 0 ? Z : Z - 146096) / 146097;
  const long long Doe = Z - Era * 146097;
  const long long Yoe = (Doe - Doe / 1460 + Doe / 36524 - Doe / 146096) / 365;
  const long long Doy = Doe - (365 * Yoe + Yoe / 4 - Yoe / 100);
  const long long Mp = (5 * Doy + 2) / 153;
  const long long Day = Doy - (153 * Mp + 2) / 5 + 1;
  const long long Month = Mp < 10 ? Mp + 3 : Mp - 9;
  const long long Year = Yoe + Era * 400 + (Month <= 2 ? 1 : 0);
  char Buf[48];
  std::snprintf(Buf, sizeof Buf, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.%03lldZ", Year, Month, Day, InDay / 3600000,
                InDay / 60000 % 60, InDay / 1000 % 60, InDay % 1000);
  return Buf;
}

std::string EncodeSyslogMessage(const TSyslogRecord& Record, const TSyslogOrigin& Origin, const TAnsiCodec& Codec) {
  std::string Out;
  Out.reserve(128 + Record.Text.size() + Record.Details.size() + Record.AppName.size() + Record.TypeName.size());
  Out += '<';
  Out += std::to_string(SyslogFacility * 8 + SyslogSeverity(Record.Kind));
  Out += ">1 ";
  Out += SyslogHeaderField(Origin.Timestamp, 64);
  Out += ' ';
  Out += SyslogHeaderField(Origin.HostName, SyslogHostNameMax);
  Out += ' ';
  Out += SyslogAppName(Record.AppName);
  Out += ' ';
  Out += SyslogHeaderField(Origin.ProcId, SyslogProcIdMax);
  Out += " - [";
  Out += SyslogElementId;
  Out += " kind=\"";
  Out += std::to_string(Record.Kind);
  Out += "\" app=\"";
  AppendEscaped(Out, Codec.ToUtf8(Record.AppName));
  Out += "\" type=\"";
  AppendEscaped(Out, Codec.ToUtf8(Record.TypeName));
  Out += "\" details=\"";
  AppendEscaped(Out, Codec.ToUtf8(Record.Details));
  Out += "\"] ";
  Out += Codec.ToUtf8(Record.Text);
  Out += '\n';
  return Out;
}

std::string FrameSyslogOctetCounted(std::string_view Message) {
  std::string Out = std::to_string(Message.size());
  Out += ' ';
  Out += Message;
  return Out;
}

void TSyslogSplitter::Feed(const char* Data, std::size_t Size, std::vector<TSyslogFrame>& Out) {
  std::size_t P = 0;
  while (P < Size) {
    switch (FState) {
      case TState::Start: {
        const char C = Data[P++];
        if (C == '\n' || C == '\r' || C == '\0') break;  // between frames
        FCut = false;
        FBuffer.clear();
        if (C >= '1' && C <= '9') {
          FDigits.assign(1, C);
          FState = TState::Length;
        } else if (C == '0') {
          ++FMalformed;
          FState = TState::SkipLine;
        } else {
          FBuffer += C;
          FState = TState::Line;
        }
        break;
      }
      case TState::Length: {
        const char C = Data[P++];
        if (IsDigit(C) && FDigits.size() < 9) {
          FDigits += C;
        } else if (C == ' ') {
          const std::size_t Len = std::stoul(FDigits);
          FRemaining = std::min(Len, SyslogMaxMessage);
          FSkipAfter = Len - FRemaining;
          FBuffer.reserve(FRemaining);
          FState = TState::Counted;
        } else {
          ++FMalformed;
          FState = C == '\n' ? TState::Start : TState::SkipLine;
        }
        break;
      }
      case TState::Counted: {
        const std::size_t Take = std::min(FRemaining, Size - P);
        FBuffer.append(Data + P, Take);
        P += Take;
        FRemaining -= Take;
        if (FRemaining == 0) {
          Out.push_back({std::move(FBuffer), FSkipAfter > 0});
          FBuffer.clear();
          FRemaining = FSkipAfter;
          FState = FSkipAfter > 0 ? TState::SkipCount : TState::Start;
        }
        break;
      }
      case TState::SkipCount: {
        const std::size_t Take = std::min(FRemaining, Size - P);
        P += Take;
        FRemaining -= Take;
        if (FRemaining == 0) FState = TState::Start;
        break;
      }
      case TState::Line: {
        const void* Lf = std::memchr(Data + P, '\n', Size - P);
        const std::size_t End = Lf ? static_cast<std::size_t>(static_cast<const char*>(Lf) - Data) : Size;
        const std::size_t Room = SyslogMaxMessage - FBuffer.size();
        if (End - P > Room) FCut = true;
        FBuffer.append(Data + P, std::min(End - P, Room));
        P = End;
        if (Lf) {
          ++P;
          if (!FCut && !FBuffer.empty() && FBuffer.back() == '\r') FBuffer.pop_back();
          if (!FBuffer.empty()) Out.push_back({std::move(FBuffer), FCut});
          FBuffer.clear();
          FState = TState::Start;
        }
        break;
      }
      case TState::SkipLine: {
        const void* Lf = std::memchr(Data + P, '\n', Size - P);
        if (!Lf) return;
        P = static_cast<std::size_t>(static_cast<const char*>(Lf) - Data) + 1;
        FState = TState::Start;
        break;
      }
    }
  }
}

bool ParseSyslogMessage(std::string_view S, std::string_view LocalHost, const TAnsiCodec& Codec, TSyslogMessage& Out,
                        bool Cut) {
  // <PRI>: 1 to 3 digits, at most 191.
  if (S.size() < 3 || S[0] != '<') return false;
  std::size_t P = 1;
  int Pri = 0;
  while (P < S.size() && P <= 3 && IsDigit(S[P])) Pri = Pri * 10 + (S[P++] - '0');
  if (P == 1 || P >= S.size() || S[P] != '>' || Pri > 191) return false;
  ++P;
  Out = TSyslogMessage();
  Out.Kind = SyslogKind(Pri % 8);

  std::string_view Host, AppName, Msg;
  TElement Orlimo;
  if (S.substr(P, 2) == "1 ") {
    P += 2;
    std::string_view Fields[5];  // TIMESTAMP HOSTNAME APP-NAME PROCID MSGID
    for (auto& F : Fields) {
      F = Token(S, P);
      if (F.empty() || P >= S.size()) return false;
      ++P;
    }
    Host = Fields[1];
    AppName = Fields[2];
    if (!ParseStructuredData(S, P, Orlimo)) return false;
    if (P < S.size()) {
      if (S[P] != ' ') return false;
      Msg = S.substr(P + 1);
    }
  } else {
    // RFC 3164: [TIMESTAMP SP HOSTNAME SP] [TAG] MSG.
    const bool Stamped = Rfc3164Timestamp(S, P);
    if (Stamped) {
      P += 16;
      std::size_t Q = P;
      const std::string_view Word = Token(S, Q);
      if (Q < S.size() && !IsTagWord(Word) && Word.find('[') == std::string_view::npos) {
        Host = Word;
        P = Q + 1;
      }
    }
    std::size_t Q = P;
    const std::string_view Word = Token(S, Q);
    if (IsTagWord(Word)) {
      AppName = TagName(Word);
      P = Q < S.size() ? Q + 1 : Q;
    }
    Msg = S.substr(P);
  }

  if (Msg.substr(0, 3) == "\xEF\xBB\xBF") Msg.remove_prefix(3);
  // One final line end: the LF our encoder or a relay's template added (only
  // an LF after our element, which the encoder ends the text with, so that a
  // text ending in CR keeps it), CR LF or LF otherwise.
  if (!Msg.empty() && Msg.back() == '\n') {
    Msg.remove_suffix(1);
    if (!Orlimo.Present && !Msg.empty() && Msg.back() == '\r') Msg.remove_suffix(1);
  }
  Out.Text = Codec.FromUtf8(Msg);
  if (Cut) Out.Text += SyslogCutMark;

  std::string Name;
  if (Orlimo.Present) {
    Out.FromElement = true;
    ParseKind(Orlimo.Kind, Out.Kind);
    Name = Codec.FromUtf8(Orlimo.App);
    Out.TypeName = Codec.FromUtf8(Orlimo.Type);
    Out.Details = Codec.FromUtf8(Orlimo.Details);
  } else if (AppName != "-") {
    Name = Codec.FromUtf8(AppName);
  }
  if (!Host.empty() && Host != "-" && !EqualNoCase(Host, LocalHost)) {
    Out.AppName = Codec.FromUtf8(Host);
    Out.AppName += '/';
  }
  Out.AppName += Name;
  return true;
}
