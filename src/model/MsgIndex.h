// Positions of the list's items by kind, kept beside the message list so that
// the navigator, the call stack and method matching do not walk the list.
//
// Three sorted position lists: the items of the navigator kind, the enter
// method messages and the exit method messages; items of other kinds are not
// listed. When the navigator kind changes, its list is made again from the
// items on the next query (one walk over the list). Memory: 4 bytes for each
// item of these kinds, 8 more for each enter method message (its links). A
// list holds 32-bit values; the position is the value plus one shift common
// to all lists, so an insertion at the top of the list (every position moves
// down by one) changes only the shift. Insertion at either end is constant
// time; an insertion in the middle moves the values on the shorter side;
// deletions, Reverse and Clear cost what they cost the list itself.
//
// Enter method messages also carry links for the call stack: each one points
// to the nearest older enter method message with a lower indent level (its
// parent), and to a farther ancestor (a skew-binary jump: following jumps and
// parents reaches any ancestor in a number of steps logarithmic in the depth
// when levels come from the indent rules). Links are kept for one direction of
// "older" (lower positions when the list inserts at the end, higher positions
// when it inserts at the top). An enter method message placed at the newest
// end gets its links at once (O(log depth) steps); a reverse together with a
// switch of the insertion end keeps them. Anything else that touches the
// enters (one placed in the middle or at the oldest end, a deleted enter, a
// reverse or a switch of the insertion end alone) leaves them to be made again
// on the next query, in one pass over the enters.
//
// The index reads kinds and indent levels from the list's own records. When
// memory runs out while it is updated, it drops its contents and rebuilds them
// on the next query. Used only by TOrlimoMsgList; the searches are in
// model/Navigator.h and model/CallStack.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class TOrlimoMsgInfo;

class TMsgKindIndex {
public:
  using TItems = std::deque<TOrlimoMsgInfo*>;
  enum class TListed { Navigator, EnterMethod, ExitMethod };

  // NavigatorKind: a navigable kind (0..8).
  TMsgKindIndex(const TItems& Items, std::int32_t NavigatorKind) : FItems(Items), FNavigatorKind(NavigatorKind) {}
  TMsgKindIndex(const TMsgKindIndex&) = delete;
  TMsgKindIndex& operator=(const TMsgKindIndex&) = delete;

  // --- upkeep, called by the list after it changed FItems (never throws) ---
  // An item of Kind was placed at Position; Count is the item count before.
  // InsertAtEnd: the list's insertion end at that moment.
  void Inserted(std::int32_t Position, std::int32_t Kind, std::int32_t CountBefore, bool InsertAtEnd) noexcept;
  void Cleared() noexcept;
  // The list of Count items was reversed.
  void Reversed(std::int32_t Count) noexcept;
  // Items at Deleted (strictly increasing positions of the list before) are
  // gone. OutOfMemory: some deletions could not be recorded.
  void Deleted(const std::vector<std::int32_t>& Deleted, bool OutOfMemory) noexcept;
  // Drops everything; the next query rebuilds from the items.
  void Invalidate() noexcept;
  // Another navigator kind (0..8): its positions are collected on the next query.
  void SetNavigatorKind(std::int32_t Kind) noexcept;
  std::int32_t NavigatorKind() const { return FNavigatorKind; }

  // Collects the positions DeleteIf removes and hands them over at the end.
  class TDeletion {
  public:
    explicit TDeletion(TMsgKindIndex& Index) : FIndex(Index) {}
    ~TDeletion() { FIndex.Deleted(FPositions, FOutOfMemory); }
    TDeletion(const TDeletion&) = delete;
    TDeletion& operator=(const TDeletion&) = delete;
    void Add(std::int32_t Position) noexcept;

  private:
    TMsgKindIndex& FIndex;
    std::vector<std::int32_t> FPositions;
    bool FOutOfMemory = false;
  };

  // --- queries (positions of the list) ------------------------------------
  // Rebuilds what was dropped. Throws std::bad_alloc when memory runs out.
  void EnsureValid() const;
  std::int32_t Count(TListed Which) const;
  // The first listed position at or after Position, or -1.
  std::int32_t FirstAtOrAfter(TListed Which, std::int32_t Position) const;
  // The last listed position at or before Position, or -1.
  std::int32_t LastAtOrBefore(TListed Which, std::int32_t Position) const;
  bool AnyBefore(TListed Which, std::int32_t Position) const;
  bool AnyAfter(TListed Which, std::int32_t Position) const;

  // The positions of the enter method messages that enclose the item at
  // Current, innermost first, by the call-stack walk: from Current toward
  // older items, every enter method message whose level is below the
  // watermark W (first the level of Current) is taken and W falls by one; the
  // walk ends after a level-0 enter or at the oldest item. Older means lower
  // positions when InsertAtEnd, higher ones otherwise. Cost: one binary search,
  // then O(log d) steps to the innermost enclosing enter (d: the level of the
  // nearest enter before Current) and one step per further line.
  // OnEnter(Position) is called for each, innermost first, and returns whether
  // to go on.
  template <class F>
  void CallStack(std::int32_t Current, bool InsertAtEnd, F&& OnEnter) const;
  // The nearest enter method message at or older than Position whose level is
  // exactly Level, or -1. O(log) when levels follow the indent rules.
  std::int32_t OlderEnterAtLevel(std::int32_t Position, std::int32_t Level, bool InsertAtEnd) const;
  // The nearest exit method message strictly newer than Position whose level
  // is exactly Level, or -1. Cost: one step per exit method message between.
  std::int32_t NewerExitAtLevel(std::int32_t Position, std::int32_t Level, bool InsertAtEnd) const;

  // Memory the index holds, in bytes (for benchmarks).
  std::size_t MemoryBytes() const;

private:
  using TList = std::deque<std::int32_t>;
  struct TLink {
    std::int32_t Parent;  // distance in the enter list toward older; 0: none
    std::int32_t Jump;    // distance to an ancestor; 0: none (only roots)
  };
  static constexpr std::int32_t MaxShift = 1 << 30;
  static constexpr std::size_t ListCount = 3;
  static constexpr std::size_t NavList = 0, EnterList = 1, ExitList = 2;

  // The list an item of Kind belongs to, or -1.
  int ListOf(std::int32_t Kind) const {
    if (Kind == 9) return EnterList;
    if (Kind == 10) return ExitList;
    return Kind == FNavigatorKind && FNavigatorValid ? static_cast<int>(NavList) : -1;
  }
  const TList& List(TListed Which) const { return FLists[static_cast<std::size_t>(Which)]; }
  std::int32_t At(const TList& L, std::size_t I) const { return L[I] + FShift; }
  std::int32_t Level(std::size_t EnterIndex) const;
  std::int32_t ItemLevel(std::int32_t Position) const;
  // The index in the enter list of the entry Distance steps toward older.
  std::size_t Older(std::size_t I, std::int32_t Distance) const {
    return FLinksOlderLow ? I - static_cast<std::size_t>(Distance) : I + static_cast<std::size_t>(Distance);
  }
  // The nearest enter at or older than Position as an enter-list index; -1: none.
  std::ptrdiff_t NearestEnter(std::int32_t Position) const;
  // From enter-list index I, the first of I, its parent, its grandparent...
  // whose level is below Threshold; -1 when none.
  std::ptrdiff_t FirstBelow(std::ptrdiff_t I, std::int64_t Threshold) const;
  // Links for the enter at index I, whose older neighbours are linked already.
  TLink MakeLink(std::size_t I) const;
  void EnsureLinks(bool InsertAtEnd) const;
  void Rebase() noexcept;
  void InsertValue(std::size_t List, std::int32_t Position);
  // Collects the lists from the items: all of them, or the navigator kind's.
  void Build(bool NavigatorOnly) const;

  const TItems& FItems;
  std::int32_t FNavigatorKind;
  mutable TList FLists[ListCount];
  mutable std::int32_t FShift = 0;  // position = value + FShift
  mutable bool FValid = true;
  mutable bool FNavigatorValid = true;
  mutable std::deque<TLink> FLinks;  // parallel to the enter list while FLinksValid
  mutable bool FLinksValid = true;
  mutable bool FLinksOlderLow = true;
};

template <class F>
void TMsgKindIndex::CallStack(std::int32_t Current, bool InsertAtEnd, F&& OnEnter) const {
  EnsureLinks(InsertAtEnd);
  const std::ptrdiff_t E = static_cast<std::ptrdiff_t>(FLists[EnterList].size());
  std::int64_t W = ItemLevel(Current);
  std::ptrdiff_t I = NearestEnter(Current);
  while (I >= 0) {
    I = FirstBelow(I, W);
    if (I < 0) break;
    const std::size_t U = static_cast<std::size_t>(I);
    if (!OnEnter(At(FLists[EnterList], U))) break;
    const std::int32_t L = Level(U);
    if (L == 0) break;
    --W;
    if (L == W) {
      // Every enter between this one and its parent is at least as deep.
      I = FLinks[U].Parent == 0 ? -1 : static_cast<std::ptrdiff_t>(Older(U, FLinks[U].Parent));
    } else {
      I = FLinksOlderLow ? I - 1 : (I + 1 < E ? I + 1 : -1);
    }
  }
}
