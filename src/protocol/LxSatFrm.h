// The satellite window: a hidden form that receives the clients' messages on
// behalf of every viewer panel shown inside the IDE and hands each message to
// the registered panels in registration order (see LxDispatch.h).
//
// Its window exists, hidden, from construction on, so clients find it with
// FindWindow("TBkFrmLxSatellite", "Orlimo Satellite Window"). The satellite
// refers to the panels without owning them; a panel unregisters itself
// (RemoveCompositeReference) when it is destroyed.
//
// While no panel is registered (before the IDE first shows one, or while the
// only one moves), the messages that arrive are kept, as they came, up to the
// message list's capacity, and the first panel registered starts with them,
// as a panel registered beside another starts with the other's messages. A
// clear command drops what was kept before it; a save-log command, with no
// panel whose list it could save, is not kept. A message beyond the capacity
// is not taken (reply 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
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
  // their records. A panel registered again keeps its list as it is. The
  // first panel of an empty list is handed the kept messages, in the order
  // they came (unless it ignores messages).
  void AddCompositeReference(TLxIntakePanel* Composite);
  // Removes the first entry that refers to the panel; null does nothing.
  void RemoveCompositeReference(TLxIntakePanel* Composite);

  // The registered panels, in registration order.
  const std::vector<TLxIntakePanel*>& GetComposites() const { return FComposites; }

  // The messages kept while no panel is registered, and how many it keeps at most.
  std::size_t GetKeptCount() const { return FKept.size(); }
  std::size_t GetKeptCapacity() const { return FKeptCapacity; }
  void SetKeptCapacity(std::size_t Value) { FKeptCapacity = Value; }

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  // The WM_COPYDATA handler: every registered panel that receives messages.
  void WMCopyData(TMessage& Message);

private:
  // One message as it arrived: its kind (dwData) and record (cbData bytes).
  struct TKeptMessage {
    std::int32_t Kind;
    std::string Record;
  };
  // Keeps a message taken while no panel was registered; not taken beyond the capacity.
  void Keep(TMessage& Message);
  // Hands the kept messages to the panels now registered.
  void HandOverKept();

  std::vector<TLxIntakePanel*> FComposites;
  std::deque<TKeptMessage> FKept;
  std::size_t FKeptCapacity;
};
