// Debug output of other programs as a second source of messages: the
// command, its toolbar toggle and menu item, and the stored value at start.
#include "core/BkOrlimo.h"

#include "core/LxDbgCapture.h"

#include "platform/Forms.h"

void TBkOrlimoComposite::TDbgCaptureDelete::operator()(TLxDbgCapture* Capture) const { delete Capture; }

bool TBkOrlimoComposite::GetCaptureDebugOutput() const { return FDbgCapture && FDbgCapture->IsRunning(); }

bool TBkOrlimoComposite::SetCaptureDebugOutput(bool Value) {
  bool Result = true;
  if (!Value) {
    if (FDbgCapture) FDbgCapture->Stop();
  } else if (!GetCaptureDebugOutput()) {
    if (!FDbgCapture) FDbgCapture.reset(new TLxDbgCapture(*this));
    Result = FDbgCapture->Start() == TLxDbgCapture::TStart::Started;
  }
  DbgCaptureChanged();
  return Result;
}

void TBkOrlimoComposite::CaptureDebugOutputClick() {
  if (!SetCaptureDebugOutput(!GetCaptureDebugOutput()))
    Application->MessageBox(TLxDbgCapture::BusyText(), "Orlimo", MB_OK | MB_ICONWARNING);
}

void TBkOrlimoComposite::ApplyCaptureDebugOutputSetting(bool Value) {
  if (Value == GetCaptureDebugOutput()) return;  // loading what is already so tells nobody
  if (!SetCaptureDebugOutput(Value)) FStsTypeName->SetCaption(TLxDbgCapture::BusyText());
}

void TBkOrlimoComposite::DbgCaptureChanged() {
  const bool On = GetCaptureDebugOutput();
  FBtnCaptureDebugOutput->SetDown(On);
  FMnuCaptureDebugOutput->SetChecked(On);
  DoUpdateMenu();
}
