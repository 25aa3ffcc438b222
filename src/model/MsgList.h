// The message list model of one viewer panel.
//
// Items sit at positions 0..Count()-1; each item is one handle to a shared,
// reference-counted TOrlimoMsgInfo whose inline text is the item's display
// text. Insertion at either end is constant time (std::deque). The model knows
// nothing of windows: the panel (and through it the list control) hears about
// every change it did not ask for through a TMsgListObserver, and keeps the
// selection, the caret and the top row itself.
//
// The operations follow the panel's operations of the same names: AddMessage
// (insertion end, wake-up rule), InsertMessage (indent rules), AddCheckPoint,
// AddSeparator, InsertSeparator, the model side of AddNote/InsertNote,
// ProcessMessage, Clear and ResetIndentLevel.
//
// Beside the items the list keeps their positions by kind (TMsgKindIndex, for
// the searches of model/Navigator.h and model/CallStack.h), updated by every
// operation here.
//
// Capacity: the list refuses an item beyond GetCapacity() (and when memory runs
// out); that runs the list-full procedure: the observer's ListFull() decides
// between Ignore (IgnoreMessages is switched on and the message dropped) and
// Clear (the list is cleared and the message inserted at position 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MsgIndex.h"
#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"
#include "model/TimeText.h"

enum class TListFullAnswer { Ignore, Clear };

// What the model tells the panel. Every method has a do-nothing default.
class TMsgListObserver {
public:
  virtual ~TMsgListObserver() = default;
  // A wake-up with BeepOnWakeUp on: sound the default beep (MessageBeep(0)).
  virtual void WakeUpBeep() {}
  // Before each insertion attempt: the column widths may have to grow for this
  // kind's style and this application name.
  virtual void BeforeInsert(std::int32_t /*Kind*/, std::string_view /*AppName*/) {}
  // An item of the navigator kind was inserted at Position (enable the
  // navigator buttons towards it). Comes before AfterInsert.
  virtual void NavigatorKindInserted(std::int32_t /*Position*/) {}
  // An item was inserted at Position; items from Position on moved down by one.
  virtual void AfterInsert(std::int32_t /*Position*/) {}
  // The list cannot take another item: ask the user. With the answer Clear the
  // observer may run its own Clear of the list first (the list then clears
  // only what it still holds).
  virtual TListFullAnswer ListFull() { return TListFullAnswer::Ignore; }
  // The list was emptied by Clear (called by the panel or by the list-full
  // procedure): the panel's own Clear side effects go here.
  virtual void Cleared() {}
  // IgnoreMessages changed (SetIgnoreMessages or the list-full Ignore answer).
  virtual void IgnoreMessagesChanged(bool /*Ignore*/) {}
  // LoadRecords placed Count items at the insertion end with none of the
  // calls above: positions First..First+Count-1 at the end, 0..Count-1 (the
  // newest first) at the top.
  virtual void ItemsLoaded(std::int32_t /*First*/, std::int32_t /*Count*/) {}
};

class TOrlimoMsgList {
public:
  static constexpr std::int32_t DefaultCapacity = 10'000'000;
  static constexpr std::int32_t DefaultIdleTime = 10;  // seconds
  static constexpr std::int32_t DefaultNavigatorMessage = lxmCheckPoint;
  static constexpr const char* NewNoteText = "New Note";

  // Clock must outlive the list. The time base is anchored to it now.
  explicit TOrlimoMsgList(TOrlimoClock& Clock, std::string LocalAppName = {});
  ~TOrlimoMsgList();
  TOrlimoMsgList(const TOrlimoMsgList&) = delete;
  TOrlimoMsgList& operator=(const TOrlimoMsgList&) = delete;

  void SetObserver(TMsgListObserver* Observer) { FObserver = Observer; }
  TMsgListObserver* GetObserver() const { return FObserver; }
  TOrlimoClock& Clock() const { return FClock; }

  // --- settings ------------------------------------------------------------
  // Changing InsertAtEnd does not reorder the list: call Reverse() as well.
  bool GetInsertAtEnd() const { return FInsertAtEnd; }
  void SetInsertAtEnd(bool V) { FInsertAtEnd = V; }
  std::int32_t GetIdleTime() const { return FIdleTime; }
  void SetIdleTime(std::int32_t Seconds) { FIdleTime = Seconds; }
  bool GetBeepOnWakeUp() const { return FBeepOnWakeUp; }
  void SetBeepOnWakeUp(bool V) { FBeepOnWakeUp = V; }
  bool GetInsertSeparatorOnWakeUp() const { return FInsertSeparatorOnWakeUp; }
  void SetInsertSeparatorOnWakeUp(bool V) { FInsertSeparatorOnWakeUp = V; }
  std::int32_t GetNavigatorMessage() const { return FNavigatorMessage; }
  // Only the navigable kinds 0..8 are taken (a kind outside them has no
  // glyph, no menu item and nothing to step through): returns false and keeps
  // the present kind for any other.
  bool SetNavigatorMessage(std::int32_t Kind);
  bool GetIgnoreMessages() const { return FIgnoreMessages; }
  // Stores the flag and, when it changed, tells the observer.
  void SetIgnoreMessages(bool V);
  // The text of a check point: "%d" stands for its number. The panel gives
  // it from its string table; empty until then.
  const std::string& GetCheckPointFormat() const { return FCheckPointFormat; }
  void SetCheckPointFormat(std::string Format) { FCheckPointFormat = std::move(Format); }
  const std::string& GetLocalAppName() const { return FLocalAppName; }
  void SetLocalAppName(std::string Name) { FLocalAppName = std::move(Name); }
  // Most items the list takes (at least 1).
  std::int32_t GetCapacity() const { return FCapacity; }
  void SetCapacity(std::int32_t Capacity);

  // --- state ---------------------------------------------------------------
  std::int32_t CurrentIndent() const { return FCurrentIndent; }
  std::int32_t CheckPointCount() const { return FCheckPointCount; }
  std::int32_t EditIndex() const { return FEditIndex; }
  TTimeBase& TimeBase() { return FTimeBase; }
  const TTimeBase& TimeBase() const { return FTimeBase; }
  std::string TickCountToTime(std::int32_t TickCount) { return FTimeBase.TickCountToTime(TickCount); }

  // --- items ---------------------------------------------------------------
  std::int32_t Count() const { return static_cast<std::int32_t>(FItems.size()); }
  bool Empty() const { return FItems.empty(); }
  // Position must be in 0..Count()-1.
  std::string_view GetItemText(std::int32_t Position) const { return FItems[Index(Position)]->Text(); }
  const TOrlimoMsgInfo& GetItemMsgInfo(std::int32_t Position) const { return *FItems[Index(Position)]; }
  TOrlimoMsgInfoRef GetItemMsgInfoRef(std::int32_t Position) const {
    return TOrlimoMsgInfoRef(FItems[Index(Position)]);
  }
  // Replaces the item's display text (an edited note). The item gets a copy
  // of its record with the new text, so other lists sharing the record keep
  // theirs; GetItemMsgInfo(Position) is then a different object.
  void SetItemText(std::int32_t Position, std::string_view Text);

  // The position of the newest item (the insertion end), -1 when empty.
  std::int32_t NewestPosition() const;

  // The items' positions by kind (for the searches of model/Navigator.h and
  // model/CallStack.h). Throws std::bad_alloc when a dropped index cannot be
  // rebuilt.
  const TMsgKindIndex& KindIndex() const {
    FIndex.EnsureValid();
    return FIndex;
  }
  // The first position from From (inclusive) toward the end (Forward) or
  // toward 0 whose record Accept takes, or -1. From outside the list: -1.
  template <class Pred>
  std::int32_t FindItem(std::int32_t From, bool Forward, Pred&& Accept) const;

  // --- operations ----------------------------------------------------------
  // Inserts at the insertion end after the wake-up test. Returns the
  // message's position, or -1 when the list-full answer dropped it.
  std::int32_t AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName, std::string_view TypeName,
                          std::int32_t TickCount, std::optional<std::string_view> Details);
  // Makes the record (indent rules) and inserts it at Position (clamped to
  // 0..Count()). Returns the position, or -1 when the message was dropped.
  std::int32_t InsertMessage(std::int32_t Position, std::int32_t Kind, std::string_view Text, std::string_view AppName,
                             std::string_view TypeName, std::int32_t TickCount,
                             std::optional<std::string_view> Details);
  // Inserts an existing record (shared) at Position without any rule.
  // Returns the position, or -1 when the list-full answer dropped it.
  std::int32_t InsertRecord(std::int32_t Position, TOrlimoMsgInfoRef Record);

  // The check point text with the next number; an empty AppName means LocalAppName.
  std::int32_t AddCheckPoint(std::string_view AppName, std::int32_t TickCount);
  std::int32_t AddSeparator(std::string_view AppName, std::int32_t TickCount);
  // A separator at Position (the current item) without the wake-up test.
  // A Position outside 0..Count()-1 (no current item) means the insertion end.
  std::int32_t InsertSeparator(std::int32_t Position, std::string_view AppName, std::int32_t TickCount);
  // The model side of AddNote: a "New Note" at the insertion end (the wake-up
  // test applies) with the clock's tick count. EditIndex becomes its position,
  // which is returned (-1 when dropped); the panel then selects it and opens
  // the editor.
  std::int32_t AddNote();
  // The model side of InsertNote: a "New Note" at Position (the current item)
  // with that item's indent level; CurrentIndent is left as it was. An empty
  // list, or a Position outside 0..Count()-1, runs AddNote instead. Returns
  // EditIndex (-1 when dropped).
  std::int32_t InsertNote(std::int32_t Position);
  // One log or wire record, kind from its Kind field: 3 -> AddCheckPoint,
  // 11 -> AddSeparator, anything else -> AddMessage with details.
  void ProcessMessage(const TOrlimoRecord& Record);
  // Decodes and processes the bytes; nothing happens unless the record fits.
  TRecordStatus ProcessMessage(const void* Data, std::size_t Size);
  // The records of a log file, in order, as ProcessMessage takes them one by
  // one, but with one observer call for them all (ItemsLoaded) and, when the
  // list is full, no list-full procedure: the load stops before the first
  // record that does not fit (a wake-up separator placed for it stays).
  // Returns the number of records taken.
  std::size_t LoadRecords(const TOrlimoRecord* Records, std::size_t Count);

  // Empties the list (records released when no other list holds them),
  // anchors the time base to now, zeroes CheckPointCount and CurrentIndent,
  // then tells the observer (Cleared).
  void Clear();
  // CurrentIndent becomes 0; listed items keep their levels.
  void ResetIndentLevel() { FCurrentIndent = 0; }

  // Reverses the order of all items (after InsertAtEnd changed).
  void Reverse();
  // Deletes the items at the given positions (any order, duplicates and
  // positions outside the list ignored) in one pass.
  void DeleteItems(std::vector<std::int32_t> Positions);
  // Deletes every item whose position the predicate selects, in one pass
  // (positions in increasing order, each once). No observer calls.
  template <class Pred>
  void DeleteIf(Pred&& IsSelected);
  // Appends the other list's items after this list's own, sharing their
  // records; counters are not copied. Stops at the capacity. Returns the number
  // of items appended. No observer calls: the caller refreshes its view.
  std::int32_t AppendSharedItemsFrom(const TOrlimoMsgList& Other);

  // The distinct application names of the listed items (for re-measuring the
  // application-name column).
  std::vector<std::string_view> DistinctAppNames() const;

private:
  std::size_t Index(std::int32_t Position) const { return static_cast<std::size_t>(Position); }
  std::int32_t InsertionEnd() const { return FInsertAtEnd ? Count() : 0; }
  std::string_view OrLocalAppName(std::string_view AppName) const {
    return AppName.empty() ? std::string_view(FLocalAppName) : AppName;
  }
  // Takes over Record; runs the list-full procedure when the list refuses it;
  // tells the observer about the insertion.
  std::int32_t Place(std::int32_t Position, TOrlimoMsgInfoRef Record, bool NavigatorKind);
  bool TryPlace(std::size_t Position, TOrlimoMsgInfo* Record);
  void ReleaseAll(std::deque<TOrlimoMsgInfo*>& Items);

  TOrlimoClock& FClock;
  TMsgListObserver* FObserver = nullptr;
  std::deque<TOrlimoMsgInfo*> FItems;  // each handle holds one reference
  TMsgKindIndex FIndex{FItems, DefaultNavigatorMessage};

  bool FInsertAtEnd = true;
  std::int32_t FIdleTime = DefaultIdleTime;
  bool FBeepOnWakeUp = false;
  bool FInsertSeparatorOnWakeUp = false;
  std::int32_t FNavigatorMessage = DefaultNavigatorMessage;
  bool FIgnoreMessages = false;
  std::string FLocalAppName;
  std::string FCheckPointFormat;
  std::int32_t FCapacity = DefaultCapacity;

  bool FLoading = false;   // in LoadRecords: no observer calls, no list-full procedure
  bool FLoadFull = false;  // in LoadRecords: an item did not fit
  std::int32_t FCurrentIndent = 0;
  std::int32_t FCheckPointCount = 0;
  std::int32_t FEditIndex = 0;
  TTimeBase FTimeBase;
};

template <class Pred>
void TOrlimoMsgList::DeleteIf(Pred&& IsSelected) {
  TMsgKindIndex::TDeletion Deleted(FIndex);  // hands the positions over when it goes
  std::size_t Out = 0;
  std::size_t I = 0;
  const std::size_t N = FItems.size();
  try {
    for (; I < N; ++I) {
      TOrlimoMsgInfo* P = FItems[I];
      if (IsSelected(static_cast<std::int32_t>(I))) {
        Deleted.Add(static_cast<std::int32_t>(I));
        TOrlimoMsgInfoRef::Adopt(P);  // the item's reference is released here
      } else {
        FItems[Out++] = P;
      }
    }
  } catch (...) {
    // Keep the items not yet looked at.
    for (; I < N; ++I) FItems[Out++] = FItems[I];
    FItems.resize(Out);
    throw;
  }
  FItems.resize(Out);
}

template <class Pred>
std::int32_t TOrlimoMsgList::FindItem(std::int32_t From, bool Forward, Pred&& Accept) const {
  if (From < 0 || From >= Count()) return -1;
  const auto Start = FItems.begin() + From;
  if (Forward) {
    for (auto It = Start; It != FItems.end(); ++It)
      if (Accept(static_cast<const TOrlimoMsgInfo&>(**It))) return static_cast<std::int32_t>(It - FItems.begin());
  } else {
    for (auto It = Start + 1; It != FItems.begin();) {
      --It;
      if (Accept(static_cast<const TOrlimoMsgInfo&>(**It))) return static_cast<std::int32_t>(It - FItems.begin());
    }
  }
  return -1;
}

// A check point's text: Format with its first "%d" replaced by N.
std::string CheckPointText(std::string_view Format, std::int32_t N);
