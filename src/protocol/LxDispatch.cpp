#include "protocol/LxDispatch.h"

#include <algorithm>
#include <string>

#include "model/OrlimoMsg.h"
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

void LxHandleCopyData(TMessage& Message, const std::vector<TLxIntakePanel*>& Panels, TLxIntakeMode Mode) {
  Message.Result = LxReplyNotTaken;
  try {
    Message.Result = LxDispatchCopyData(reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam), Panels, Mode);
  } catch (const std::exception& E) {
    Message.Result = LxReplyNotTaken;
    Application->HandleException(E);
  } catch (...) {
    Message.Result = LxReplyNotTaken;
    Application->HandleUnknownException();
  }
}
