// Filters and highlighting: a view over the message list that the user
// narrows with rules and a quick text, never changing or dropping a message.
//
// A rule acts on one field of a message (its text, application name, type
// name or kind), matches it by Contains, Wildcard (`*` any run, `?` one
// character, the whole field must match) or a regular expression (ECMAScript,
// over at most the first RegexFieldLimit characters of the field, so a
// pathological pattern cannot run away on a huge message), with or without
// case. A rule on the kind matches that kind number exactly, whatever its
// match says. Case is folded byte by byte with the find command's table
// (model/FindText.h), so the filter and Find agree on what "ignoring case" is.
//
// A message is shown when no enabled Include rule exists or one of them
// matches, no enabled Exclude rule matches, and its text contains the quick
// text (ignoring case). The first enabled Highlight rule that matches gives
// its colours. Separators and wake-up separators are shown only while nothing
// filters: they mean "time passed", which a filtered view cannot keep.
//
// Stored form of a rule, one string value per rule:
//   Enabled|Action|Field|Match|Case|TextColor|BackColor|Pattern
// with Enabled and Case "0" or "1", Action "include", "exclude" or
// "highlight", Field "text", "app", "type" or "kind", Match "contains",
// "wildcard" or "regex", colours in signed decimal and the pattern last (it
// may hold "|").
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/FindText.h"

class TOrlimoMsgInfo;

enum class TFilterAction { Include, Exclude, Highlight };
enum class TFilterField { Text, App, Type, Kind };
enum class TFilterMatch { Contains, Wildcard, Regex };

struct TFilterRule {
  bool Enabled = true;
  TFilterAction Action = TFilterAction::Include;
  TFilterField Field = TFilterField::Text;
  TFilterMatch Match = TFilterMatch::Contains;
  bool CaseSensitive = false;
  std::int32_t TextColor = 0;
  std::int32_t BackColor = 0;
  std::string Pattern;

  bool operator==(const TFilterRule&) const = default;
};

// The stored form of a rule, and back. Parsing fails (nullopt) on a wrong
// number of fields or a word or number it does not know.
std::string FormatFilterRule(const TFilterRule& Rule);
std::optional<TFilterRule> ParseFilterRule(std::string_view Stored);

// Whether Field matches the wildcard pattern: `*` any run (also empty), `?` one
// byte, everything else itself, over the whole field. Folded through Table
// when given (both sides), exact otherwise.
bool WildcardMatches(std::string_view Pattern, std::string_view Field, const TUpperCaseTable* Table = nullptr);

// The longest run of characters that every match of the regular expression
// Pattern (ECMAScript) contains, found conservatively: only characters outside
// groups and classes, not under a quantifier, and nothing at all when the
// pattern has an alternative at its top level. Empty when none is known. A
// field without it cannot match, so the filter looks for it first.
std::string RegexRequiredLiteral(std::string_view Pattern);

class TSettingsStore;

// The stored rules: "Rule1", "Rule2", ... in the section FilterSettingsSection,
// read up to the first that is missing. A value that does not parse is kept
// as a disabled rule with the text as its pattern, and named in Problems.
inline constexpr const char* FilterSettingsSection = "Filters";
std::vector<TFilterRule> ReadFilterRules(TSettingsStore& Store, std::vector<std::string>* Problems = nullptr);
// Writes Rules as Rule1..RuleN and removes the values after them.
void WriteFilterRules(TSettingsStore& Store, const std::vector<TFilterRule>& Rules);

class TMsgFilter {
public:
  static constexpr std::size_t RegexFieldLimit = 4096;

  // Table must outlive the filter.
  explicit TMsgFilter(const TUpperCaseTable& Table = AnsiUpperCaseTable());
  ~TMsgFilter();
  TMsgFilter(const TMsgFilter&) = delete;
  TMsgFilter& operator=(const TMsgFilter&) = delete;

  // The rules in order. A rule that cannot be used (a regular expression
  // that does not compile, a kind that is not a number) is kept but disabled;
  // Problems() then names it ("Rule 2: ...").
  void SetRules(std::vector<TFilterRule> Rules);
  const std::vector<TFilterRule>& Rules() const { return FRules; }
  const std::vector<std::string>& Problems() const { return FProblems; }

  void SetQuickText(std::string_view Text);
  const std::string& QuickText() const { return FQuick; }

  // Whether anything filters: a quick text or an enabled rule.
  bool Filtering() const { return !FQuick.empty() || FEnabledRules > 0; }
  bool Shows(const TOrlimoMsgInfo& Info) const;
  // The first enabled Highlight rule that matches, or null.
  const TFilterRule* Highlight(const TOrlimoMsgInfo& Info) const;

private:
  struct TCompiled;
  bool Matches(const TCompiled& C, const TOrlimoMsgInfo& Info) const;

  const TUpperCaseTable& FTable;
  std::vector<TFilterRule> FRules;
  std::vector<std::unique_ptr<TCompiled>> FCompiled;  // one per rule, null when not in use
  std::vector<std::string> FProblems;
  std::int32_t FEnabledRules = 0;
  bool FHasInclude = false;
  std::string FQuick;
  std::unique_ptr<TFindText> FQuickFind;
};

// The positions of the shown items of a list, in order: the view's item
// mapping. 4 bytes per shown item; a position is the stored value plus one
// shift common to all, so an insertion at the top of the list (every position
// moves down by one) changes only the shift. Insertion at either end is
// constant time; deletions cost one pass over the shown positions.
class TMsgFilterIndex {
public:
  std::int32_t Count() const { return static_cast<std::int32_t>(FValues.size()); }
  // The list position of the Index-th shown item.
  std::int32_t Position(std::int32_t Index) const { return FValues[static_cast<std::size_t>(Index)] + FShift; }
  // The view index of the item at list position Position, or -1 when it is not shown.
  std::int32_t IndexOf(std::int32_t Position) const;
  // The view index of the first shown item at Position or after it (Count() when none).
  std::int32_t LowerBound(std::int32_t Position) const;

  void Clear() noexcept;
  // An item was placed at the list's end (Position = count before) or top (0).
  void Inserted(std::int32_t Position, bool AtTop, bool Shown);
  // An item was placed at Position of a list that held CountBefore items
  // (anywhere: a note put between two messages moves those below it).
  // Returns the item's view index, or -1 when it is not shown.
  std::int32_t InsertedAt(std::int32_t Position, std::int32_t CountBefore, bool Shown);
  // Items at Deleted (strictly increasing positions of the list before) are gone.
  void Deleted(const std::vector<std::int32_t>& Deleted);
  // The positions of a list of Count items, each shown or not as Shows says.
  template <class F>
  void Rebuild(std::int32_t Count, F&& Shows) {
    Clear();
    for (std::int32_t I = 0; I < Count; ++I)
      if (Shows(I)) FValues.push_back(I);
  }

private:
  std::deque<std::int32_t> FValues;
  std::int32_t FShift = 0;
};
