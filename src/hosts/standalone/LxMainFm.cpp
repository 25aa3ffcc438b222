// The main form: creation, the placement in the registry, closing, and the
// window messages it handles itself. The menu is in LxMainFmMenu.cpp.
#include "hosts/standalone/LxMainFm.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "core/BkOrlimo.h"
#include "model/Settings.h"
#include "platform/RegSettingsStore.h"
#include "platform/Theme.h"
#include "protocol/LxDispatch.h"

namespace {

// A placement value: decimal, or hexadecimal after "0x"; missing or
// unreadable values give the default.
int ReadIntValue(TSettingsStore& Store, const char* Name, int Default) {
  const std::optional<std::string> Text = Store.Read("Position", Name);
  const std::optional<std::int32_t> Value = Text ? ParseSettingsInt(*Text) : std::nullopt;
  return Value ? *Value : Default;
}

// Any non-zero number is true.
bool ReadBoolValue(TSettingsStore& Store, const char* Name, bool Default) {
  return ReadIntValue(Store, Name, Default ? 1 : 0) != 0;
}

}  // namespace

TBkFrmOrlimo::TBkFrmOrlimo(TComponent* AOwner, const std::vector<std::string>& Args) : TForm(AOwner) {
  SetWindowClassName(WindowClass);
  // The form's design: replaced by the stored placement below.
  SetBounds(218, 113, 408, 169);
  SetCaption("Orlimo");
  TFont& F = GetFont();
  F.SetName("MS Sans Serif");
  F.SetSize(8);
  F.SetColor(clWindowText);
  CreateMainMenu();
  FormCreate(Args);
}

TBkFrmOrlimo::~TBkFrmOrlimo() { Application->OnActivate = nullptr; }

void TBkFrmOrlimo::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // No icon of its own: the window shows the application's icon.
  Params.Icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
}

void TBkFrmOrlimo::FormCreate(const std::vector<std::string>& Args) {
  Application->OnActivate = [this](TObject* Sender) { AppActivate(Sender); };
  MnuViewCallStack->SetRadioItem(true);
  MnuViewDetails->SetRadioItem(true);
  SetCaption(WindowCaption);

  FViewer = new TBkOrlimoComposite(this);
  FViewer->SetParent(this);
  FViewer->SetAlign(alClient);
  // Ctrl+E: the keyboard to the quick filter box (no menu item carries it).
  OnShortCut = [this](TObject*, WORD Key, TShiftState Shift, bool& Handled) {
    if (Key != 'E' || (Shift & (ssCtrl | ssShift | ssAlt)) != ssCtrl) return;
    FViewer->FocusQuickFilter();
    Handled = true;
  };
  FViewer->OnUpdateMenu = [this](TObject* Sender) { CompositeUpdateMenu(Sender); };
  FViewer->OnUpdateStatus = [this](TObject* Sender, bool HasSelection, bool HasItems) {
    CompositeUpdateStatus(Sender, HasSelection, HasItems);
  };
  FViewer->OnUpdateNav = [this](TObject* Sender, bool First, bool Prev, bool Next, bool Last) {
    CompositeUpdateNav(Sender, First, Prev, Next, Last);
  };
  FViewer->OnLstMsgsClick = [this](TObject* Sender, bool CanInspect, bool CanMatchMethod) {
    CompositeLstMsgsClick(Sender, CanInspect, CanMatchMethod);
  };
  FIntakePanels = {FViewer};
  // The keyboard goes to the message list whenever the form is activated.
  SetActiveControl(FViewer->FLstMsgs);

  LoadFormSettings();

  // The list's capacity can be made smaller from the environment, so that the
  // list-full procedure can be tried without millions of messages.
  char Capacity[16] = {};
  const DWORD CapacityLen = GetEnvironmentVariableA("ORLIMO_LIST_CAPACITY", Capacity, sizeof Capacity);
  if (CapacityLen > 0 && CapacityLen < sizeof Capacity && std::atoi(Capacity) > 0)
    FViewer->Messages().SetCapacity(std::atoi(Capacity));

  // A log file given as the one argument is opened at once; anything else is ignored.
  if (Args.size() == 1 && !Args[0].empty()) {
    const DWORD Attr = GetFileAttributesA(Args[0].c_str());
    if (Attr != INVALID_FILE_ATTRIBUTES && !(Attr & FILE_ATTRIBUTE_DIRECTORY)) {
      try {
        FViewer->LoadMessages(Args[0]);
      } catch (const std::exception& E) {
        Application->HandleException(E);
      }
    }
  }
}

void TBkFrmOrlimo::LoadFormSettings() {
  {
    TRegSettingsStore Store(RegistryKey);
    const int L = ReadIntValue(Store, "Left", 0);
    const int T = ReadIntValue(Store, "Top", 0);
    const int W = ReadIntValue(Store, "Width", -1);
    const int H = ReadIntValue(Store, "Height", -1);
    // A saved size is in the screen's pixels; the default one in design pixels.
    if (W >= 0 && H >= 0)
      SetDeviceBounds(L, T, W, H);
    else
      SetBounds(L, T, W >= 0 ? W : DefaultWidth, H >= 0 ? H : DefaultHeight);
    if (ReadBoolValue(Store, "Maximized", false)) SetWindowState(wsMaximized);
    MnuOnTop->SetChecked(ReadBoolValue(Store, "OnTop", false));
  }
  // The window is not made yet: no composite move.
  SetFormStyle(MnuOnTop->GetChecked() ? fsStayOnTop : fsNormal);
  FViewer->LoadSettings();
  CompositeUpdateMenu(FViewer);
  FViewer->UpdateStatus();
}

void TBkFrmOrlimo::SaveFormSettings() {
  if (FSettingsSaved) return;
  FSettingsSaved = true;
  FViewer->SaveSettings();
  TRegSettingsStore Store(RegistryKey);
  auto Write = [&Store](const char* Name, const std::string& Value) { Store.Write("Position", Name, Value); };
  const bool Maximized = GetWindowState() == wsMaximized;
  Write("Maximized", Maximized ? "1" : "0");
  // The normal (restored) bounds are the ones kept, in every state.
  if (Maximized) SetWindowState(wsNormal);
  const RECT R = NormalBoundsOnScreen();
  Write("Left", std::to_string(R.left));
  Write("Top", std::to_string(R.top));
  Write("Width", std::to_string(R.right - R.left));
  Write("Height", std::to_string(R.bottom - R.top));
  Write("OnTop", MnuOnTop->GetChecked() ? "1" : "0");
}

RECT TBkFrmOrlimo::NormalBoundsOnScreen() {
  if (!HandleAllocated()) return GetBoundsRect();
  RECT R{};
  if (!IsIconic(WindowHandle())) {
    GetWindowRect(WindowHandle(), &R);
    return R;
  }
  // A minimised window's own rectangle is its icon's; its placement keeps the
  // normal one, counted from the work area of its monitor (a task bar at the
  // left or the top moves that from the screen's origin).
  R = GetNormalBounds();
  MONITORINFO Info{};
  Info.cbSize = sizeof Info;
  if (!(GetWindowLongA(WindowHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
      GetMonitorInfoA(MonitorFromRect(&R, MONITOR_DEFAULTTONEAREST), &Info))
    OffsetRect(&R, Info.rcWork.left - Info.rcMonitor.left, Info.rcWork.top - Info.rcMonitor.top);
  return R;
}

void TBkFrmOrlimo::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  if (Action == caNone) return;
  // A failure to save is shown; the window still closes.
  try {
    SaveFormSettings();
  } catch (const std::exception& E) {
    Application->HandleException(E);
  }
}

void TBkFrmOrlimo::WMGetMinMaxInfo(TMessage& Message) {
  TForm::WndProc(Message);
  auto* Info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  Info->ptMinTrackSize.x = ScaleDesign(MinTrackWidth);
  Info->ptMinTrackSize.y = ScaleDesign(MinTrackHeight);
  Message.Result = 0;
}

void TBkFrmOrlimo::WMCopyData(TMessage& Message) { LxHandleCopyData(Message, FIntakePanels, TLxIntakeMode::MainForm); }

void TBkFrmOrlimo::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_COPYDATA: WMCopyData(Message); return;
    case WM_SETTINGCHANGE:
      // Windows switched between its light and dark colours: a viewer that
      // follows Windows follows at once.
      if (FViewer && IsColorSetChange(Message.LParam)) FViewer->ApplyTheme();
      TForm::WndProc(Message);
      return;
    default: TForm::WndProc(Message);
  }
}
