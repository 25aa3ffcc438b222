#include "protocol/LxDispatch.h"

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <string>

#include "model/OrlimoExcept.h"
#include "model/OrlimoMsg.h"
#include "model/ScopeExit.h"
#include "platform/Forms.h"
#include "protocol/LxConvert.h"

TLxScratchPadLine LxSplitScratchPadText(std::string_view Text) {
  const std::size_t At = Text.find('@');
  TLxScratchPadLine Result;
  if (At == std::string_view::npos) {
    Result.Line = StrToInt(std::string_view());
    return Result;
  }
  Result.Line = StrToInt(Text.substr(0, At));
  Result.Text = Text.substr(At + 1);
  return Result;
}

namespace {

bool Receives(const TLxIntakePanel* Panel) { return Panel && !Panel->GetIgnoreMessages(); }

// Calls Op on every receiving panel, in list order. The main form serves only
// its first entry. The turns are the panels served when the message came; a
// panel that has left the list by its turn (destroyed while an earlier panel
// handled the message) is skipped, and the others keep their turns.
template <class F>
void ForEachReceiver(const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode, F&& Op) {
  const std::size_t Limit = Mode == TLxIntakeMode::MainForm ? 1 : Panels.size();
  const std::vector<TLxIntakePanel*> Turns(Panels.begin(), Panels.begin() + std::min(Limit, Panels.size()));
  for (TLxIntakePanel* P : Turns) {
    if (std::find(Panels.begin(), Panels.end(), P) == Panels.end()) continue;
    if (Receives(P)) Op(*P);
  }
}

}  // namespace

LRESULT LxDispatchRecord(std::int32_t Kind, const void* Data, std::size_t Size,
                         const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode) {
  // The main form does nothing at all while its panel ignores messages.
  if (Mode == TLxIntakeMode::MainForm && (Panels.empty() || !Receives(Panels.front()))) return LxReplyNotTaken;

  TOrlimoRecord R;
  if (!Data || DecodeRecord(Data, Size, R) != TRecordStatus::Ok) return LxReplyNotTaken;

  switch (Kind) {
    case lxmCheckPoint:
      ForEachReceiver(Panels, Mode, [&](TLxIntakePanel& P) { P.AddCheckPoint(R.AppName, R.TickCount); });
      break;
    case lxmSeparator:
      ForEachReceiver(Panels, Mode, [&](TLxIntakePanel& P) { P.AddSeparator(R.AppName, R.TickCount); });
      break;
    case lxmClear: ForEachReceiver(Panels, Mode, [&](TLxIntakePanel& P) { P.Clear(); }); break;
    case lxmScratchPad: {
      const TLxScratchPadLine Line = LxSplitScratchPadText(R.Text);
      ForEachReceiver(Panels, Mode, [&](TLxIntakePanel& P) { P.ScratchPadMsg(Line.Line, Line.Text); });
      break;
    }
    case lxmSaveLog:
      // One panel saves: the first, whether it ignores messages or not (the
      // main form has returned above when its panel ignores them).
      if (!Panels.empty() && Panels.front()) Panels.front()->SaveLogFile(std::string(R.Text));
      break;
    default:
      ForEachReceiver(Panels, Mode, [&](TLxIntakePanel& P) {
        P.AddMessage(Kind, R.Text, R.AppName, R.TypeName, R.TickCount, R.Details);
      });
      break;
  }
  return LxReplyTaken;
}

LRESULT LxDispatchCopyData(const COPYDATASTRUCT* Data, const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode) {
  if (!Data) return LxReplyNotTaken;
  // dwData carries the 32-bit signed kind code.
  const auto Kind = static_cast<std::int32_t>(static_cast<std::uint32_t>(Data->dwData));
  return LxDispatchRecord(Kind, Data->lpData, Data->cbData, Panels, Mode);
}

namespace {

// ---------------------------------------------------------------- one box at a time

// The failures counted while a box was open, one entry per kind of message
// (kinds outside the table share one), in the order they first came.
struct TCountedErrors {
  std::int32_t Kind = 0;
  std::string First;
  std::size_t More = 0;
};
bool GBoxOpen = false;
std::vector<TCountedErrors> GCounted;

std::int32_t ErrorKind(std::int32_t Kind) { return Kind >= 0 && Kind <= lxmSaveLog ? Kind : -1; }

std::string WithFullStop(std::string Text) {
  if (Text.empty() || Text.back() != '.') Text += '.';
  return Text;
}

void ShowIntakeError(std::int32_t Kind, const std::exception& E) noexcept {
  try {
    if (GBoxOpen) {
      const std::int32_t K = ErrorKind(Kind);
      const auto It =
          std::find_if(GCounted.begin(), GCounted.end(), [K](const TCountedErrors& C) { return C.Kind == K; });
      if (It == GCounted.end())
        GCounted.push_back(TCountedErrors{K, E.what(), 0});
      else
        ++It->More;
      return;
    }
    GBoxOpen = true;
    auto Closed = ScopeExit([] { GBoxOpen = false; });
    Application->HandleException(E);
    while (!GCounted.empty()) {
      const TCountedErrors Next = std::move(GCounted.front());
      GCounted.erase(GCounted.begin());
      std::string Text = Next.First;
      if (Next.More) Text = WithFullStop(Text) + "\n\n...and " + std::to_string(Next.More) + " more.";
      Application->HandleException(Exception(Text));
    }
  } catch (...) {
  }
}

LRESULT HandleRecord(std::int32_t Kind, const void* Data, std::size_t Size, const std::vector<TLxIntakePanel*>& Panels,
                     TLxIntakeMode Mode) noexcept {
  try {
    return LxDispatchRecord(Kind, Data, Size, Panels, Mode);
  } catch (const std::exception& E) {
    ShowIntakeError(Kind, E);
  } catch (...) {
    ShowIntakeError(Kind, std::runtime_error("Unknown exception"));
  }
  return LxReplyNotTaken;
}

// ---------------------------------------------------------------- held records

struct THeldRecord {
  std::int32_t Kind = 0;
  std::string Bytes;
  const std::vector<TLxIntakePanel*>* Panels = nullptr;
  TLxIntakeMode Mode = TLxIntakeMode::Satellite;
};
int GHolds = 0;
bool GDraining = false;
std::deque<THeldRecord> GHeld;

// The reply a record gets now; a record that would be taken is copied to the queue.
LRESULT HoldRecord(std::int32_t Kind, const void* Data, std::size_t Size, const std::vector<TLxIntakePanel*>& Panels,
                   TLxIntakeMode Mode) {
  if (Mode == TLxIntakeMode::MainForm && (Panels.empty() || !Receives(Panels.front()))) return LxReplyNotTaken;
  TOrlimoRecord R;
  if (!Data || DecodeRecord(Data, Size, R) != TRecordStatus::Ok) return LxReplyNotTaken;
  GHeld.push_back(THeldRecord{Kind, std::string(static_cast<const char*>(Data), Size), &Panels, Mode});
  return LxReplyTaken;
}

void DrainHeldRecords() noexcept {
  if (GDraining) return;  // the drain under way takes them
  GDraining = true;
  while (!GHeld.empty()) {
    THeldRecord H = std::move(GHeld.front());
    GHeld.pop_front();
    if (H.Panels) HandleRecord(H.Kind, H.Bytes.data(), H.Bytes.size(), *H.Panels, H.Mode);
  }
  GDraining = false;
}

}  // namespace

void LxHandleCopyData(TMessage& Message, const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode) {
  Message.Result = LxReplyNotTaken;
  const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  if (!Data) return;
  // dwData carries the 32-bit signed kind code.
  const auto Kind = static_cast<std::int32_t>(static_cast<std::uint32_t>(Data->dwData));
  if (LxIntakeHeld()) {
    try {
      Message.Result = HoldRecord(Kind, Data->lpData, Data->cbData, Panels, Mode);
    } catch (const std::exception& E) {
      ShowIntakeError(Kind, E);
    }
    return;
  }
  Message.Result = HandleRecord(Kind, Data->lpData, Data->cbData, Panels, Mode);
}

TLxIntakeHold::TLxIntakeHold() noexcept { ++GHolds; }

TLxIntakeHold::~TLxIntakeHold() {
  if (--GHolds == 0) DrainHeldRecords();
}

bool LxIntakeHeld() noexcept { return GHolds > 0 || GDraining; }

std::size_t LxHeldRecordCount() noexcept { return GHeld.size(); }

void LxForgetHeldRecords(const std::vector<TLxIntakePanel*>& Panels) noexcept {
  for (THeldRecord& H : GHeld)
    if (H.Panels == &Panels) H.Panels = nullptr;
}
