// The text match of the find command: an item matches when the find text in
// upper case occurs anywhere in the item's text in upper case.
//
// Upper case is a byte-to-byte mapping of the single-byte ANSI text. The
// default mapping is that of the Western code page (Windows-1252): a-z, the
// accented letters 0xE0-0xFE but 0xF7, and the three letters 0x9A, 0x9C, 0x9E
// and 0xFF, each to its capital; every other byte maps to itself. A program
// that knows its code page better may hand in its own table (for instance one
// made with CharUpperBuffA over the 256 byte values).
//
// TFindText folds the find text once; matching folds the item's bytes as it
// reads them, so no upper-case copy of an item is made. A search costs one
// pass over the item's text in the usual case (candidate places are those
// where both the first and the last byte of the find text fit, tested eight
// at a time); a find text whose first byte
// recurs densely in the item (long runs of one letter) switches to a
// Knuth-Morris-Pratt pass, so no item costs more than a few passes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TUpperCaseTable = std::array<unsigned char, 256>;

// The upper-case mapping of Windows-1252.
const TUpperCaseTable& AnsiUpperCaseTable();

class TFindText {
public:
  // Table must outlive the object.
  explicit TFindText(std::string_view Text, const TUpperCaseTable& Table = AnsiUpperCaseTable());

  // The empty find text matches nothing.
  bool Empty() const { return FUpper.empty(); }
  // The find text in upper case.
  const std::string& Upper() const { return FUpper; }

  bool Matches(std::string_view ItemText) const;
  // The same for a NUL-terminated text.
  bool Matches(const char* ItemText) const;

private:
  bool Search(const unsigned char* Text, std::size_t Length) const;
  bool KmpSearch(const unsigned char* Text, std::size_t Length) const;
  bool Verify(const unsigned char* At) const;

  const TUpperCaseTable& FTable;
  std::string FUpper;
  // Candidates are found eight at a time by the find text's first and last
  // bytes: the bytes whose upper case is each (at most two in Windows-1252).
  // With a table that maps more bytes to one of them, FManyCases is set and
  // candidates are found through FIsFirst alone.
  unsigned char FFirstA = 0, FFirstB = 0, FLastA = 0, FLastB = 0;
  bool FManyCases = false;
  std::array<bool, 256> FIsFirst{};
  std::vector<std::int32_t> FFailure;  // Knuth-Morris-Pratt failure function of FUpper
};
