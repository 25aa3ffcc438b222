// The call stack of a message and method matching, derived from the indent
// levels of the list's items alone (enter method messages take the current
// level and raise it, exit method messages lower it and take the lowered one).
// Pure functions over the message list: each gives positions; the panel fills
// its call-stack list, selects and jumps.
//
// Older means lower positions when the list inserts at the end, higher ones
// when it inserts at the top. Current is the list's current position; -1 (or
// any value outside the list) means there is no current item.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/MsgList.h"

// One line of the call stack: the enter method message's text (a view of the
// item's own text, valid while the item is listed) and its position.
struct TCallStackLine {
  std::string_view Text;
  std::int32_t Position = -1;
};

// TraverseCallStack: with no current item, or fewer than two items, returns
// false and leaves Lines as they are. Otherwise Lines gets the enter method
// messages that enclose the current item, innermost first: walking from the
// current item toward older ones, each enter method message whose level is
// below the watermark W (at first the current item's level, so the current
// item itself is never listed) is taken and W falls by exactly one; the walk
// ends after a level-0 enter or at the oldest item.
// Cost: a binary search for the nearest enter method message, O(log d) steps
// from it to the innermost enclosing one (d: that enter's level), then one
// step per line; it does not depend on how far the enters lie from the item.
bool TraverseCallStack(const TOrlimoMsgList& List, std::int32_t Current, std::vector<TCallStackLine>& Lines);

// FindCurrentMethod: the innermost enclosing enter method message (the first
// line of the call stack), or -1 when there is none.
std::int32_t FindCurrentMethod(const TOrlimoMsgList& List, std::int32_t Current);

// FindMatchingMethod: from an enter method message (level L), the first exit
// method message of level L toward newer items; from any other item, the
// first enter method message of its level toward older items. -1 when there
// is none (the method still runs, the log is cut), for an empty list and
// without a current item; the panel then leaves no item selected.
// Cost: from an exit, O(log) in a list whose levels all came from the indent
// rules; from an enter, one step per exit method message up to the match.
std::int32_t FindMatchingMethod(const TOrlimoMsgList& List, std::int32_t Current);
