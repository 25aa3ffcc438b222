// The main form: creation, the placement in the registry, closing, and the
// window messages it handles itself. The menu is in LxMainFmMenu.cpp.
#include "hosts/standalone/LxMainFm.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "core/BkOrlimo.h"
#include "platform/Registry.h"
#include "protocol/LxConvert.h"
#include "protocol/LxDispatch.h"

namespace {

// Placement values are decimal text; "0x" hexadecimal is read as well.
// Missing or unreadable values give the default.
int ReadIntValue(TRegistry& Reg, const char* Name, int Default) {
  std::string Text;
  try {
    Text = Reg.ReadString(Name);
  } catch (const ERegistryException&) {
    return Default;
  }
  std::int32_t Value = 0;
  if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) {
    if (!std::isxdigit(static_cast<unsigned char>(Text[2]))) return Default;
    char* End = nullptr;
    const unsigned long V = std::strtoul(Text.c_str() + 2, &End, 16);
    if (End && *End == '\0' && V <= 0xFFFFFFFFul) return static_cast<int>(static_cast<std::uint32_t>(V));
    return Default;
  }
  return TryStrToInt(Text, Value) ? Value : Default;
}

// Any non-zero number is true.
bool ReadBoolValue(TRegistry& Reg, const char* Name, bool Default) {
  return ReadIntValue(Reg, Name, Default ? 1 : 0) != 0;
}

}  // namespace

TBkFrmOrlimo::TBkFrmOrlimo(TComponent* AOwner, const std::vector<std::string>& Args) : TForm(AOwner) {
  SetWindowClassName(WindowClass);
  // The form's design: replaced by the stored placement below.
  SetBounds(218, 113, 408, 169);
  SetCaption("Orlimo");
  TFont& F = GetFont();
  F.SetName("MS Sans Serif");
  F.SetHeight(-11);
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
    TRegistry Reg;
    if (Reg.OpenKey(PositionKey, true)) {
      const int L = ReadIntValue(Reg, "Left", 0);
      const int T = ReadIntValue(Reg, "Top", 0);
      const int W = ReadIntValue(Reg, "Width", DefaultWidth);
      const int H = ReadIntValue(Reg, "Height", DefaultHeight);
      SetBounds(L, T, W, H);
      if (ReadBoolValue(Reg, "Maximized", false)) SetWindowState(wsMaximized);
      MnuOnTop->SetChecked(ReadBoolValue(Reg, "OnTop", false));
    } else {
      SetBounds(0, 0, DefaultWidth, DefaultHeight);
      MnuOnTop->SetChecked(false);
    }
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
  TRegistry Reg;
  if (!Reg.OpenKey(PositionKey, true)) throw ERegistryException(std::string("Failed to create key ") + PositionKey);
  const bool Maximized = GetWindowState() == wsMaximized;
  Reg.WriteString("Maximized", Maximized ? "1" : "0");
  // The normal (restored) bounds are the ones kept, in screen coordinates.
  if (Maximized) SetWindowState(wsNormal);
  RECT R = GetBoundsRect();
  if (HandleAllocated()) GetWindowRect(WindowHandle(), &R);
  Reg.WriteString("Left", std::to_string(R.left));
  Reg.WriteString("Top", std::to_string(R.top));
  Reg.WriteString("Width", std::to_string(R.right - R.left));
  Reg.WriteString("Height", std::to_string(R.bottom - R.top));
  Reg.WriteString("OnTop", MnuOnTop->GetChecked() ? "1" : "0");
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
  Info->ptMinTrackSize.x = MinTrackWidth;
  Info->ptMinTrackSize.y = MinTrackHeight;
  Message.Result = 0;
}

void TBkFrmOrlimo::WMCopyData(TMessage& Message) { LxHandleCopyData(Message, FIntakePanels, TLxIntakeMode::MainForm); }

void TBkFrmOrlimo::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_COPYDATA: WMCopyData(Message); return;
    default: TForm::WndProc(Message);
  }
}
