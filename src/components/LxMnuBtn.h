// A speed button that drops down a menu.
#pragma once

#include "components/LxSpdBtn.h"
#include "platform/Menus.h"

#include <memory>

class LXCMPS_API TLxMenuSpeedButton : public TLxSpeedButton {
public:
  explicit TLxMenuSpeedButton(TComponent* AOwner);
  ~TLxMenuSpeedButton() override;

  // The menu shown (not owned; forgotten when it is deleted).
  TPopupMenu* GetClickMenu() const { return FClickMenu; }
  void SetClickMenu(TPopupMenu* Value);
  // The copy of the click menu shown last (owned), or null.
  TPopupMenu* GetMenuCopy() const { return FMenuCopy.get(); }

  // Shows a fresh copy of the click menu below (or above, or beside) the button.
  void DropDown();

  // Called with the click menu just before it is shown.
  std::function<void(TObject* Sender, TPopupMenu* Menu)> OnPopup;

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Runs the menu at a screen point (returns when it closes).
  virtual void TrackMenu(TPopupMenu& Menu, POINT Screen);
  // The system tick count (milliseconds).
  virtual DWORD TickCount();

private:
  void CopyItem(TMenuItem* Source, TMenuItem* Dest);

  TPopupMenu* FClickMenu = nullptr;
  std::unique_ptr<TPopupMenu> FMenuCopy;
  DWORD FLastDropDown = 0;
  bool FDroppedOnce = false;
};
