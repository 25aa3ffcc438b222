// Message kinds and the message record TOrlimoMsgInfo.
//
// A TOrlimoMsgInfo is the record attached to every item of a message list.
// It is immutable once made, reference counted (a record lives as long as any
// list, or any TOrlimoMsgInfoRef, refers to it) and compact: the item's display
// text and the details lines are stored inline after the fixed fields, and the
// application and type names are interned in a process-wide table (each
// distinct pair once, freed with the last record that uses it). Records are
// made only through TOrlimoMsgInfo::Create and held through TOrlimoMsgInfoRef.
//
// Threading: records, the name table and the record allocator belong to the
// GUI thread (the viewer has no other thread).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------
// Kind codes (32-bit signed). 0 to 10 have an icon, 11 and 12 are separators,
// 13 to 15 are commands when a client sends them. Any other code is listed
// like a message of that code. The client sender's header defines the same
// constants under the same guard, so a file may include both.
#ifndef ORLIMO_KIND_CODES
#define ORLIMO_KIND_CODES
inline constexpr std::int32_t lxmInfo = 0;
inline constexpr std::int32_t lxmWarning = 1;
inline constexpr std::int32_t lxmError = 2;
inline constexpr std::int32_t lxmCheckPoint = 3;
inline constexpr std::int32_t lxmObject = 4;
inline constexpr std::int32_t lxmStream = 5;
inline constexpr std::int32_t lxmStringList = 6;
inline constexpr std::int32_t lxmProperty = 7;
inline constexpr std::int32_t lxmNote = 8;
inline constexpr std::int32_t lxmEnterMethod = 9;
inline constexpr std::int32_t lxmExitMethod = 10;
inline constexpr std::int32_t lxmSeparator = 11;
inline constexpr std::int32_t lxmWakeUpSeparator = 12;
inline constexpr std::int32_t lxmClear = 13;
inline constexpr std::int32_t lxmScratchPad = 14;
inline constexpr std::int32_t lxmSaveLog = 15;
#endif

// Kinds with a list icon (0..10) and the navigable kinds (0..8). The icon
// kinds are also the ones with a style of their own, and the ones that can
// wake the list after an idle time; tables per icon kind have IconKindCount
// entries, indexed by the kind.
constexpr bool IsIconKind(std::int32_t Kind) { return Kind >= lxmInfo && Kind <= lxmExitMethod; }
inline constexpr std::size_t IconKindCount = lxmExitMethod + 1;
constexpr bool IsNavigableKind(std::int32_t Kind) { return Kind >= lxmInfo && Kind <= lxmNote; }

// Longest application and type names a record keeps; longer input is cut.
inline constexpr std::size_t OrlimoAppNameMax = 128;
inline constexpr std::size_t OrlimoTypeNameMax = 80;

// ---------------------------------------------------------------------------
// Splitting details text into lines: a line ends at CR, at LF or at CR LF (one
// break); a final line without a break is kept; the empty text gives no lines.
// ForEachDetailsLine is the one splitter; SplitDetails collects its lines.
template <class F>
void ForEachDetailsLine(std::string_view Text, F&& OnLine) {
  std::size_t Start = 0;
  const std::size_t N = Text.size();
  for (std::size_t I = 0; I < N; ++I) {
    const char C = Text[I];
    if (C == '\r' || C == '\n') {
      OnLine(Text.substr(Start, I - Start));
      if (C == '\r' && I + 1 < N && Text[I + 1] == '\n') ++I;
      Start = I + 1;
    }
  }
  if (Start < N) OnLine(Text.substr(Start));
}

std::vector<std::string> SplitDetails(std::string_view Text);

// ---------------------------------------------------------------------------
// The details of a record: none (absent), or a list of zero or more lines.
// A cheap view into the record; valid while the record lives.
class TOrlimoDetails {
public:
  // Forward iterator over the lines.
  class const_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;

    const_iterator() = default;
    std::string_view operator*() const { return std::string_view(FPos, LineLen()); }
    const_iterator& operator++() {
      FPos += LineLen() + 1;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator T = *this;
      ++*this;
      return T;
    }
    bool operator==(const const_iterator& O) const { return FPos == O.FPos; }
    bool operator!=(const const_iterator& O) const { return FPos != O.FPos; }

  private:
    friend class TOrlimoDetails;
    explicit const_iterator(const char* Pos) : FPos(Pos) {}
    std::size_t LineLen() const;
    const char* FPos = nullptr;
  };

  TOrlimoDetails() = default;  // none

  bool Present() const { return FPresent; }
  explicit operator bool() const { return FPresent; }
  bool Empty() const { return FLines.empty(); }           // no lines (also when absent)
  std::int32_t Count() const;                             // number of lines, O(size)
  std::string_view operator[](std::int32_t Index) const;  // O(size); Index in 0..Count()-1

  const_iterator begin() const { return const_iterator(FLines.data()); }
  const_iterator end() const { return const_iterator(FLines.data() + FLines.size()); }

  std::vector<std::string_view> Lines() const;
  // Every line followed by Terminator (the log file uses "\r\n").
  std::string Joined(std::string_view Terminator) const;
  // The lines, each followed by one '\n'.
  std::string_view Raw() const { return FLines; }

private:
  friend class TOrlimoMsgInfo;
  TOrlimoDetails(bool Present, std::string_view Lines) : FPresent(Present), FLines(Lines) {}
  bool FPresent = false;
  std::string_view FLines;
};

// ---------------------------------------------------------------------------
class TOrlimoMsgInfoRef;

// The message record. Fields (in the order the record is described): MsgType,
// Details, AppName, TypeName, TickCount, IndentLevel; plus the display text
// of the list item it was made for (kept with the record to save memory;
// conceptually the item's text, see TOrlimoMsgList::SetItemText).
class TOrlimoMsgInfo {
public:
  struct TInit {
    std::int32_t MsgType = 0;
    std::string_view Text;      // the item's display text; cut at a NUL
    std::string_view AppName;   // cut to OrlimoAppNameMax and at a NUL
    std::string_view TypeName;  // cut to OrlimoTypeNameMax and at a NUL
    std::int32_t TickCount = 0;
    std::int32_t IndentLevel = 0;
    // None, or a details text split into lines (ForEachDetailsLine); an empty
    // text gives a present, zero-line details list.
    std::optional<std::string_view> Details;
    // Text, names and details hold no NUL already (views from DecodeRecord):
    // they are not searched for one again.
    bool NulFree = false;
  };

  // A new record; with a default TInit every field is zero or empty and there
  // are no details. Throws std::bad_alloc when memory runs out.
  static TOrlimoMsgInfoRef Create(const TInit& Init);
  // A copy of Source with another display text (same fields, same details).
  static TOrlimoMsgInfoRef CopyWithText(const TOrlimoMsgInfo& Source, std::string_view Text);

  std::int32_t MsgType() const { return FMsgType; }
  TOrlimoDetails Details() const;
  const std::string& AppName() const;
  const std::string& TypeName() const;
  std::int32_t TickCount() const { return FTickCount; }
  std::int32_t IndentLevel() const { return FIndentLevel; }
  // The display text; also a NUL-terminated C string (Text().data()).
  std::string_view Text() const;
  // The same C string, without measuring it.
  const char* TextData() const { return Inline(); }

  // How many lists and references hold this record.
  std::uint32_t RefCount() const { return FRefCount; }
  // Bytes the record takes in the record allocator (block size).
  std::size_t AllocatedSize() const;

  TOrlimoMsgInfo(const TOrlimoMsgInfo&) = delete;
  TOrlimoMsgInfo& operator=(const TOrlimoMsgInfo&) = delete;

private:
  friend class TOrlimoMsgInfoRef;
  friend class TOrlimoMsgList;
  TOrlimoMsgInfo() = default;
  ~TOrlimoMsgInfo() = default;
  void AddRef() { ++FRefCount; }
  void Release();
  const char* Inline() const { return reinterpret_cast<const char*>(this + 1); }
  char* Inline() { return reinterpret_cast<char*>(this + 1); }
  std::size_t InlineSize() const;

  std::uint32_t FRefCount = 0;
  std::int32_t FMsgType = 0;
  std::int32_t FTickCount = 0;
  std::int32_t FIndentLevel = 0;
  std::uint32_t FNames = 0;  // bit 31: details present; bits 0..30: interned name pair
  // Inline after the fixed fields: text '\0' [details lines each + '\n', '\0']
};

// A counted reference to a record (like a shared pointer). Null when empty.
class TOrlimoMsgInfoRef {
public:
  TOrlimoMsgInfoRef() = default;
  explicit TOrlimoMsgInfoRef(TOrlimoMsgInfo* P) : FPtr(P) {
    if (FPtr) FPtr->AddRef();
  }
  TOrlimoMsgInfoRef(const TOrlimoMsgInfoRef& O) : TOrlimoMsgInfoRef(O.FPtr) {}
  TOrlimoMsgInfoRef(TOrlimoMsgInfoRef&& O) noexcept : FPtr(std::exchange(O.FPtr, nullptr)) {}
  TOrlimoMsgInfoRef& operator=(TOrlimoMsgInfoRef O) noexcept {
    std::swap(FPtr, O.FPtr);
    return *this;
  }
  ~TOrlimoMsgInfoRef() {
    if (FPtr) FPtr->Release();
  }

  TOrlimoMsgInfo* get() const { return FPtr; }
  TOrlimoMsgInfo& operator*() const { return *FPtr; }
  TOrlimoMsgInfo* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  // Gives up the reference without releasing it (for containers of raw handles).
  TOrlimoMsgInfo* Detach() { return std::exchange(FPtr, nullptr); }
  // Takes over a reference already counted.
  static TOrlimoMsgInfoRef Adopt(TOrlimoMsgInfo* P) {
    TOrlimoMsgInfoRef R;
    R.FPtr = P;
    return R;
  }

private:
  TOrlimoMsgInfo* FPtr = nullptr;
};

// Statistics of the record allocator (for tests and benchmarks).
struct TOrlimoRecordMemory {
  std::size_t LiveRecords = 0;
  std::size_t SlabBytes = 0;   // bytes held in slabs (pooled small records)
  std::size_t SpareBytes = 0;  // of these, the slabs kept empty after a clear and not yet used again
  std::size_t LargeBytes = 0;  // bytes of records too large for the slabs
  std::size_t NamePairs = 0;   // distinct (application, type) name pairs in use
};
TOrlimoRecordMemory OrlimoRecordMemory();
