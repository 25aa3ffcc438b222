// The IDE panel plug-in: registration with the host, the plug-in's answers to
// the host, and the unit's start and end when the DLL is loaded and unloaded.
//
// Nothing thrown here reaches the host: the host is another module, and every
// operation it calls ends its exceptions in the plug-in's own exception display.
#include "hosts/plugin/LxPnlPlg.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "components/LxMatch.h"
#include "core/BkOrlimo.h"
#include "platform/Application.h"
#include "protocol/LxSatFrm.h"

namespace {

// The unit state: the one satellite window, made by Register.
TBkFrmLxSatellite* GSatellite = nullptr;
// The package format's initialisation counter: the unit ends when it is back at 0.
int GInitCount = 0;
// The ignore state the user had chosen for a panel that is being moved: the
// move forces ignoring, and the panel made after the move starts with this.
std::optional<bool> GMovedIgnoreState;
// The messages of a panel that moves while it is the only one: the host
// destroys it and makes a new one, which gets them back (with other panels
// open, the new one starts with the first panel's, as every panel does). A
// panel without a window, only holding the items and their shared records.
TBkOrlimoComposite* GMovedItems = nullptr;

// The composites this plug-in made that still exist (each tells the watch
// when it goes), so that none outlives the DLL whose code it runs.
class TPanelWatch : public TComponent {
public:
  TPanelWatch() : TComponent(nullptr) {}
  ~TPanelWatch() override {
    for (TBkOrlimoComposite* P : FPanels) P->RemoveFreeNotification(this);
  }
  void Add(TBkOrlimoComposite* Panel) {
    FPanels.push_back(Panel);
    Panel->FreeNotification(this);
  }
  std::vector<TBkOrlimoComposite*> Panels() const { return FPanels; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) FPanels.erase(std::remove(FPanels.begin(), FPanels.end(), AComponent), FPanels.end());
  }

private:
  std::vector<TBkOrlimoComposite*> FPanels;
};
TPanelWatch* GPanels = nullptr;

template <class F>
void Guarded(F&& Op) noexcept {
  try {
    Op();
  } catch (const std::exception& E) {
    Application->HandleException(E);
  } catch (...) {
    Application->HandleUnknownException();
  }
}

TBkOrlimoComposite* PanelOf(TComponent* Component) { return dynamic_cast<TBkOrlimoComposite*>(Component); }

// The composite of the host's current instance of this plug-in's panel.
TBkOrlimoComposite* HostPanel(const std::string& Name) {
  return CodeRush ? PanelOf(CodeRush->GetPanelComponent(Name)) : nullptr;
}

// The unit's end: the satellite goes first (the panels still open forget it),
// then the host forgets the plug-in class, then any panel the host kept, and
// last this module's own windows and, unless told otherwise, its window classes.
void FinalizeUnit(bool UnregisterClasses) {
  if (GSatellite) {
    delete GSatellite;
    GSatellite = nullptr;
  }
  if (CodeRush) CodeRush->UnregisterPlugInClass(typeid(TBkOrlimoPanelPlugIn));
  if (GPanels) {
    for (TBkOrlimoComposite* P : GPanels->Panels()) delete P;
    delete GPanels;
    GPanels = nullptr;
  }
  GMovedIgnoreState.reset();
  delete GMovedItems;
  GMovedItems = nullptr;
  // This DLL's windows and window classes go with its code.
  if (UnregisterClasses) {
    Application->FinalizeModule();
    return;
  }
  // Its windows only: the hint, the hidden window (and with it every timer).
  Application->CancelHint();
  if (THintWindow* Hint = Application->GetHintWindow(); Hint && Hint->HandleAllocated())
    ::DestroyWindow(Hint->GetHandle());
  if (HWND Hidden = Application->ExistingHandle()) ::DestroyWindow(Hidden);
}

// Whether the unit has ended (Finalize ran), so that nothing runs twice.
bool GFinalized = false;

}  // namespace

// ============================================================ TBkOrlimoPanelPlugIn

TBkOrlimoPanelPlugIn::~TBkOrlimoPanelPlugIn() {
  if (CodeRush) CodeRush->UnsubscribeNotifications(this, NotificationMask);
}

std::string TBkOrlimoPanelPlugIn::GetName() { return PlugInName; }

std::string TBkOrlimoPanelPlugIn::GetDescription() { return Description; }

void TBkOrlimoPanelPlugIn::HandleCommand(const std::string& Command) {
  Guarded([&] {
    if (!CodeRush) return;
    if (SameText(Command, ToggleCommand)) {
      CodeRush->TogglePanel(GetName(), -1);
    } else if (SameText(Command, FocusCommand)) {
      CodeRush->ShowPanel(GetName(), -1);
      TBkOrlimoComposite* Panel = HostPanel(GetName());
      if (Panel && Panel->FLstMsgs && Panel->FLstMsgs->CanFocus()) Panel->FLstMsgs->SetFocus();
    }
  });
}

bool TBkOrlimoPanelPlugIn::GetRequestedStringList(const std::string& Name, int /*Kind*/, TRushStrings* List) {
  if (!List) return false;
  List->clear();
  if (!SameText(Name, AboutListName)) return false;
  *List = {"Orlimo v1.0",
           "",
           "Copyright (c) 1998 the Orlimo project",
           "The Orlimo project",
           "",
           "The following support options are available for Orlimo:",
           "",
           "E-mail:\t|orlimo@orlimo.example|mailto:orlimo@orlimo.example",
           "",
           "Web:\t|www.orlimo.example|http://www.orlimo.example/",
           "",
           "News:\t|orlimo.support|news://news.orlimo.example/orlimo.support"};
  return true;
}

void TBkOrlimoPanelPlugIn::Event_PanelAboutToMove(const std::string& PanelName, int, int) {
  Guarded([&] {
    if (!SameText(PanelName, GetName())) return;
    TBkOrlimoComposite* Panel = HostPanel(GetName());
    if (!Panel) return;
    // The user's choices (the ignore state among them) are stored before the
    // intake is switched off for the move.
    Panel->SaveSettings();
    GMovedIgnoreState = Panel->GetIgnoreMessages();
    Panel->SetIgnoreMessages(true);
    delete GMovedItems;
    GMovedItems = nullptr;
    const auto& Served = GSatellite ? GSatellite->GetComposites() : std::vector<TLxIntakePanel*>{};
    if (Served.size() == 1 && Served.front() == Panel) {
      auto Keeper = std::make_unique<TBkOrlimoComposite>(nullptr);
      Keeper->AppendSharedItemsFrom(*Panel);
      GMovedItems = Keeper.release();
    }
  });
}

std::string TBkOrlimoPanelPlugIn::GetCaption() { return "Orlimo"; }

int TBkOrlimoPanelPlugIn::GetDefaultPosition() { return DefaultPosition; }

HBITMAP TBkOrlimoPanelPlugIn::GetBitmap() { return ::LoadBitmapA(ModuleInstance(), "BKORLIMO_PANEL_TAB"); }

COLORREF TBkOrlimoPanelPlugIn::GetTransparentBitmapColor() { return TabTransparentColor; }

TWinControl* TBkOrlimoPanelPlugIn::CreatePanel(TComponent* Owner) {
  TBkOrlimoComposite* Panel = nullptr;
  Guarded([&] {
    Panel = TBkOrlimoComposite::CreateForCodeRush(Owner);
    if (!GPanels) GPanels = new TPanelWatch;
    GPanels->Add(Panel);
  });
  return Panel;
}

void TBkOrlimoPanelPlugIn::ShowPanelComponent(TComponent* Component) {
  Guarded([&] {
    TBkOrlimoComposite* Panel = PanelOf(Component);
    if (!Panel || !GSatellite) return;
    // Each panel is served once: a panel shown again stays as it is.
    const auto& Served = GSatellite->GetComposites();
    if (std::find(Served.begin(), Served.end(), Panel) != Served.end()) return;
    // Its window now, with the settings it loads: a host may place a panel
    // in a window that does not exist yet.
    Panel->HandleNeeded();
    // The panel made after a move: the ignore state the user had chosen, not
    // the one the move forced (which its predecessor stored when destroyed),
    // and stored again so that a panel opened later starts with it as well.
    if (GMovedIgnoreState) {
      const bool Ignore = *GMovedIgnoreState;
      GMovedIgnoreState.reset();
      if (Panel->GetIgnoreMessages() != Ignore) {
        Panel->SetIgnoreMessages(Ignore);
        Panel->SaveSettings();
      }
    }
    const std::unique_ptr<TBkOrlimoComposite> Kept(GMovedItems);
    GMovedItems = nullptr;
    if (Kept && GSatellite->GetComposites().empty()) Panel->AppendSharedItemsFrom(*Kept);
    GSatellite->AddCompositeReference(Panel);
  });
}

// ============================================================ unit

void Register() {
  Guarded([] {
    // Once only: a second call would leave a second satellite window and a
    // second plug-in object with the same name and commands.
    if (GSatellite || !CodeRush) return;
    // The caption of the plug-in's own message and exception boxes.
    Application->SetTitle("Orlimo");
    GSatellite = new TBkFrmLxSatellite(nullptr);
    GFinalized = false;  // the unit runs (again): it ends once more
    auto* PlugIn = new TBkOrlimoPanelPlugIn;
    CodeRush->RegisterPlugIn(PlugIn);
    CodeRush->RegisterCommand(PlugIn, TBkOrlimoPanelPlugIn::ToggleCommand);
    CodeRush->RegisterCommand(PlugIn, TBkOrlimoPanelPlugIn::FocusCommand);
    CodeRush->SubscribeNotifications(PlugIn, TBkOrlimoPanelPlugIn::NotificationMask);
    CodeRush->RegisterRequestedStringList(PlugIn, TBkOrlimoPanelPlugIn::AboutListName,
                                          TBkOrlimoPanelPlugIn::AboutListKind);
  });
}

TBkFrmLxSatellite* OrlimoSatellite() { return GSatellite; }

void Finalize() {
  if (GFinalized) return;
  GFinalized = true;
  Guarded([] { FinalizeUnit(true); });
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD Reason, LPVOID Reserved) {
  switch (Reason) {
    case DLL_PROCESS_ATTACH: ++GInitCount; break;
    case DLL_PROCESS_DETACH:
      // At the process's end the windows go with it; only an unload ends the
      // unit. A host that called Finalize has had it done outside the loader
      // lock. For one that did not, the unit still ends here, so that no
      // window or plug-in object is left with its code gone; only the window
      // classes stay registered (the system keeps a DLL's classes).
      if (--GInitCount == 0 && !Reserved && !GFinalized) {
        GFinalized = true;
        Guarded([] { FinalizeUnit(false); });
      }
      break;
    default: break;
  }
  return TRUE;
}
