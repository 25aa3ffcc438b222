// The selection state of the message list control: which items are selected,
// the caret (the focused item, which is also the list's current item), the
// anchor of range selections and the top visible row. It follows the items
// through insertions, deletions and reversal the way a list box does, and
// knows the extended-selection rules of clicks and navigation keys.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

class TBkListSelection {
public:
  std::int32_t Count() const { return static_cast<std::int32_t>(FSel.size()); }
  std::int32_t SelCount() const { return FSelCount; }
  bool Selected(std::int32_t Index) const { return InRange(Index) && FSel[static_cast<std::size_t>(Index)] != 0; }
  // The caret: -1 only when the list is empty.
  std::int32_t Caret() const { return FSel.empty() ? -1 : FCaret; }
  std::int32_t Anchor() const { return FSel.empty() ? -1 : FAnchor; }
  std::int32_t TopIndex() const { return FTop; }

  // Item changes.
  void Inserted(std::int32_t Position);  // an item at Position, later ones move down
  void Cleared();
  void Reversed();
  // Removes the items IsDeleted selects (one pass); caret and top follow.
  void Deleted(const std::function<bool(std::int32_t)>& IsDeleted);
  // Makes the count N keeping what fits (items appended or cut at the end).
  void Resize(std::int32_t N);

  // Selection changes; each returns true when the selection changed.
  bool Select(std::int32_t Index, bool On);
  bool SelectRange(std::int32_t From, std::int32_t To, bool On);  // inclusive, any order
  bool DeselectAll();
  void SetCaret(std::int32_t Index);  // clamped; anchor unchanged
  void SetAnchor(std::int32_t Index) { FAnchor = Clamp(Index); }
  // The top row, clamped so that the last page is full when it can be.
  void SetTopIndex(std::int32_t Index, std::int32_t PageRows);
  // Scrolls the least so that Index is visible in a page of PageRows rows.
  void MakeVisible(std::int32_t Index, std::int32_t PageRows);

  // Extended selection: a click with the modifiers held.
  bool Click(std::int32_t Index, bool Shift, bool Ctrl);
  // Moves the caret to Index as a navigation key does: alone it selects only
  // that item and sets the anchor, with Shift it selects anchor..Index, with
  // Ctrl it only moves the caret.
  bool MoveCaret(std::int32_t Index, bool Shift, bool Ctrl);

private:
  bool InRange(std::int32_t I) const { return I >= 0 && I < Count(); }
  std::int32_t Clamp(std::int32_t I) const;

  std::deque<std::uint8_t> FSel;
  std::int32_t FSelCount = 0;
  std::int32_t FCaret = 0;
  std::int32_t FAnchor = 0;
  std::int32_t FTop = 0;
};
