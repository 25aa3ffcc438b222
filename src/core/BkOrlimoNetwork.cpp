// Syslog messages from the network as a source of messages: the listener's
// settings, its dialog and the stored values at start.
#include "core/BkOrlimo.h"

#include "core/LxNetIntake.h"

#include "platform/Forms.h"

void TBkOrlimoComposite::TNetIntakeDelete::operator()(TLxNetIntake* Intake) const { delete Intake; }

bool TBkOrlimoComposite::SetNetSettings(const TNetSettings& S, std::string* Refusal) {
  FNet = S;
  if (!FNetIntake) FNetIntake.reset(new TLxNetIntake(*this));
  FNetIntake->SetAllowCommands(S.Commands);
  TNetListenOptions O;
  O.Tcp = S.Protocol != 1;
  O.Udp = S.Protocol != 0;
  O.Port = static_cast<std::uint16_t>(S.Port);
  O.Remote = S.Remote;
  const bool Same = FNetIntake->IsRunning() && FNetIntake->Options().Tcp == O.Tcp &&
                    FNetIntake->Options().Udp == O.Udp && FNetIntake->Options().Port == O.Port &&
                    FNetIntake->Options().Remote == O.Remote;
  if (S.Listen && Same) return true;
  FNetIntake->Stop();  // off, or on with other ports: the old ones are closed first
  if (!S.Listen) return true;
  const TLxNetIntake::TStart Result = FNetIntake->Start(O);
  if (Result == TLxNetIntake::TStart::Started) return true;
  FNet.Listen = false;
  if (Refusal) *Refusal = TLxNetIntake::RefusalText(Result, O);
  return false;
}

void TBkOrlimoComposite::NetworkMessagesClick() {
  TNetSettings S = FNet;
  if (!EditNetSettings(*this, S, FNetIntake ? FNetIntake->Malformed() : 0)) return;
  std::string Refusal;
  if (!SetNetSettings(S, &Refusal)) Application->MessageBox(Refusal.c_str(), "Orlimo", MB_OK | MB_ICONWARNING);
}

void TBkOrlimoComposite::ApplyNetSettingsAtStart(const TNetSettings& S) {
  if (S == FNet && (!S.Listen || (FNetIntake && FNetIntake->IsRunning()))) return;
  std::string Refusal;
  if (!SetNetSettings(S, &Refusal)) FStsTypeName->SetCaption(Refusal);
}
