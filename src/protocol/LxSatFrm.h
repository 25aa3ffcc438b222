// The satellite window: a hidden form that receives the clients' messages on
// behalf of every viewer panel shown inside the IDE and hands each message to
// the registered panels in registration order (see LxDispatch.h).
//
// Its window exists, hidden, from construction on, so clients find it with
// FindWindow("TBkFrmLxSatellite", "Orlimo Satellite Window"). The satellite
// refers to the panels without owning them; a panel unregisters itself
// (RemoveCompositeReference) when it is destroyed.
#pragma once

#include <vector>

#include "platform/Forms.h"
#include "protocol/LxIntake.h"

class TBkFrmLxSatellite : public TForm {
public:
  static constexpr const char* WindowClass = "TBkFrmLxSatellite";
  static constexpr const char* WindowCaption = "Orlimo Satellite Window";

  // Owner: none (the plug-in creates it once and frees it when unloaded).
  explicit TBkFrmLxSatellite(TComponent* AOwner = nullptr);
  // Tells every panel still registered that it has no satellite any more.
  ~TBkFrmLxSatellite() override;

  // Appends the panel (duplicates allowed) and tells it its satellite. When
  // the list then holds more than one entry, a panel that was not registered
  // yet receives a copy of the FIRST panel's items after its own, sharing
  // their records. A panel registered again keeps its list as it is.
  void AddCompositeReference(TLxIntakePanel* Composite);
  // Removes the first entry that refers to the panel; null does nothing.
  void RemoveCompositeReference(TLxIntakePanel* Composite);

  // The registered panels, in registration order.
  const std::vector<TLxIntakePanel*>& GetComposites() const { return FComposites; }

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  // The WM_COPYDATA handler: every registered panel that receives messages.
  void WMCopyData(TMessage& Message);

private:
  std::vector<TLxIntakePanel*> FComposites;
};
