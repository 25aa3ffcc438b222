#include "protocol/LxSatFrm.h"

#include <algorithm>

#include "protocol/LxDispatch.h"

TBkFrmLxSatellite::TBkFrmLxSatellite(TComponent* AOwner) : TForm(AOwner) {
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
  if (FComposites.size() > 1 && !Joined) Composite->AppendSharedItemsFrom(*FComposites.front());
}

void TBkFrmLxSatellite::RemoveCompositeReference(TLxIntakePanel* Composite) {
  if (!Composite) return;
  const auto It = std::find(FComposites.begin(), FComposites.end(), Composite);
  if (It != FComposites.end()) FComposites.erase(It);
}

void TBkFrmLxSatellite::WMCopyData(TMessage& Message) {
  LxHandleCopyData(Message, FComposites, TLxIntakeMode::Satellite);
}

void TBkFrmLxSatellite::WndProc(TMessage& Message) {
  if (Message.Msg == WM_COPYDATA) {
    WMCopyData(Message);
    return;
  }
  TForm::WndProc(Message);
}
