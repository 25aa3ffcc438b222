// Debug output of other programs as a second source of messages: the
// commands (the session's channel and the global one), the toolbar toggle and
// menu items, and the stored values at start.
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

bool TBkOrlimoComposite::GetCaptureGlobalDebugOutput() const {
  return FDbgGlobalCapture && FDbgGlobalCapture->IsRunning();
}

bool TBkOrlimoComposite::SetCaptureGlobalDebugOutput(bool Value) {
  FDbgGlobalRefusal = nullptr;
  if (!Value) {
    if (FDbgGlobalCapture) FDbgGlobalCapture->Stop();
  } else if (!GetCaptureGlobalDebugOutput()) {
    if (!FDbgGlobalCapture) FDbgGlobalCapture.reset(new TLxDbgCapture(*this, TLxDbgCapture::GlobalPrefix));
    const TLxDbgCapture::TStart Result = FDbgGlobalCapture->Start();
    if (Result != TLxDbgCapture::TStart::Started) FDbgGlobalRefusal = FDbgGlobalCapture->RefusalText(Result);
  }
  DbgCaptureChanged();
  return !FDbgGlobalRefusal;
}

void TBkOrlimoComposite::CaptureGlobalDebugOutputClick() {
  if (!SetCaptureGlobalDebugOutput(!GetCaptureGlobalDebugOutput()))
    Application->MessageBox(FDbgGlobalRefusal, "Orlimo", MB_OK | MB_ICONWARNING);
}

void TBkOrlimoComposite::ApplyCaptureGlobalDebugOutputSetting(bool Value) {
  if (Value == GetCaptureGlobalDebugOutput()) return;
  if (!SetCaptureGlobalDebugOutput(Value)) FStsTypeName->SetCaption(FDbgGlobalRefusal);
}

void TBkOrlimoComposite::DbgCaptureChanged() {
  const bool On = GetCaptureDebugOutput();
  FBtnCaptureDebugOutput->SetDown(On);
  FMnuCaptureDebugOutput->SetChecked(On);
  FMnuCaptureGlobalDebugOutput->SetChecked(GetCaptureGlobalDebugOutput());
  DoUpdateMenu();
}
