#include "protocol/LxSatFrm.h"

#include <algorithm>
#include <exception>

#include "model/MsgList.h"
#include "model/OrlimoMsg.h"
#include "protocol/LxDispatch.h"

TBkFrmLxSatellite::TBkFrmLxSatellite(TComponent* AOwner)
    : TForm(AOwner), FKeptCapacity(static_cast<std::size_t>(TOrlimoMsgList::DefaultCapacity)) {
  SetWindowClassName(WindowClass);
  SetCaption(WindowCaption);
  SetBorderStyle(bsNone);
  // The window exists from now on, never shown, so that clients find it.
  HandleNeeded();
  SetCaption(WindowCaption);
}

// Panels still registered forget the satellite: they must not unregister
// from a window that is gone.
TBkFrmLxSatellite::~TBkFrmLxSatellite() {
  LxForgetHeldRecords(FComposites);
  const std::vector<TLxIntakePanel*> Panels = std::move(FComposites);
  for (TLxIntakePanel* P : Panels)
    if (P) P->SetSatellite(nullptr);
}

void TBkFrmLxSatellite::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_VISIBLE);
  // No taskbar button: a tool window, and never shown.
  Params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TBkFrmLxSatellite::AddCompositeReference(TLxIntakePanel* Composite) {
  if (!Composite) return;
  // A panel already registered has had the first panel's items since it
  // joined (or is the first panel itself): copying them again would list every
  // one of them twice.
  const bool Joined = std::find(FComposites.begin(), FComposites.end(), Composite) != FComposites.end();
  FComposites.push_back(Composite);
  Composite->SetSatellite(this);
  if (FComposites.size() > 1 && !Joined)
    Composite->AppendSharedItemsFrom(*FComposites.front());
  else if (FComposites.size() == 1)
    HandOverKept();
}

void TBkFrmLxSatellite::Keep(TMessage& Message) {
  const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  const auto Kind = static_cast<std::int32_t>(static_cast<std::uint32_t>(Data->dwData));
  if (Kind == lxmSaveLog) return;
  // A clear command empties the list the messages before it would be in.
  if (Kind == lxmClear) FKept.clear();
  if (FKept.size() >= FKeptCapacity) {
    Message.Result = LxReplyNotTaken;
    return;
  }
  FKept.push_back(TKeptMessage{Kind, std::string(static_cast<const char*>(Data->lpData), Data->cbData)});
}

void TBkFrmLxSatellite::HandOverKept() {
  // Each was checked when it came; a panel's failure ends only its own message.
  std::deque<TKeptMessage> Kept;
  Kept.swap(FKept);
  for (const TKeptMessage& M : Kept) {
    if (FComposites.empty()) break;  // the panel went while it was handed one
    try {
      LxDispatchRecord(M.Kind, M.Record.data(), M.Record.size(), FComposites, TLxIntakeMode::Satellite);
    } catch (const std::exception& E) {
      Application->HandleException(E);
    } catch (...) {
      Application->HandleUnknownException();
    }
  }
}

void TBkFrmLxSatellite::RemoveCompositeReference(TLxIntakePanel* Composite) {
  if (!Composite) return;
  const auto It = std::find(FComposites.begin(), FComposites.end(), Composite);
  if (It != FComposites.end()) FComposites.erase(It);
}

void TBkFrmLxSatellite::WMCopyData(TMessage& Message) {
  const bool NoPanel = FComposites.empty();
  LxHandleCopyData(Message, FComposites, TLxIntakeMode::Satellite);
  // Checked and taken with no panel to list it: kept for the first panel.
  if (NoPanel && FComposites.empty() && Message.Result == LxReplyTaken) Keep(Message);
}

void TBkFrmLxSatellite::WndProc(TMessage& Message) {
  if (Message.Msg == WM_COPYDATA) {
    WMCopyData(Message);
    return;
  }
  TForm::WndProc(Message);
}
