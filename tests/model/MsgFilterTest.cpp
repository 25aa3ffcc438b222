// Filter and highlight rules: what a rule matches, how rules combine, the
// stored form, and the index of shown positions against a walk of the list.
#include "model/MsgFilter.h"

#include <gtest/gtest.h>

#include <random>
// GCC 12 warns inside <regex> itself (a false "may be used uninitialized").
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#include <string>
#include <vector>

#include "model/OrlimoMsg.h"
#include "model/Settings.h"

namespace {

TOrlimoMsgInfoRef Msg(std::int32_t Kind, std::string_view Text, std::string_view App = "client.exe",
                      std::string_view Type = "TForm") {
  TOrlimoMsgInfo::TInit I;
  I.MsgType = Kind;
  I.Text = Text;
  I.AppName = App;
  I.TypeName = Type;
  return TOrlimoMsgInfo::Create(I);
}

TFilterRule Rule(TFilterAction A, TFilterField F, TFilterMatch M, std::string Pattern, bool Case = false) {
  TFilterRule R;
  R.Action = A;
  R.Field = F;
  R.Match = M;
  R.Pattern = std::move(Pattern);
  R.CaseSensitive = Case;
  return R;
}

constexpr auto Inc = TFilterAction::Include;
constexpr auto Exc = TFilterAction::Exclude;
constexpr auto Hi = TFilterAction::Highlight;
constexpr auto Text = TFilterField::Text;
constexpr auto App = TFilterField::App;
constexpr auto Type = TFilterField::Type;
constexpr auto Kind = TFilterField::Kind;
constexpr auto Contains = TFilterMatch::Contains;
constexpr auto Wild = TFilterMatch::Wildcard;
constexpr auto Regex = TFilterMatch::Regex;

bool Shows(const std::vector<TFilterRule>& Rules, const TOrlimoMsgInfo& M, std::string_view Quick = "") {
  TMsgFilter F;
  F.SetRules(Rules);
  F.SetQuickText(Quick);
  return F.Shows(M);
}

TEST(Wildcard, StarsQuestionMarksTheWholeFieldAndCase) {
  const TUpperCaseTable* Fold = &AnsiUpperCaseTable();
  EXPECT_TRUE(WildcardMatches("*", ""));
  EXPECT_TRUE(WildcardMatches("", ""));
  EXPECT_FALSE(WildcardMatches("", "a"));
  EXPECT_TRUE(WildcardMatches("a*b*a", "aba"));
  EXPECT_FALSE(WildcardMatches("a*b*a", "aa"));
  EXPECT_FALSE(WildcardMatches("ab*ba", "aba")) << "head and tail may not overlap";
  EXPECT_TRUE(WildcardMatches("ab*ba", "abba"));
  EXPECT_TRUE(WildcardMatches("*.exe", "notepad.exe"));
  EXPECT_FALSE(WildcardMatches("*.exe", "notepad.exe.log")) << "the whole field must match";
  EXPECT_TRUE(WildcardMatches("Order ?? done", "Order 42 done"));
  EXPECT_FALSE(WildcardMatches("Order ?? done", "Order 4 done"));
  EXPECT_TRUE(WildcardMatches("**x**y**", "..x..y.."));
  EXPECT_TRUE(WildcardMatches("*ab*ab*", "xxabyyab"));
  EXPECT_FALSE(WildcardMatches("*ab*ab*", "xxabyya"));
  EXPECT_FALSE(WildcardMatches("NOTEPAD.*", "notepad.exe"));
  EXPECT_TRUE(WildcardMatches("NOTEPAD.*", "notepad.exe", Fold));
  EXPECT_TRUE(WildcardMatches("\xC9T\xC9", "\xE9t\xE9", Fold)) << "high letters fold as Find folds them";
  // A long run of stars and near misses stays linear enough to be instant.
  const std::string Long(100000, 'a');
  EXPECT_FALSE(WildcardMatches("*a*a*a*a*a*a*a*a*b", Long));
}

TEST(FilterRules, EachFieldAndMatchWithAndWithoutCase) {
  const auto M = Msg(lxmWarning, "Order 42 failed: disk FULL", "Service.EXE", "TOrderQueue");
  EXPECT_TRUE(Shows({Rule(Inc, Text, Contains, "disk full")}, *M));
  EXPECT_FALSE(Shows({Rule(Inc, Text, Contains, "disk full", true)}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, Text, Contains, "disk FULL", true)}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, App, Wild, "*.exe")}, *M));
  EXPECT_FALSE(Shows({Rule(Inc, App, Wild, "*.exe", true)}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, Type, Regex, "^TOrder")}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, Type, Regex, "^torder")}, *M));
  EXPECT_FALSE(Shows({Rule(Inc, Type, Regex, "^torder", true)}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, Text, Regex, R"(Order \d+ failed)")}, *M));
  // A kind rule matches that kind exactly, whatever its match says.
  EXPECT_TRUE(Shows({Rule(Inc, Kind, Wild, "1")}, *M));
  EXPECT_FALSE(Shows({Rule(Inc, Kind, Contains, "2")}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, Kind, Regex, "1|2")}, *M)) << "not a number: the rule is disabled, nothing filters";
  // Empty patterns: Contains and a regular expression match everything, a
  // wildcard only the empty field.
  EXPECT_TRUE(Shows({Rule(Inc, Text, Contains, "")}, *M));
  EXPECT_TRUE(Shows({Rule(Inc, Text, Regex, "")}, *M));
  EXPECT_FALSE(Shows({Rule(Inc, Text, Wild, "")}, *M));
}

TEST(FilterRules, IncludeExcludeQuickTextAndTheirOrder) {
  const auto A = Msg(lxmInfo, "alpha ready", "a.exe");
  const auto B = Msg(lxmError, "beta failed", "b.exe");
  const auto C = Msg(lxmInfo, "gamma ready", "c.exe");
  const std::vector<TFilterRule> Rules = {Rule(Inc, App, Wild, "a.exe"), Rule(Inc, Kind, Contains, "2"),
                                          Rule(Exc, Text, Contains, "fail")};
  EXPECT_TRUE(Shows(Rules, *A));
  EXPECT_FALSE(Shows(Rules, *B)) << "included by its kind, but an exclude rule matches";
  EXPECT_FALSE(Shows(Rules, *C)) << "include rules exist and none matches";
  EXPECT_TRUE(Shows({Rule(Exc, Text, Contains, "fail")}, *C)) << "no include rule: everything not excluded";
  // A disabled include rule does not count as one.
  auto Off = Rule(Inc, App, Wild, "a.exe");
  Off.Enabled = false;
  EXPECT_TRUE(Shows({Off}, *C));
  // The quick text narrows what the rules let through, ignoring case.
  EXPECT_TRUE(Shows({}, *A, "ALPHA"));
  EXPECT_FALSE(Shows({}, *C, "alpha"));
  EXPECT_FALSE(Shows(Rules, *A, "gamma"));
  // Highlight rules never hide a message; the first that matches paints.
  auto H1 = Rule(Hi, Text, Contains, "ready");
  H1.TextColor = 255;
  auto H2 = Rule(Hi, App, Wild, "*");
  H2.TextColor = 65280;
  TMsgFilter F;
  F.SetRules({H1, H2});
  EXPECT_TRUE(F.Shows(*B));
  ASSERT_NE(F.Highlight(*A), nullptr);
  EXPECT_EQ(F.Highlight(*A)->TextColor, 255);
  EXPECT_EQ(F.Highlight(*B)->TextColor, 65280);
}

TEST(FilterRules, SeparatorsShowOnlyWhileNothingFilters) {
  const auto S = Msg(lxmSeparator, "");
  const auto W = Msg(lxmWakeUpSeparator, "");
  TMsgFilter F;
  EXPECT_FALSE(F.Filtering());
  EXPECT_TRUE(F.Shows(*S));
  F.SetRules({Rule(Hi, Text, Contains, "x")});
  EXPECT_TRUE(F.Filtering()) << "any enabled rule";
  EXPECT_FALSE(F.Shows(*S));
  EXPECT_FALSE(F.Shows(*W));
  F.SetRules({});
  F.SetQuickText("x");
  EXPECT_FALSE(F.Shows(*S));
  F.SetQuickText("");
  EXPECT_TRUE(F.Shows(*W));
}

TEST(FilterRules, ABadRuleIsKeptDisabledAndNamed) {
  TMsgFilter F;
  F.SetRules({Rule(Inc, Text, Contains, "ok"), Rule(Inc, Text, Regex, "(unclosed"), Rule(Inc, Kind, Wild, "x")});
  ASSERT_EQ(F.Rules().size(), 3u);
  EXPECT_TRUE(F.Rules()[0].Enabled);
  EXPECT_FALSE(F.Rules()[1].Enabled);
  EXPECT_FALSE(F.Rules()[2].Enabled);
  ASSERT_EQ(F.Problems().size(), 2u);
  EXPECT_EQ(F.Problems()[0].rfind("Rule 2: the regular expression does not compile", 0), 0u) << F.Problems()[0];
  EXPECT_EQ(F.Problems()[1], "Rule 3: the kind \"x\" is not a number; it is disabled.");
  EXPECT_TRUE(F.Shows(*Msg(lxmInfo, "ok then")));
  F.SetRules({});
  EXPECT_TRUE(F.Problems().empty());
}

TEST(FilterRules, ARegularExpressionLooksAtTheStartOfAHugeFieldOnly) {
  std::string Huge(1'000'000, 'a');
  Huge += "needle";
  TMsgFilter F;
  F.SetRules({Rule(Inc, Text, Regex, "needle")});
  EXPECT_FALSE(F.Shows(*Msg(lxmInfo, Huge)));
  F.SetRules({Rule(Inc, Text, Regex, "(a|aa)*b")});  // exponential for a backtracking matcher
  EXPECT_FALSE(F.Shows(*Msg(lxmInfo, Huge)));
  F.SetRules({Rule(Inc, Text, Regex, "^a+$")});
  EXPECT_FALSE(F.Shows(*Msg(lxmInfo, "ba"))) << "^ is the start of the field";
  EXPECT_TRUE(F.Shows(*Msg(lxmInfo, "aaa")));
  F.SetRules({Rule(Inc, Text, Regex, "a)(b")});
  EXPECT_EQ(F.Problems().size(), 1u) << "a pattern is checked as given";
  F.SetRules({Rule(Inc, Text, Contains, "needle")});
  EXPECT_TRUE(F.Shows(*Msg(lxmInfo, Huge))) << "the other matches read the whole field";
}

TEST(FilterRules, WhatEveryMatchOfARegularExpressionContains) {
  const std::pair<const char*, const char*> Cases[] = {
      {"order 00[0-9]+5 ", "order 00"},
      {"needle", "needle"},
      {"ab+c", "a"},     // "b" may repeat: the run ends before it
      {"abc?de", "ab"},  // "c" may be missing: "ab" and "de", the first of the longest
      {"x(long group)?yz", "yz"},
      {"(abc)def", "def"},
      {"a|bcdef", ""},      // an alternative at the top
      {"(a|b)cd", "cd"},    // inside a group it is fine
      {"\\.exe$", ".exe"},  // an escaped punctuation mark is itself
      {"\\d+ failed", " failed"},
      {"fo[o]bar", "bar"},
      {"[]x]yz", "yz"},
      {"ab{2,3}cd", "cd"},
      {"^start", "start"},
      {"a.b", "a"},
      {"\\bword\\b", "word"},
      {"", ""},
      {"(unclosed", ""},
      {"x)(y", ""},
  };
  for (const auto& [Pattern, Literal] : Cases) EXPECT_EQ(RegexRequiredLiteral(Pattern), Literal) << Pattern;
}

TEST(FilterRules, TheLiteralLookedForFirstNeverHidesAMatch) {
  // Every pattern against every text, with and without case: the rule shows
  // exactly what a plain search with the same expression finds.
  const char* const Patterns[] = {"order 00[0-9]+5 ", "ORDER 1\\d", "a+b",     "(x|y)z",      "disk\\.full?",
                                  "^Order",           "ed$",        "caf\xE9", "[A-Z]{2}\\d", "o.d"};
  const char* const Texts[] = {"Order 0012345 handled", "order 005 x", "aab", "yz and xz", "disk.ful", "DISK.FULL",
                               "Order failed",          "CAF\xC9 ",    "AB1", "old",       "",         "nothing here"};
  for (const char* P : Patterns) {
    for (const bool Case : {false, true}) {
      TMsgFilter F;
      F.SetRules({Rule(Inc, Text, Regex, P, Case)});
      ASSERT_TRUE(F.Problems().empty()) << P;
      auto Flags = std::regex::ECMAScript;
      if (!Case) Flags |= std::regex::icase;
      const std::regex Plain(P, Flags);
      for (const char* T : Texts)
        EXPECT_EQ(F.Shows(*Msg(lxmInfo, T)), std::regex_search(std::string(T), Plain))
            << P << " / " << T << (Case ? " (case)" : "");
    }
  }
}

TEST(FilterStoredForm, RoundTripAndBadLines) {
  TFilterRule R = Rule(Hi, Type, Regex, "a|b\\|c", true);
  R.Enabled = false;
  R.TextColor = -16777208;
  R.BackColor = 65535;
  const std::string S = FormatFilterRule(R);
  EXPECT_EQ(S, "0|highlight|type|regex|1|-16777208|65535|a|b\\|c");
  EXPECT_EQ(ParseFilterRule(S), R);
  EXPECT_EQ(ParseFilterRule("1|include|text|contains|0|0|0|"), Rule(Inc, Text, Contains, ""));
  for (const char* Bad :
       {"", "1|include|text|contains|0|0|0", "2|include|text|contains|0|0|0|x", "1|Include|text|contains|0|0|0|x",
        "1|include|name|contains|0|0|0|x", "1|include|text|like|0|0|0|x", "1|include|text|contains|yes|0|0|x",
        "1|include|text|contains|0|red|0|x", "1|include|text|contains|0|0|99999999999|x",
        "1|include|text|contains|0| 5|0|x"})
    EXPECT_FALSE(ParseFilterRule(Bad).has_value()) << Bad;
}

// The rules in the store: in order, up to the first missing value; a value
// that cannot be read stays as a disabled rule; fewer rules remove the rest.
TEST(FilterStoredForm, RulesInTheStoreKeepTheirOrderAndTheBadOnes) {
  TMemorySettingsStore Store;
  WriteFilterRules(Store, {Rule(Inc, Text, Contains, "a"), Rule(Exc, App, Wild, "b*"), Rule(Hi, Kind, Contains, "2")});
  EXPECT_EQ(Store.Values.at({"Filters", "Rule2"}), "1|exclude|app|wildcard|0|0|0|b*");
  Store.Values[{"Filters", "Rule2"}] = "garbage|x";
  Store.Values[{"Filters", "Rule5"}] = "1|include|text|contains|0|0|0|after a gap";
  std::vector<std::string> Problems;
  const std::vector<TFilterRule> Read = ReadFilterRules(Store, &Problems);
  ASSERT_EQ(Read.size(), 3u) << "reading stops at the first missing number";
  EXPECT_EQ(Read[0], Rule(Inc, Text, Contains, "a"));
  EXPECT_FALSE(Read[1].Enabled);
  EXPECT_EQ(Read[1].Pattern, "garbage|x");
  ASSERT_EQ(Problems.size(), 1u);
  EXPECT_EQ(Problems[0].rfind("Rule 2:", 0), 0u);
  WriteFilterRules(Store, {Read[0]});
  EXPECT_TRUE(Store.Values.count({"Filters", "Rule1"}));
  EXPECT_FALSE(Store.Values.count({"Filters", "Rule2"}));
  EXPECT_FALSE(Store.Values.count({"Filters", "Rule3"}));
}

// The index against a plain list of which items are shown.
TEST(FilterIndex, InsertionAnywhereDeletionAndClearAgreeWithAWalk) {
  std::mt19937 Rng(7);
  std::vector<bool> Items;  // the list: shown or not
  TMsgFilterIndex Index;
  auto Check = [&](int Step) {
    std::vector<std::int32_t> Walk;
    for (std::size_t I = 0; I < Items.size(); ++I)
      if (Items[I]) Walk.push_back(static_cast<std::int32_t>(I));
    ASSERT_EQ(Index.Count(), static_cast<std::int32_t>(Walk.size())) << "step " << Step;
    for (std::int32_t I = 0; I < Index.Count(); ++I) ASSERT_EQ(Index.Position(I), Walk[I]) << "step " << Step;
    for (std::int32_t P = 0; P < static_cast<std::int32_t>(Items.size()); ++P) {
      const auto It = std::find(Walk.begin(), Walk.end(), P);
      ASSERT_EQ(Index.IndexOf(P), It == Walk.end() ? -1 : static_cast<std::int32_t>(It - Walk.begin()));
    }
  };
  for (int Step = 0; Step < 2000; ++Step) {
    const int Op = static_cast<int>(Rng() % 100);
    const bool Shown = Rng() % 3 != 0;
    if (Op < 40) {
      Index.Inserted(static_cast<std::int32_t>(Items.size()), false, Shown);
      Items.push_back(Shown);
    } else if (Op < 50) {
      // Anywhere, as a note goes in at the current item.
      const auto At = static_cast<std::int32_t>(Rng() % (Items.size() + 1));
      const std::int32_t View = Index.InsertedAt(At, static_cast<std::int32_t>(Items.size()), Shown);
      Items.insert(Items.begin() + At, Shown);
      ASSERT_EQ(View, Shown ? Index.IndexOf(At) : -1) << "step " << Step;
    } else if (Op < 90) {
      Index.Inserted(0, true, Shown);
      Items.insert(Items.begin(), Shown);
    } else if (Op < 98 && !Items.empty()) {
      std::vector<std::int32_t> Deleted;
      for (std::size_t I = 0; I < Items.size(); ++I)
        if (Rng() % 4 == 0) Deleted.push_back(static_cast<std::int32_t>(I));
      Index.Deleted(Deleted);
      for (std::int32_t At : std::vector<std::int32_t>(Deleted.rbegin(), Deleted.rend()))
        Items.erase(Items.begin() + At);
    } else {
      Index.Clear();
      Items.clear();
    }
    ASSERT_NO_FATAL_FAILURE(Check(Step));
  }
  Index.Rebuild(static_cast<std::int32_t>(Items.size()), [&](std::int32_t I) { return Items[I]; });
  Check(-1);
  EXPECT_EQ(Index.LowerBound(-5), 0);
  EXPECT_EQ(Index.LowerBound(static_cast<std::int32_t>(Items.size())), Index.Count());
}

}  // namespace
