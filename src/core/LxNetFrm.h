// The "Network Messages" dialog: whether the viewer listens for syslog
// messages, on which transports and port, from this computer only or from
// others too, and whether Clear and save commands are honoured from the
// network; with the count of input that could not be read.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"

struct TNetSettings {
  bool Listen = false;
  std::int32_t Protocol = 0;  // 0 TCP, 1 UDP, 2 both
  std::int32_t Port = 5514;
  bool Remote = false;
  bool Commands = false;
  bool operator==(const TNetSettings&) const = default;
};

class TFrmNetMessages : public TForm {
public:
  TFrmNetMessages();

  TCheckBox* ChkListen = nullptr;    // "&Listen for syslog messages"
  TComboBox* CbxProtocol = nullptr;  // TCP, UDP, TCP and UDP
  TEdit* EdtPort = nullptr;
  TCheckBox* ChkRemote = nullptr;  // "Accept from other computers"
  TLabel* LblRemoteWarning = nullptr;
  TCheckBox* ChkCommands = nullptr;  // "Allow clear and save commands from the network"
  TLabel* LblMalformed = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;

  void SetSettings(const TNetSettings& S, std::uint64_t Malformed);
  // The settings the controls show; false when the port is not 1..65535.
  bool GetSettings(TNetSettings& S) const;

private:
  void UpdateControls();
};

// Shows the dialog centred over Panel; on OK with a valid port S takes the
// dialog's settings and the answer is true.
bool EditNetSettings(TWinControl& Panel, TNetSettings& S, std::uint64_t Malformed);
