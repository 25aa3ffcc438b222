// What the three inspector windows share: a sizeable stay-on-top window with
// the font MS Sans Serif 8 and a lowered panel filling it that holds the one
// control showing the message's body. The windows belong to the application,
// not to the panel that opened them: they outlive it and a list clear, and a
// font change reaches every one of them through InspectorWindows().
#pragma once

#include "components/LxPanel.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"

#include <string>
#include <vector>

class TFrmInspect : public TForm {
public:
  // Made with the given caption and outer size; owned by InspectorWindowOwner().
  // Its icon is the list icon of the kind it shows (the bitmap IconName).
  TFrmInspect(const std::string& Caption, int Width, int Height, const char* IconName);
  ~TFrmInspect() override;
  HICON GetIcon() const { return FIcon.Get(); }

  TLxPanel* Panel = nullptr;
  // Where the stream and string-list windows appear (the object window is
  // placed by the system).
  static constexpr int DesignedLeft = 192;
  static constexpr int DesignedTop = 107;

  // Escape closes the window as its close button does, whichever control has
  // the keyboard (a multi-line text box would otherwise take the key).
  bool IsShortCut(WORD Key, TShiftState Shift) override;

protected:
  // Closing a window frees it: one that only hid would stay in memory with
  // its handles until the program ends, with no way to show it again.
  void DoClose(TCloseAction& Action) override;
  void CreateWindowHandle(const TCreateParams& Params) override;

private:
  TIconHandle FIcon;
};

// The owner of every inspector window of the program (the windows still
// alive go when the program ends).
TComponent& InspectorWindowOwner();

// The inspector windows of one kind that exist now, oldest first.
template <class T>
std::vector<T*> InspectorWindows() {
  std::vector<T*> Result;
  TComponent& Owner = InspectorWindowOwner();
  for (int I = 0; I < Owner.GetComponentCount(); ++I)
    if (auto* W = dynamic_cast<T*>(Owner.GetComponent(I))) Result.push_back(W);
  return Result;
}
