// The standalone viewer's main form: one viewer panel filling its client
// area, the window placement kept in the registry, and the intake of the
// clients' messages (class "TBkFrmOrlimo", caption "Orlimo (32-bit)").
#pragma once

#include <string>
#include <vector>

#include "platform/Forms.h"

class TBkOrlimoComposite;
class TLxIntakePanel;

class TBkFrmOrlimo : public TForm {
public:
  static constexpr const char* WindowClass = "TBkFrmOrlimo";
  static constexpr const char* WindowCaption = "Orlimo (32-bit)";
  // The registry key of the standalone viewer; the placement is in "Position".
  static constexpr const char* RegistryKey = "Software\\Brunelk\\Orlimo\\1.0";
  static constexpr int MinTrackWidth = 100;
  static constexpr int MinTrackHeight = 150;

  // Args: the program's command-line arguments (without the program name).
  TBkFrmOrlimo(TComponent* AOwner, const std::vector<std::string>& Args);
  ~TBkFrmOrlimo() override;

  TBkOrlimoComposite* GetViewer() const { return FViewer; }

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void DoClose(TCloseAction& Action) override;

private:
  void FormCreate(const std::vector<std::string>& Args);
  void LoadFormSettings();
  void SaveFormSettings();
  void AppActivate(TObject* Sender);
  void WMGetMinMaxInfo(TMessage& Message);
  void WMCopyData(TMessage& Message);

  TBkOrlimoComposite* FViewer = nullptr;  // owned by the form
  std::vector<TLxIntakePanel*> FIntakePanels;
  bool FSettingsSaved = false;
};
