#include "model/MsgList.h"

#include "model/ScopeExit.h"

#include <algorithm>
#include <limits>
#include <new>
#include <unordered_set>

std::string CheckPointText(std::string_view Format, std::int32_t N) {
  std::string Text(Format);
  const std::size_t At = Text.find("%d");
  if (At != std::string::npos) Text.replace(At, 2, std::to_string(N));
  return Text;
}

TOrlimoMsgList::TOrlimoMsgList(TOrlimoClock& Clock, std::string LocalAppName)
    : FClock(Clock), FLocalAppName(std::move(LocalAppName)) {
  FTimeBase.Reset(FClock);
}

TOrlimoMsgList::~TOrlimoMsgList() { ReleaseAll(FItems); }

void TOrlimoMsgList::ReleaseAll(std::deque<TOrlimoMsgInfo*>& Items) {
  for (TOrlimoMsgInfo* P : Items) TOrlimoMsgInfoRef::Adopt(P);
  Items.clear();
}

void TOrlimoMsgList::SetIgnoreMessages(bool V) {
  if (V == FIgnoreMessages) return;
  FIgnoreMessages = V;
  if (FObserver) FObserver->IgnoreMessagesChanged(V);
}

bool TOrlimoMsgList::SetNavigatorMessage(std::int32_t Kind) {
  if (!IsNavigableKind(Kind)) return false;
  FNavigatorMessage = Kind;
  FIndex.SetNavigatorKind(Kind);
  return true;
}

void TOrlimoMsgList::SetCapacity(std::int32_t Capacity) { FCapacity = Capacity < 1 ? 1 : Capacity; }

void TOrlimoMsgList::SetItemText(std::int32_t Position, std::string_view Text) {
  TOrlimoMsgInfo*& Slot = FItems[Index(Position)];
  TOrlimoMsgInfoRef Copy = TOrlimoMsgInfo::CopyWithText(*Slot, Text);
  TOrlimoMsgInfoRef Old = TOrlimoMsgInfoRef::Adopt(Slot);
  Slot = Copy.Detach();
}

std::int32_t TOrlimoMsgList::NewestPosition() const {
  if (FItems.empty()) return -1;
  return FInsertAtEnd ? Count() - 1 : 0;
}

// ---------------------------------------------------------------------------
bool TOrlimoMsgList::TryPlace(std::size_t Position, TOrlimoMsgInfo* Record) {
  if (Count() >= FCapacity) return false;
  const std::int32_t CountBefore = Count();
  try {
    if (Position >= FItems.size())
      FItems.push_back(Record);
    else if (Position == 0)
      FItems.push_front(Record);
    else
      FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(Position), Record);
  } catch (const std::bad_alloc&) {
    return false;  // out of room, like a full list
  }
  const std::int32_t P = std::min(static_cast<std::int32_t>(Position), CountBefore);
  FIndex.Inserted(P, Record->MsgType(), CountBefore, FInsertAtEnd);
  return true;
}

std::int32_t TOrlimoMsgList::Place(std::int32_t Position, TOrlimoMsgInfoRef Record, bool NavigatorKind) {
  if (Position < 0) Position = 0;
  if (Position > Count()) Position = Count();
  if (!TryPlace(Index(Position), Record.get())) {
    if (FLoading) {
      FLoadFull = true;
      return -1;
    }
    const TListFullAnswer Answer = FObserver ? FObserver->ListFull() : TListFullAnswer::Ignore;
    if (Answer == TListFullAnswer::Ignore) {
      SetIgnoreMessages(true);
      return -1;  // the record is released with Record
    }
    if (!Empty()) Clear();  // unless the observer's own Clear ran
    Position = 0;
    if (!TryPlace(0, Record.get())) return -1;
  }
  // The time base moves back to an earlier tick count when the item arrives,
  // not when its time is first shown: every item's time text then stays the
  // same whatever order the items are painted, printed or exported in.
  FTimeBase.TimeOfTick(Record->TickCount());
  Record.Detach();  // the list's handle holds the reference now
  if (FObserver && !FLoading) {
    if (NavigatorKind) FObserver->NavigatorKindInserted(Position);
    FObserver->AfterInsert(Position);
  }
  return Position;
}

std::int32_t TOrlimoMsgList::InsertRecord(std::int32_t Position, TOrlimoMsgInfoRef Record) {
  if (!Record) return -1;
  if (FObserver && !FLoading) FObserver->BeforeInsert(Record->MsgType(), Record->AppName());
  return Place(Position, std::move(Record), false);
}

std::int32_t TOrlimoMsgList::InsertMessage(std::int32_t Position, std::int32_t Kind, std::string_view Text,
                                           std::string_view AppName, std::string_view TypeName, std::int32_t TickCount,
                                           std::optional<std::string_view> Details) {
  TOrlimoMsgInfo::TInit Init;
  Init.MsgType = Kind;
  Init.Text = Text;
  Init.AppName = AppName;
  Init.TypeName = TypeName;
  Init.TickCount = TickCount;
  Init.Details = Details;
  // A load's texts come from DecodeRecord, the rest from this list.
  Init.NulFree = FLoading;
  bool NavigatorKind = false;
  if (Kind == lxmEnterMethod) {
    Init.IndentLevel = FCurrentIndent;
    if (FCurrentIndent < std::numeric_limits<std::int32_t>::max()) ++FCurrentIndent;
  } else if (Kind == lxmExitMethod) {
    if (--FCurrentIndent < 0) FCurrentIndent = 0;
    Init.IndentLevel = FCurrentIndent;
  } else {
    Init.IndentLevel = FCurrentIndent;
    NavigatorKind = Kind == FNavigatorMessage;
  }
  TOrlimoMsgInfoRef Record = TOrlimoMsgInfo::Create(Init);
  if (FObserver && !FLoading) FObserver->BeforeInsert(Kind, Record->AppName());
  return Place(Position, std::move(Record), NavigatorKind);
}

std::int32_t TOrlimoMsgList::AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName,
                                        std::string_view TypeName, std::int32_t TickCount,
                                        std::optional<std::string_view> Details) {
  std::int32_t P = InsertionEnd();
  if ((FInsertSeparatorOnWakeUp || FBeepOnWakeUp) && !FItems.empty() && IsIconKind(Kind)) {
    const TOrlimoMsgInfo& Newest = *FItems[Index(NewestPosition())];
    if (WrapSub(TickCount, Newest.TickCount()) > WrapMul(FIdleTime, 1000)) {
      if (FInsertSeparatorOnWakeUp) {
        InsertMessage(P, lxmWakeUpSeparator, {}, AppName, TypeName, TickCount, std::nullopt);
        // The insertion end again: one further down at the end, still 0 at the
        // top (and right also when a full list was cleared meanwhile).
        P = InsertionEnd();
      }
      if (FBeepOnWakeUp && FObserver) FObserver->WakeUpBeep();
    }
  }
  return InsertMessage(P, Kind, Text, AppName, TypeName, TickCount, Details);
}

std::int32_t TOrlimoMsgList::AddCheckPoint(std::string_view AppName, std::int32_t TickCount) {
  FCheckPointCount = WrapAdd(FCheckPointCount, 1);
  const std::string Text = CheckPointText(FCheckPointFormat, FCheckPointCount);
  return AddMessage(lxmCheckPoint, Text, OrLocalAppName(AppName), {}, TickCount, std::nullopt);
}

std::int32_t TOrlimoMsgList::AddSeparator(std::string_view AppName, std::int32_t TickCount) {
  return AddMessage(lxmSeparator, {}, OrLocalAppName(AppName), {}, TickCount, std::nullopt);
}

std::int32_t TOrlimoMsgList::InsertSeparator(std::int32_t Position, std::string_view AppName, std::int32_t TickCount) {
  if (Position < 0 || Position >= Count()) Position = InsertionEnd();
  return InsertMessage(Position, lxmSeparator, {}, OrLocalAppName(AppName), {}, TickCount, std::nullopt);
}

std::int32_t TOrlimoMsgList::AddNote() {
  const std::int32_t P = AddMessage(lxmNote, NewNoteText, FLocalAppName, {}, FClock.TickCount(), std::nullopt);
  if (P >= 0) FEditIndex = P;
  return P;
}

std::int32_t TOrlimoMsgList::InsertNote(std::int32_t Position) {
  if (Position < 0 || Position >= Count()) return AddNote();
  FEditIndex = Position;
  auto Restore = ScopeExit([this, Saved = FCurrentIndent] { FCurrentIndent = Saved; });
  FCurrentIndent = FItems[Index(Position)]->IndentLevel();
  const std::int32_t P =
      InsertMessage(Position, lxmNote, NewNoteText, FLocalAppName, {}, FClock.TickCount(), std::nullopt);
  if (P >= 0) FEditIndex = P;
  return P;
}

void TOrlimoMsgList::ProcessMessage(const TOrlimoRecord& R) {
  switch (R.Kind) {
    case lxmCheckPoint: AddCheckPoint(R.AppName, R.TickCount); break;
    case lxmSeparator: AddSeparator(R.AppName, R.TickCount); break;
    default: AddMessage(R.Kind, R.Text, R.AppName, R.TypeName, R.TickCount, R.Details); break;
  }
}

TRecordStatus TOrlimoMsgList::ProcessMessage(const void* Data, std::size_t Size) {
  TOrlimoRecord R;
  const TRecordStatus S = DecodeRecord(Data, Size, R);
  if (S == TRecordStatus::Ok) ProcessMessage(R);
  return S;
}

std::size_t TOrlimoMsgList::LoadRecords(const TOrlimoRecord* Records, std::size_t N) {
  const std::int32_t CountBefore = Count();
  const auto Loaded = [&] {
    FLoading = false;
    const std::int32_t Added = Count() - CountBefore;
    if (Added > 0 && FObserver) FObserver->ItemsLoaded(FInsertAtEnd ? CountBefore : 0, Added);
  };
  FLoading = true;
  FLoadFull = false;
  std::size_t Taken = 0;
  try {
    for (; Taken < N && Count() < FCapacity; ++Taken) {
      ProcessMessage(Records[Taken]);
      if (FLoadFull) break;
    }
  } catch (...) {
    Loaded();
    throw;
  }
  Loaded();
  return Taken;
}

void TOrlimoMsgList::Clear() {
  std::deque<TOrlimoMsgInfo*> Old;
  Old.swap(FItems);
  FIndex.Cleared();
  ReleaseAll(Old);
  FTimeBase.Reset(FClock);
  FCheckPointCount = 0;
  FCurrentIndent = 0;
  if (FObserver) FObserver->Cleared();
}

void TOrlimoMsgList::Reverse() {
  std::reverse(FItems.begin(), FItems.end());
  FIndex.Reversed(Count());
}

void TOrlimoMsgList::DeleteItems(std::vector<std::int32_t> Positions) {
  std::sort(Positions.begin(), Positions.end());
  auto Next = std::lower_bound(Positions.begin(), Positions.end(), 0);
  const auto End = Positions.end();
  DeleteIf([&](std::int32_t P) {
    while (Next != End && *Next < P) ++Next;
    return Next != End && *Next == P;
  });
}

std::int32_t TOrlimoMsgList::AppendSharedItemsFrom(const TOrlimoMsgList& Other) {
  const std::size_t N = Other.FItems.size();  // fixed first: Other may be this list
  std::int32_t Added = 0;
  for (std::size_t I = 0; I < N && Count() < FCapacity; ++I) {
    TOrlimoMsgInfo* P = Other.FItems[I];
    FItems.push_back(P);
    P->AddRef();
    FTimeBase.TimeOfTick(P->TickCount());
    FIndex.Inserted(Count() - 1, P->MsgType(), Count() - 1, FInsertAtEnd);
    ++Added;
  }
  return Added;
}

std::vector<std::string_view> TOrlimoMsgList::DistinctAppNames() const {
  std::unordered_set<const std::string*> Seen;
  std::vector<std::string_view> Names;
  for (const TOrlimoMsgInfo* P : FItems) {
    const std::string& A = P->AppName();
    if (Seen.insert(&A).second) Names.emplace_back(A);
  }
  return Names;
}
