// The searches of the navigator and of find, as pure functions over the
// message list: each says which position the panel should land on (or that
// nothing matches) and which navigator buttons are enabled; the panel does the
// selecting, scrolling and notifying.
//
// Direction follows the order of arrival: "first" is the oldest item of the
// navigator kind, "last" the newest, "previous" the nearest older one, "next"
// the nearest newer one. Older means lower positions when the list inserts at
// the end, higher positions when it inserts at the top. There is no
// wrap-around.
//
// Current is the list's current position; -1 (or any value outside the list)
// means there is no current item.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/FindText.h"
#include "model/MsgList.h"

// The navigation commands, numbered as the navigator buttons' tags. A button
// state array is indexed by them.
inline constexpr std::int32_t NavFirst = 0;
inline constexpr std::int32_t NavPrevious = 1;
inline constexpr std::int32_t NavNext = 2;
inline constexpr std::int32_t NavLast = 3;
using TNavButtonStates = std::array<bool, 4>;

// The position JumpToMessage lands on for Command (0..3) with the list's
// navigator kind, or -1 when nothing matches (also for an empty list or a
// command outside 0..3). On -1 the panel leaves no item selected and the
// current position unchanged. The searches, on the item's kind:
//   "down from p": p, p + 1, ... to the last position; "up from p": p, p - 1, ... to 0.
//   command      inserting at the end      inserting at the top
//   0 first      down from 0               up from the last position
//   1 previous   up from start U           down from start D
//   2 next       down from start D         up from start U
//   3 last       up from the last position down from 0
// Start D is Current + 1 (0 without a current item; past the end nothing
// matches). Start U is Current - 1 (0 when Current is 0, so that item is tested
// again; the last position without a current item).
// Cost: a binary search in the kind's position list.
std::int32_t NavigatorTarget(const TOrlimoMsgList& List, std::int32_t Command, std::int32_t Current);

// UpdateNavButtons: all four off for an empty list; none (leave the buttons as
// they are) when there is no current item; otherwise first and previous follow
// whether an item of the navigator kind lies on the older side of Current,
// next and last whether one lies on the newer side. Constant time.
std::optional<TNavButtonStates> NavButtonStates(const TOrlimoMsgList& List, std::int32_t Current);

// The states after an item of the navigator kind was inserted: next and last
// switched on when the list inserts at the end, first and previous when it
// inserts at the top; the other two as they were.
TNavButtonStates NavButtonsAfterInsertion(TNavButtonStates States, bool InsertAtEnd);

// The find settings: the direction and where a new search starts.
struct TFindOptions {
  bool Forward = true;
  bool FromCursor = false;  // a new search starts at the current item, else at the end of the scope
};

// The position FindNext lands on, or -1 when nothing matches (the panel then
// changes nothing). The start: without FirstSearch, Current + 1 forward and
// Current - 1 backward; with it, Current when searching from the cursor, else
// 0 forward and the last position backward (no current item counts as -1);
// then clamped into the list. Items are tested from there toward the end
// (Forward) or toward 0 until one's text matches Text. The empty find text
// matches nothing. Cost: one pass over the texts of the items tested.
std::int32_t FindNextPosition(const TOrlimoMsgList& List, const TFindText& Text, const TFindOptions& Options,
                              bool FirstSearch, std::int32_t Current);
