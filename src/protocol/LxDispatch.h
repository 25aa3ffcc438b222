// The one dispatcher of received messages. The standalone main form and the
// satellite window both hand each WM_COPYDATA to LxDispatchCopyData, which
// decodes the record and calls the list operation its kind selects on every
// panel it serves.
//
// The two windows differ in two points:
//   main form  one panel; when that panel ignores messages nothing at all is
//              done (not even a save-log command) and the reply is 0.
//   satellite  any number of panels in registration order; a panel ignoring
//              messages when its turn comes is skipped; a save-log command goes
//              to the first panel whether it ignores messages or not; with no
//              panel registered no panel lists it and the reply is 1 (the
//              satellite window keeps it for the first panel, LxSatFrm.h).
// A record that does not fit the bytes that arrived (cbData) is not processed
// and the reply is 0.
//
// Exceptions (the scratch-pad conversion error, a panel's failure) leave the
// dispatcher at the point where they happen; the window that called it shows
// them through the application's exception display and replies 0. One such
// box is shown at a time: a box's message loop lets further client messages
// in, and their failures are counted while it is open instead of stacking a
// box each; when it closes, the first of them is shown with "and N more".
//
// While a log file loads (TLxIntakeHold), the window keeps answering clients
// but what they send is held: each record that would be taken is copied and
// answered 1, and the held records are dispatched in arrival order once the
// load is over, so a Clear or a save-log command acts on the whole list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include <windows.h>

#include "model/OrlimoRecord.h"
#include "protocol/LxIntake.h"

struct TMessage;

enum class TLxIntakeMode { MainForm, Satellite };

// The reply values a sender's SendMessage returns.
inline constexpr LRESULT LxReplyTaken = 1;
inline constexpr LRESULT LxReplyNotTaken = 0;

// Handles one received record: Kind is the message's kind (dwData), Data and
// Size the record and the number of bytes that arrived (lpData, cbData).
// Panels: the panels served, in order (null entries are skipped). The turns
// are the panels served when the message came; at each turn the list is read
// again, so a panel that left while the message was handled (destroyed by an
// earlier panel's handling, or while a modal dialog let other messages in) is
// not called, and the panels after it keep their turns.
LRESULT LxDispatchRecord(std::int32_t Kind, const void* Data, std::size_t Size,
                         const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode);

// The same for a WM_COPYDATA's COPYDATASTRUCT (lParam). A null structure is
// not processed (reply 0).
LRESULT LxDispatchCopyData(const COPYDATASTRUCT* Data, const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode);

// The WM_COPYDATA handler of an intake window: dispatches the message and
// sets its result to the reply. An exception ends the handling where it
// happened; it is shown by the application's exception display and the reply
// is 0.
void LxHandleCopyData(TMessage& Message, const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode);

// Holds the records that intake windows receive while it lives (a log file
// loading). Holds nest; when the last one ends, the held records go through
// the dispatcher in arrival order (records arriving meanwhile join the end of
// the queue), their failures shown as any other's. Never throws.
class TLxIntakeHold {
public:
  TLxIntakeHold() noexcept;
  ~TLxIntakeHold();
  TLxIntakeHold(const TLxIntakeHold&) = delete;
  TLxIntakeHold& operator=(const TLxIntakeHold&) = delete;
};

// Whether records are held now, and how many wait.
bool LxIntakeHeld() noexcept;
std::size_t LxHeldRecordCount() noexcept;
// Drops the held records of an intake window that goes away (its panel list).
void LxForgetHeldRecords(const std::vector<TLxIntakePanel*>& Panels) noexcept;

// A scratch-pad command's text split at its first "@": the line number before
// it (EConvertError when that is not a decimal integer; a text without "@"
// has an empty number part) and the line text after it.
struct TLxScratchPadLine {
  std::int32_t Line = 0;
  std::string_view Text;
};
TLxScratchPadLine LxSplitScratchPadText(std::string_view Text);
