#include "components/LxMnuBtn.h"

TLxMenuSpeedButton::TLxMenuSpeedButton(TComponent* AOwner) : TLxSpeedButton(AOwner) {}

TLxMenuSpeedButton::~TLxMenuSpeedButton() {
  if (FClickMenu) FClickMenu->RemoveFreeNotification(this);
}

void TLxMenuSpeedButton::SetClickMenu(TPopupMenu* Value) {
  if (Value == FClickMenu) return;
  if (FClickMenu) FClickMenu->RemoveFreeNotification(this);
  FClickMenu = Value;
  if (FClickMenu) FClickMenu->FreeNotification(this);
}

void TLxMenuSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TLxSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FClickMenu) FClickMenu = nullptr;
}

DWORD TLxMenuSpeedButton::TickCount() { return ::GetTickCount(); }

void TLxMenuSpeedButton::TrackMenu(TPopupMenu& Menu, POINT Screen) {
  Menu.SetPopupComponent(this);
  Menu.Popup(Screen.x, Screen.y);
}

void TLxMenuSpeedButton::CopyItem(TMenuItem* Source, TMenuItem* Dest) {
  Dest->SetCaption(Source->GetCaption());
  Dest->SetBreak(Source->GetBreak());
  Dest->SetRadioItem(Source->GetRadioItem());
  Dest->SetGroupIndex(Source->GetGroupIndex());
  Dest->SetChecked(Source->GetChecked());
  Dest->SetEnabled(Source->GetEnabled());
  Dest->SetHelpContext(Source->GetHelpContext());
  Dest->SetHint(Source->GetHint());
  Dest->SetVisible(Source->GetVisible());
  Dest->SetDefault(Source->GetDefault());
  Dest->SetTag(Source->GetTag());
  Dest->OnClick = Source->OnClick;
  for (int I = 0; I < Source->GetCount(); ++I) {
    TMenuItem* Sub = Dest->Add(std::make_unique<TMenuItem>(nullptr));
    CopyItem(Source->GetItem(I), Sub);
  }
}

void TLxMenuSpeedButton::DropDown() {
  if (!FClickMenu) return;
  if (OnPopup) OnPopup(this, FClickMenu);
  if (!FClickMenu) return;  // the handler may have deleted it
  FMenuCopy = std::make_unique<TPopupMenu>(nullptr);
  TMenuItem* Source = FClickMenu->GetItems();
  std::vector<TLxMenuLine> Lines;
  for (int I = 0; I < Source->GetCount(); ++I) {
    TMenuItem* S = Source->GetItem(I);
    TMenuItem* D = FMenuCopy->GetItems()->Add(std::make_unique<TMenuItem>(nullptr));
    CopyItem(S, D);
    // Top-level copies run the source item's handler, with it as sender.
    D->SetTag(I);
    D->OnClick = [this, I](TObject*) {
      if (!FClickMenu || I >= FClickMenu->GetItems()->GetCount()) return;
      TMenuItem* Item = FClickMenu->GetItems()->GetItem(I);
      if (Item->OnClick) Item->OnClick(Item);
    };
    Lines.push_back(TLxMenuLine{S->GetVisible(), S->IsLine(), S->GetBreak()});
  }
  const int Height = ExpectedMenuHeight(Lines, ::GetSystemMetrics(SM_CYMENU));
  // Placed against the work area, not the whole screen: a menu that would run
  // under the taskbar opens above the button, where the system would instead
  // push it up over the button itself.
  RECT Work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &Work, 0);
  const POINT TopLeft = ClientToScreen(POINT{0, 0});
  const TLxRect OnScreen{TopLeft.x, TopLeft.y, TopLeft.x + GetWidth(), TopLeft.y + GetHeight()};
  const TLxPoint At = MenuButtonPlacement(OnScreen, Height, Work.top, Work.bottom);
  TrackMenu(*FMenuCopy, ClientToScreen(POINT{At.X, At.Y}));
}

void TLxMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TLxSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || (Shift & (ssShift | ssCtrl | ssAlt))) return;
  if (FDroppedOnce && TickCount() - FLastDropDown < 300) {
    // The press that closed the menu: a plain click, no new drop-down.
    FMenuCopy.reset();
    ReleasePress();
    FMouseDownInside = true;
    return;
  }
  ReleasePress();
  DropDown();
  FLastDropDown = TickCount();
  FDroppedOnce = true;
}
