// IdeHost.exe's main window: the plug-in's life, the panels' places and the menu.
#include "hosts/idehost/IdeHostFm.h"

#include <algorithm>
#include <cctype>

#include "platform/Application.h"

namespace {

// Posted to the main window: close the floating panel window (LParam) once
// the window's own close has returned.
constexpr UINT UM_CLOSEFLOATING = WM_APP + 40;

bool SameName(const std::string& A, const std::string& B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
         });
}

TAlign AlignOf(int Position) {
  switch (Position) {
    case rpLeft: return alLeft;
    case rpRight: return alRight;
    case rpBottom: return alBottom;
    default: return alClient;
  }
}

// "Label:<tab>|shown|target" as one readable line.
std::string AboutLine(const std::string& Line) {
  const auto Tab = Line.find("\t|");
  if (Tab == std::string::npos) return Line;
  const std::string Rest = Line.substr(Tab + 2);
  const auto Bar = Rest.find('|');
  if (Bar == std::string::npos) return Line.substr(0, Tab) + "  " + Rest;
  return Line.substr(0, Tab) + "  " + Rest.substr(0, Bar) + "  (" + Rest.substr(Bar + 1) + ")";
}

// The command line: Enter runs what was typed (it does not go to the form as a dialog key).
class TIdeCommandLine : public TEdit {
public:
  using TEdit::TEdit;
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_CHAR && M.WParam == '\r') {
      M.Result = 0;  // no beep of the single-line edit
      return;
    }
    TEdit::WndProc(M);
    if (M.Msg == WM_GETDLGCODE && M.WParam == VK_RETURN) M.Result |= DLGC_WANTALLKEYS;
  }
};

}  // namespace

// ============================================================ TIdeDockPanel

TIdeDockPanel::TIdeDockPanel(TComponent* AOwner, const std::string& Caption, HBITMAP Tab, COLORREF Transparent)
    : TCustomControl(AOwner), FTitle(Caption) {
  SetWindowClassName("TIdeDockPanel");
  if (Tab) {
    FTab.SetHandle(Tab);
    FTab.SetTransparentColor(static_cast<TColor>(Transparent));
    FTab.SetTransparent(true);
  }
}

void TIdeDockPanel::AdjustClientRect(RECT& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.top += CaptionHeight;
}

void TIdeDockPanel::Paint(TCanvas& Canvas) {
  const RECT Client = GetClientRect();
  Canvas.GetBrush().SetColor(clBtnFace);
  Canvas.FillRect(RECT{0, 0, Client.right, CaptionHeight});
  Canvas.GetBrush().SetColor(clBtnShadow);
  Canvas.FrameRect(RECT{0, 0, Client.right, CaptionHeight});
  int X = 4;
  if (!FTab.Empty()) {
    Canvas.Draw(X, (CaptionHeight - FTab.GetHeight()) / 2, FTab);
    X += FTab.GetWidth() + 4;
  }
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.GetFont().SetColor(clBtnText);
  Canvas.TextOut(X, 3, FTitle);
  Canvas.GetBrush().SetStyle(bsSolid);
}

// ============================================================ TIdeHostForm

TIdeHostForm::TIdeHostForm(TComponent* AOwner) : TForm(AOwner) {
  SetWindowClassName("TIdeHostForm");
  SetCaption(Caption);
  SetBounds(40, 40, 900, 640);
  FHost = CodeRushStart(this);

  FEdtCommand = new TIdeCommandLine(this);
  FEdtCommand->SetParent(this);
  FEdtCommand->SetAlign(alTop);
  FEdtCommand->SetHint("Type a command and press Enter");
  FEdtCommand->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
    if (Key != VK_RETURN) return;
    Key = 0;
    if (RunCommand(FEdtCommand->GetText()))
      FEdtCommand->SetText("");
    else
      ::MessageBeep(MB_ICONWARNING);
  };

  FEdtEditor = new TMemo(this);
  FEdtEditor->SetParent(this);
  FEdtEditor->SetAlign(alClient);
  FEdtEditor->SetScrollBars(ssBoth);
  FEdtEditor->SetLines({"// The host's editor.", "// Panels > Toggle Orlimo Panel shows the plug-in's panel;",
                        "// the line above takes commands such as focusorlimopanel."});
  CreateMenu();
}

TIdeHostForm::~TIdeHostForm() {
  UnloadPlugIn();
  while (!FInstances.empty()) DestroyInstance(FInstances.back().get());
  StopHost();
}

TMenuItem* TIdeHostForm::NewItem(TMenuItem* Parent, const std::string& Caption, TNotifyEvent Click) {
  auto* Item = new TMenuItem(this);
  Item->SetCaption(Caption);
  if (!Item->IsLine()) Item->OnClick = std::move(Click);
  Parent->Add(Item);
  return Item;
}

void TIdeHostForm::CreateMenu() {
  FMenu = new TMainMenu(this);
  TMenuItem* Bar = FMenu->GetItems();
  auto Command = [this](const char* Name) { return [this, Name](TObject*) { RunCommand(Name); }; };
  auto Move = [this](int Position) { return [this, Position](TObject*) { MovePanel(Position); }; };

  TMenuItem* File = NewItem(Bar, "&File");
  NewItem(File, "&Load Plug-in", [this](TObject*) {
    char Path[MAX_PATH];
    const DWORD N = ::GetModuleFileNameA(nullptr, Path, MAX_PATH);
    std::string Dir(Path, N);
    Dir.erase(Dir.find_last_of("\\/") + 1);
    if (!LoadPlugIn(Dir + "LxPnl30.dll")) Application->MessageBox(FLastError, Caption, MB_OK | MB_ICONSTOP);
  });
  NewItem(File, "&Unload Plug-in", [this](TObject*) { UnloadPlugIn(); });
  NewItem(File, "-");
  NewItem(File, "E&xit", [this](TObject*) { Close(); });

  TMenuItem* Panels = NewItem(Bar, "&Panels");
  NewItem(Panels, "&Toggle Orlimo Panel", Command("ToggleOrlimoPanel"));
  NewItem(Panels, "&Focus Orlimo Panel", Command("FocusOrlimoPanel"));
  NewItem(Panels, "-");
  NewItem(Panels, "Dock &Left", Move(rpLeft));
  NewItem(Panels, "Dock &Bottom", Move(rpBottom));
  NewItem(Panels, "Dock &Right", Move(rpRight));
  NewItem(Panels, "-");
  NewItem(Panels, "Open &Second Panel", [this](TObject*) { OpenSecondPanel(); });
  NewItem(Panels, "&Close Second Panel", [this](TObject*) { CloseSecondPanel(); });

  TMenuItem* Help = NewItem(Bar, "&Help");
  NewItem(Help, "&About Plug-ins...", [this](TObject*) { ShowAbout(); });
  SetMenu(FMenu);
}

// ------------------------------------------------------------ the plug-in

bool TIdeHostForm::LoadPlugIn(const std::string& FileName) {
  if (FPlugInModule) {
    FLastError = "A plug-in is loaded already.";
    return false;
  }
  HMODULE Module = ::LoadLibraryA(FileName.c_str());
  if (!Module) {
    FLastError = "Cannot load " + FileName + " (error " + std::to_string(::GetLastError()) + ").";
    return false;
  }
  auto Register = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(::GetProcAddress(Module, "Register")));
  if (!Register) {
    ::FreeLibrary(Module);
    FLastError = FileName + " has no Register.";
    return false;
  }
  FPlugInModule = Module;
  Register();
  if (FHost)
    for (int I = 0; I < FHost->GetPlugInCount(); ++I) FHost->GetPlugIn(I)->AllPanelPlugInsAreLoaded();
  return true;
}

void TIdeHostForm::UnloadPlugIn(bool ClosePanels, bool CallFinalize) {
  if (!FPlugInModule) return;
  // The panels go while their code is still there.
  if (ClosePanels)
    while (!FInstances.empty()) DestroyInstance(FInstances.back().get());
  HMODULE Module = FPlugInModule;
  FPlugInModule = nullptr;
  if (CallFinalize)
    CodeRushUnloadPackage(Module);
  else
    ::FreeLibrary(Module);
}

void TIdeHostForm::StopHost() {
  if (!FHost) return;
  CodeRushStop();
  FHost = nullptr;
}

bool TIdeHostForm::RunCommand(const std::string& Command) { return FHost && FHost->ExecuteCommand(Command); }

std::vector<std::string> TIdeHostForm::AboutLines() {
  std::vector<std::string> All;
  if (!FHost) return All;
  for (const std::string& Name : FHost->StringListNames()) {
    TRushStrings Lines;
    if (FHost->GetRequestedStringList(Name, Lines)) All.insert(All.end(), Lines.begin(), Lines.end());
  }
  return All;
}

void TIdeHostForm::ShowAbout() {
  std::string Text;
  for (const std::string& Line : AboutLines()) Text += AboutLine(Line) + "\r\n";
  if (Text.empty()) Text = "No plug-in is loaded.";
  Application->MessageBox(Text, "About Plug-ins", MB_OK | MB_ICONINFORMATION);
}

// ------------------------------------------------------------ panels

TIdeHostForm::TPanelInstance* TIdeHostForm::FindInstance(const std::string& Name, int Index) {
  int N = 0;
  for (auto& I : FInstances) {
    if (!SameName(I->Name, Name)) continue;
    if (Index < 0 || N == Index) return I.get();
    ++N;
  }
  return nullptr;
}

TIdeHostForm::TPanelInstance* TIdeHostForm::NewInstance(TAbstractPanelInterface& PlugIn, int Position) {
  auto Owned = std::make_unique<TPanelInstance>();
  TPanelInstance* I = Owned.get();
  I->PlugIn = &PlugIn;
  I->Name = PlugIn.GetName();
  I->Position = Position;
  FInstances.push_back(std::move(Owned));
  FCurrent = I;
  BuildInstance(*I);
  return I;
}

void TIdeHostForm::BuildInstance(TPanelInstance& I) {
  TWinControl* Site = this;
  if (I.Position == rpFloating) {
    I.Float = new TForm(this);
    I.Float->SetCaption(I.PlugIn->GetCaption());
    I.Float->SetFormStyle(fsStayOnTop);
    RECT R{};
    if (I.PlugIn->GetDefaultCoordinates(R))
      I.Float->SetBoundsRect(R);
    else
      I.Float->SetBounds(GetLeft() + 120 + 30 * InstanceCount(), GetTop() + 100 + 30 * InstanceCount(), 520, 360);
    TForm* Float = I.Float;
    I.Float->OnClose = [this, Float](TObject*, TCloseAction& Action) {
      Action = caHide;
      ::PostMessageA(GetHandle(), UM_CLOSEFLOATING, 0, reinterpret_cast<LPARAM>(Float));
    };
    Site = I.Float;
  }
  I.Frame =
      new TIdeDockPanel(Site, I.PlugIn->GetCaption(), I.PlugIn->GetBitmap(), I.PlugIn->GetTransparentBitmapColor());
  if (I.Position == rpLeft || I.Position == rpRight)
    I.Frame->SetWidth(DockSize);
  else
    I.Frame->SetHeight(DockSize);
  I.Frame->SetAlign(AlignOf(I.Position));
  I.Frame->SetParent(Site);
  I.Component = I.PlugIn->CreatePanel(I.Frame);
  if (I.Component) {
    I.Component->FreeNotification(this);
    I.Component->SetParent(I.Frame);
    I.Component->SetAlign(alClient);
    I.PlugIn->ShowPanelComponent(I.Component);
  }
  if (I.Float) I.Float->Show();
}

void TIdeHostForm::DropComponent(TPanelInstance& I) {
  if (I.Float)
    delete I.Float;  // with the frame and the component
  else
    delete I.Frame;  // with the component
  I.Float = nullptr;
  I.Frame = nullptr;
  I.Component = nullptr;
}

void TIdeHostForm::DestroyInstance(TPanelInstance* I) {
  const auto It = std::find_if(FInstances.begin(), FInstances.end(), [&](const auto& P) { return P.get() == I; });
  if (It == FInstances.end()) return;
  if (FCurrent == I) FCurrent = nullptr;
  DropComponent(*I);
  FInstances.erase(It);
}

void TIdeHostForm::MovePanel(int Position) {
  TPanelInstance* I = FInstances.empty() ? nullptr : FInstances.front().get();
  if (!I || I->Position == Position) return;
  FCurrent = I;
  if (FHost) FHost->NotifyPanelAboutToMove(I->Name, I->Position, Position);
  DropComponent(*I);
  // Between the two places: messages that arrive now find no panel, or one that ignores them.
  if (OnMoveGap) OnMoveGap();
  I->Position = Position;
  BuildInstance(*I);
}

bool TIdeHostForm::OpenSecondPanel() {
  if (!FHost) return false;
  for (int N = 0; N < FHost->GetPlugInCount(); ++N) {
    if (auto* P = dynamic_cast<TAbstractPanelInterface*>(FHost->GetPlugIn(N))) {
      NewInstance(*P, rpFloating);
      return true;
    }
  }
  return false;
}

void TIdeHostForm::CloseSecondPanel() {
  if (FInstances.size() > 1) DestroyInstance(FInstances.back().get());
}

void TIdeHostForm::SetInstanceVisible(TPanelInstance& I, bool Visible) {
  if (I.Float)
    I.Float->SetVisible(Visible);
  else if (I.Frame)
    I.Frame->SetVisible(Visible);
}

int TIdeHostForm::PanelCount(const std::string& PanelName) {
  return static_cast<int>(
      std::count_if(FInstances.begin(), FInstances.end(), [&](const auto& I) { return SameName(I->Name, PanelName); }));
}

void TIdeHostForm::ShowPanel(TAbstractPanelInterface& PlugIn, int Index) {
  TPanelInstance* I = FindInstance(PlugIn.GetName(), Index);
  if (!I) {
    NewInstance(PlugIn, PlugIn.GetDefaultPosition());
    return;
  }
  FCurrent = I;
  if (!I->Frame) BuildInstance(*I);
  SetInstanceVisible(*I, true);
}

void TIdeHostForm::HidePanel(const std::string& PanelName, int Index) {
  if (TPanelInstance* I = FindInstance(PanelName, Index)) SetInstanceVisible(*I, false);
}

void TIdeHostForm::TogglePanel(TAbstractPanelInterface& PlugIn, int Index) {
  const std::string Name = PlugIn.GetName();
  if (IsPanelVisible(Name, Index))
    HidePanel(Name, Index);
  else
    ShowPanel(PlugIn, Index);
}

bool TIdeHostForm::IsPanelVisible(const std::string& PanelName, int Index) {
  TPanelInstance* I = FindInstance(PanelName, Index);
  if (!I) return false;
  if (I->Float) return I->Float->GetVisible();
  return I->Frame && I->Frame->GetVisible();
}

TComponent* TIdeHostForm::PanelComponent(const std::string& PanelName) {
  if (FCurrent && SameName(FCurrent->Name, PanelName)) return FCurrent->Component;
  TPanelInstance* I = FindInstance(PanelName, -1);
  return I ? I->Component : nullptr;
}

void TIdeHostForm::PlugInRemoving(TAbstractRushInterface& PlugIn) {
  for (size_t N = FInstances.size(); N-- > 0;)
    if (FInstances[N]->PlugIn == &PlugIn) DestroyInstance(FInstances[N].get());
}

void TIdeHostForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  for (auto& I : FInstances)
    if (I->Component == AComponent) I->Component = nullptr;
}

void TIdeHostForm::WndProc(TMessage& Message) {
  if (Message.Msg == UM_CLOSEFLOATING) {
    for (auto& I : FInstances) {
      if (reinterpret_cast<LPARAM>(I->Float) == Message.LParam) {
        DestroyInstance(I.get());
        break;
      }
    }
    return;
  }
  TForm::WndProc(Message);
}
