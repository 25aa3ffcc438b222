#include "model/MsgFilter.h"

#include "model/Settings.h"

#include <algorithm>
#include <charconv>
// GCC 12 warns inside <regex> itself (a false "may be used uninitialized"
// in its automaton) at -O2 with the sanitizers.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#include "model/OrlimoMsg.h"

namespace {

constexpr std::string_view ActionWords[] = {"include", "exclude", "highlight"};
constexpr std::string_view FieldWords[] = {"text", "app", "type", "kind"};
constexpr std::string_view MatchWords[] = {"contains", "wildcard", "regex"};

template <std::size_t N>
std::optional<int> WordIndex(const std::string_view (&Words)[N], std::string_view Word) {
  for (std::size_t I = 0; I < N; ++I)
    if (Words[I] == Word) return static_cast<int>(I);
  return std::nullopt;
}

std::optional<bool> Flag(std::string_view S) {
  if (S == "0") return false;
  if (S == "1") return true;
  return std::nullopt;
}

std::optional<std::int32_t> Number(std::string_view S) {
  std::int32_t V = 0;
  const char* End = S.data() + S.size();
  if (S.empty()) return std::nullopt;
  const auto R = std::from_chars(S.data(), End, V);
  if (R.ec != std::errc() || R.ptr != End) return std::nullopt;
  return V;
}

bool SameByte(unsigned char A, unsigned char B, const TUpperCaseTable* Table) {
  return Table ? (*Table)[A] == (*Table)[B] : A == B;
}

// Whether Segment (with `?` for any byte) matches Field at At.
bool SegmentAt(std::string_view Segment, std::string_view Field, std::size_t At, const TUpperCaseTable* Table) {
  for (std::size_t I = 0; I < Segment.size(); ++I) {
    const auto P = static_cast<unsigned char>(Segment[I]);
    if (P != '?' && !SameByte(P, static_cast<unsigned char>(Field[At + I]), Table)) return false;
  }
  return true;
}

}  // namespace

std::string FormatFilterRule(const TFilterRule& Rule) {
  std::string S;
  S += Rule.Enabled ? "1|" : "0|";
  S += ActionWords[static_cast<int>(Rule.Action)];
  S += '|';
  S += FieldWords[static_cast<int>(Rule.Field)];
  S += '|';
  S += MatchWords[static_cast<int>(Rule.Match)];
  S += Rule.CaseSensitive ? "|1|" : "|0|";
  S += std::to_string(Rule.TextColor);
  S += '|';
  S += std::to_string(Rule.BackColor);
  S += '|';
  S += Rule.Pattern;
  return S;
}

std::optional<TFilterRule> ParseFilterRule(std::string_view Stored) {
  // Seven fields up to the seventh "|"; the pattern is the rest, "|" and all.
  std::string_view Parts[7];
  for (auto& Part : Parts) {
    const std::size_t Bar = Stored.find('|');
    if (Bar == std::string_view::npos) return std::nullopt;
    Part = Stored.substr(0, Bar);
    Stored.remove_prefix(Bar + 1);
  }
  const auto Enabled = Flag(Parts[0]);
  const auto Action = WordIndex(ActionWords, Parts[1]);
  const auto Field = WordIndex(FieldWords, Parts[2]);
  const auto Match = WordIndex(MatchWords, Parts[3]);
  const auto Case = Flag(Parts[4]);
  const auto Text = Number(Parts[5]);
  const auto Back = Number(Parts[6]);
  if (!Enabled || !Action || !Field || !Match || !Case || !Text || !Back) return std::nullopt;
  TFilterRule R;
  R.Enabled = *Enabled;
  R.Action = static_cast<TFilterAction>(*Action);
  R.Field = static_cast<TFilterField>(*Field);
  R.Match = static_cast<TFilterMatch>(*Match);
  R.CaseSensitive = *Case;
  R.TextColor = *Text;
  R.BackColor = *Back;
  R.Pattern = std::string(Stored);
  return R;
}

bool WildcardMatches(std::string_view Pattern, std::string_view Field, const TUpperCaseTable* Table) {
  // The segments between stars: the first must start the field, the last end
  // it, and the ones between are taken leftmost, each after the one before
  // (leftmost is always right: a later place only leaves less room).
  const std::size_t FirstStar = Pattern.find('*');
  if (FirstStar == std::string_view::npos) return Pattern.size() == Field.size() && SegmentAt(Pattern, Field, 0, Table);
  const std::string_view Head = Pattern.substr(0, FirstStar);
  const std::size_t LastStar = Pattern.rfind('*');
  const std::string_view Tail = Pattern.substr(LastStar + 1);
  if (Head.size() + Tail.size() > Field.size()) return false;
  if (!SegmentAt(Head, Field, 0, Table) || !SegmentAt(Tail, Field, Field.size() - Tail.size(), Table)) return false;
  std::size_t At = Head.size();
  const std::size_t End = Field.size() - Tail.size();
  std::string_view Middle = Pattern.substr(FirstStar + 1, LastStar > FirstStar ? LastStar - FirstStar - 1 : 0);
  while (!Middle.empty()) {
    const std::size_t Star = Middle.find('*');
    const std::string_view Segment = Middle.substr(0, Star);
    Middle = Star == std::string_view::npos ? std::string_view() : Middle.substr(Star + 1);
    if (Segment.empty()) continue;
    bool Found = false;
    for (; At + Segment.size() <= End; ++At) {
      if (SegmentAt(Segment, Field, At, Table)) {
        Found = true;
        break;
      }
    }
    if (!Found) return false;
    At += Segment.size();
  }
  return true;
}

std::string RegexRequiredLiteral(std::string_view Pattern) {
  std::string Best, Run;
  bool LastLiteral = false;  // the last atom was the run's last character
  const auto EndRun = [&] {
    if (Run.size() > Best.size()) Best = Run;
    Run.clear();
    LastLiteral = false;
  };
  // Past a class "[...]" that starts at I; npos when it is not closed.
  const auto SkipClass = [&](std::size_t I) {
    ++I;
    if (I < Pattern.size() && Pattern[I] == '^') ++I;
    if (I < Pattern.size() && Pattern[I] == ']') ++I;  // "[]]" and "[^]]"
    for (; I < Pattern.size(); ++I) {
      if (Pattern[I] == '\\')
        ++I;
      else if (Pattern[I] == ']')
        return I + 1;
    }
    return std::string_view::npos;
  };
  std::size_t I = 0;
  while (I < Pattern.size()) {
    const char C = Pattern[I];
    if (C == '|' || C == ')') return {};  // alternatives, or not balanced
    if (C == '(') {
      // The group as one atom, whatever it holds.
      EndRun();
      int Depth = 1;
      for (++I; I < Pattern.size() && Depth > 0;) {
        if (Pattern[I] == '\\') {
          I += 2;
        } else if (Pattern[I] == '[') {
          I = SkipClass(I);
          if (I == std::string_view::npos) return {};
        } else {
          Depth += Pattern[I] == '(' ? 1 : Pattern[I] == ')' ? -1 : 0;
          ++I;
        }
      }
      if (Depth > 0) return {};
      continue;
    }
    if (C == '[') {
      EndRun();
      I = SkipClass(I);
      if (I == std::string_view::npos) return {};
      continue;
    }
    if (C == '?' || C == '*' || C == '+' || C == '{') {
      // The atom before may occur fewer times or more: it ends the run
      // without its last character.
      if (LastLiteral) Run.pop_back();
      EndRun();
      if (C == '{') {
        const std::size_t Close = Pattern.find('}', I);
        if (Close == std::string_view::npos) return {};
        I = Close;
      }
      ++I;
      continue;
    }
    if (C == '.' || C == '^' || C == '$') {
      EndRun();
      ++I;
      continue;
    }
    if (C == '\\') {
      if (I + 1 >= Pattern.size()) return {};
      const unsigned char N = static_cast<unsigned char>(Pattern[I + 1]);
      I += 2;
      if ((N >= '0' && N <= '9') || (N >= 'A' && N <= 'Z') || (N >= 'a' && N <= 'z')) {
        EndRun();  // a class, an assertion, a back-reference or a coded character
        continue;
      }
      Run += static_cast<char>(N);
      LastLiteral = true;
      continue;
    }
    Run += C;
    LastLiteral = true;
    ++I;
  }
  EndRun();
  return Best;
}

// ---------------------------------------------------------------------------

struct TMsgFilter::TCompiled {
  TFilterField Field = TFilterField::Text;
  TFilterMatch Match = TFilterMatch::Contains;
  bool CaseSensitive = false;
  std::string Pattern;
  std::int32_t Kind = 0;
  std::unique_ptr<TFindText> Folded;  // Contains without case, non-empty pattern
  std::optional<std::regex> Regex;
  // What every match of the regular expression contains: looked for first,
  // exactly or folded as the rule's case says.
  std::string Literal;
  std::unique_ptr<TFindText> FoldedLiteral;
};

TMsgFilter::TMsgFilter(const TUpperCaseTable& Table) : FTable(Table) {}
TMsgFilter::~TMsgFilter() = default;

void TMsgFilter::SetRules(std::vector<TFilterRule> Rules) {
  FRules = std::move(Rules);
  FCompiled.clear();
  FProblems.clear();
  FEnabledRules = 0;
  FHasInclude = false;
  for (std::size_t I = 0; I < FRules.size(); ++I) {
    TFilterRule& R = FRules[I];
    std::unique_ptr<TCompiled> C;
    if (R.Enabled) {
      C = std::make_unique<TCompiled>();
      C->Field = R.Field;
      C->Match = R.Match;
      C->CaseSensitive = R.CaseSensitive;
      C->Pattern = R.Pattern;
      std::string Problem;
      if (R.Field == TFilterField::Kind) {
        const auto K = Number(R.Pattern);
        if (K)
          C->Kind = *K;
        else
          Problem = "the kind \"" + R.Pattern + "\" is not a number";
      } else if (R.Match == TFilterMatch::Regex) {
        try {
          auto Flags = std::regex::ECMAScript | std::regex::optimize;
#if defined(__GLIBCXX__)
          // The breadth-first matcher: time in proportion to the field's
          // length times the pattern's, never the exponential backtracking
          // of "(a|aa)*b" (back-references are refused with it).
          Flags |= std::regex_constants::__polynomial;
#endif
          if (!R.CaseSensitive) Flags |= std::regex::icase;
          // The pattern as given must compile; it is then matched as one pass
          // over the whole field (a search would start again at each byte).
          // "^" and "$" keep their meaning: the start and end of the field.
          std::regex Check(R.Pattern, Flags);
          C->Regex.emplace("[\\s\\S]*(?:" + R.Pattern + ")[\\s\\S]*", Flags);
          C->Literal = RegexRequiredLiteral(R.Pattern);
          // Folding with the find table takes at least what the matcher's
          // own case folding takes, so it never refuses a match.
          if (!C->Literal.empty() && !R.CaseSensitive)
            C->FoldedLiteral = std::make_unique<TFindText>(C->Literal, FTable);
        } catch (const std::regex_error& E) {
          Problem = std::string("the regular expression does not compile (") + E.what() + ")";
        }
      } else if (R.Match == TFilterMatch::Contains && !R.CaseSensitive && !R.Pattern.empty()) {
        C->Folded = std::make_unique<TFindText>(R.Pattern, FTable);
      }
      if (!Problem.empty()) {
        FProblems.push_back("Rule " + std::to_string(I + 1) + ": " + Problem + "; it is disabled.");
        R.Enabled = false;
        C.reset();
      }
    }
    if (C) {
      ++FEnabledRules;
      if (R.Action == TFilterAction::Include) FHasInclude = true;
    }
    FCompiled.push_back(std::move(C));
  }
}

void TMsgFilter::SetQuickText(std::string_view Text) {
  FQuick = std::string(Text);
  FQuickFind = FQuick.empty() ? nullptr : std::make_unique<TFindText>(FQuick, FTable);
}

bool TMsgFilter::Matches(const TCompiled& C, const TOrlimoMsgInfo& Info) const {
  std::string_view Field;
  switch (C.Field) {
    case TFilterField::Kind: return Info.MsgType() == C.Kind;
    case TFilterField::Text: Field = Info.Text(); break;
    case TFilterField::App: Field = Info.AppName(); break;
    case TFilterField::Type: Field = Info.TypeName(); break;
  }
  switch (C.Match) {
    case TFilterMatch::Contains:
      if (C.Folded) return C.Folded->Matches(Field);
      return Field.find(C.Pattern) != std::string_view::npos;  // exact case, or the empty pattern
    case TFilterMatch::Wildcard: return WildcardMatches(C.Pattern, Field, C.CaseSensitive ? nullptr : &FTable);
    case TFilterMatch::Regex: {
      const std::string_view Head = Field.substr(0, std::min(Field.size(), RegexFieldLimit));
      if (C.FoldedLiteral ? !C.FoldedLiteral->Matches(Head)
                          : !C.Literal.empty() && Head.find(C.Literal) == std::string_view::npos)
        return false;
      try {
        return std::regex_match(Head.begin(), Head.end(), *C.Regex);
      } catch (const std::regex_error&) {
        return false;  // too complex for this field: no match rather than a hang
      }
    }
  }
  return false;
}

bool TMsgFilter::Shows(const TOrlimoMsgInfo& Info) const {
  if (!Filtering()) return true;
  const std::int32_t Kind = Info.MsgType();
  if (Kind == lxmSeparator || Kind == lxmWakeUpSeparator) return false;
  if (FQuickFind && !FQuickFind->Matches(Info.Text())) return false;
  bool Included = !FHasInclude;
  for (std::size_t I = 0; I < FRules.size(); ++I) {
    const TCompiled* C = FCompiled[I].get();
    if (!C) continue;
    const TFilterAction A = FRules[I].Action;
    if (A == TFilterAction::Exclude) {
      if (Matches(*C, Info)) return false;
    } else if (A == TFilterAction::Include && !Included) {
      Included = Matches(*C, Info);
    }
  }
  return Included;
}

const TFilterRule* TMsgFilter::Highlight(const TOrlimoMsgInfo& Info) const {
  for (std::size_t I = 0; I < FRules.size(); ++I)
    if (FCompiled[I] && FRules[I].Action == TFilterAction::Highlight && Matches(*FCompiled[I], Info)) return &FRules[I];
  return nullptr;
}

// ---------------------------------------------------------------------------

std::int32_t TMsgFilterIndex::LowerBound(std::int32_t Position) const {
  const auto It = std::lower_bound(FValues.begin(), FValues.end(), Position - FShift);
  return static_cast<std::int32_t>(It - FValues.begin());
}

std::int32_t TMsgFilterIndex::IndexOf(std::int32_t Position) const {
  const std::int32_t I = LowerBound(Position);
  return I < Count() && this->Position(I) == Position ? I : -1;
}

void TMsgFilterIndex::Clear() noexcept {
  FValues.clear();
  FValues.shrink_to_fit();
  FShift = 0;
}

void TMsgFilterIndex::Inserted(std::int32_t Position, bool AtTop, bool Shown) {
  if (AtTop) {
    ++FShift;  // every shown item moved down by one
    if (Shown) FValues.push_front(-FShift);
  } else if (Shown) {
    FValues.push_back(Position - FShift);
  }
}

std::int32_t TMsgFilterIndex::InsertedAt(std::int32_t Position, std::int32_t CountBefore, bool Shown) {
  if (Position <= 0 || Position >= CountBefore) {
    const bool AtTop = Position <= 0 && CountBefore > 0;
    Inserted(AtTop ? 0 : CountBefore, AtTop, Shown);
    if (!Shown) return -1;
    return AtTop ? 0 : Count() - 1;
  }
  const std::int32_t At = LowerBound(Position);
  for (auto It = FValues.begin() + At; It != FValues.end(); ++It) ++*It;
  if (!Shown) return -1;
  FValues.insert(FValues.begin() + At, Position - FShift);
  return At;
}

void TMsgFilterIndex::Deleted(const std::vector<std::int32_t>& Deleted) {
  if (Deleted.empty()) return;
  // One pass: drop the deleted positions, move the others up by the number of
  // deletions before them; the shift folds into the values.
  std::size_t D = 0, Out = 0;
  for (const std::int32_t Value : FValues) {
    const std::int32_t P = Value + FShift;
    while (D < Deleted.size() && Deleted[D] < P) ++D;
    if (D < Deleted.size() && Deleted[D] == P) continue;
    FValues[Out++] = P - static_cast<std::int32_t>(D);
  }
  FValues.resize(Out);
  FShift = 0;
}

// ============================================================ stored rules

std::vector<TFilterRule> ReadFilterRules(TSettingsStore& Store, std::vector<std::string>* Problems) {
  std::vector<TFilterRule> Rules;
  for (std::size_t N = 1;; ++N) {
    const std::string Name = "Rule" + std::to_string(N);
    const std::optional<std::string> Value = Store.Read(FilterSettingsSection, Name);
    if (!Value) break;
    if (std::optional<TFilterRule> Rule = ParseFilterRule(*Value)) {
      Rules.push_back(std::move(*Rule));
      continue;
    }
    TFilterRule Kept;
    Kept.Enabled = false;
    Kept.Pattern = *Value;
    Rules.push_back(std::move(Kept));
    if (Problems) Problems->push_back("Rule " + std::to_string(N) + ": it cannot be read; it is disabled.");
  }
  return Rules;
}

void WriteFilterRules(TSettingsStore& Store, const std::vector<TFilterRule>& Rules) {
  std::size_t N = 1;
  for (const TFilterRule& Rule : Rules)
    Store.Write(FilterSettingsSection, "Rule" + std::to_string(N++), FormatFilterRule(Rule));
  for (;; ++N) {
    const std::string Name = "Rule" + std::to_string(N);
    if (!Store.Read(FilterSettingsSection, Name)) break;
    Store.Remove(FilterSettingsSection, Name);
  }
}
