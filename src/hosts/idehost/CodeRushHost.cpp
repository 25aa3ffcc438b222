// The host object of CodeRush3.dll.
#include "hosts/idehost/CodeRushHost.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

TCodeRush* CodeRush = nullptr;

namespace {

bool SameText(const std::string& A, const std::string& B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
         });
}

std::string Hex(unsigned Value) {
  char Text[16];
  std::snprintf(Text, sizeof Text, "0x%X", Value);
  return Text;
}

// A plug-in's operation never lets an exception into the host.
template <class F>
void Guarded(F&& Op) noexcept {
  try {
    Op();
  } catch (...) {
  }
}

}  // namespace

TCodeRushHost::TCodeRushHost(TRushPanelSite* Site) : FSite(Site) {}

TCodeRushHost::~TCodeRushHost() { ReleaseAll(); }

std::string TCodeRushHost::NameOf(TAbstractRushInterface* PlugIn) const {
  const auto It = FNames.find(PlugIn);
  if (It != FNames.end()) return It->second;
  return PlugIn ? "?" : "nil";
}

void TCodeRushHost::RegisterPlugIn(TAbstractRushInterface* PlugIn) {
  if (!PlugIn) {
    Log("RegisterPlugIn(nil)");
    return;
  }
  std::string Name;
  Guarded([&] { Name = PlugIn->GetName(); });
  FNames[PlugIn] = Name;
  Log("RegisterPlugIn(" + Name + ")");
  if (std::find(FPlugIns.begin(), FPlugIns.end(), PlugIn) != FPlugIns.end()) return;
  PlugIn->AddRef();
  FPlugIns.push_back(PlugIn);
}

int TCodeRushHost::GetPlugInCount() { return static_cast<int>(FPlugIns.size()); }

void TCodeRushHost::Forget(TAbstractRushInterface* PlugIn) {
  FCommands.erase(
      std::remove_if(FCommands.begin(), FCommands.end(), [&](const TCommand& C) { return C.PlugIn == PlugIn; }),
      FCommands.end());
  FStringLists.erase(std::remove_if(FStringLists.begin(), FStringLists.end(),
                                    [&](const TStringList& L) { return L.PlugIn == PlugIn; }),
                     FStringLists.end());
  FMasks.erase(PlugIn);
}

void TCodeRushHost::UnregisterPlugInClass(const std::type_info& Class) {
  Log(std::string("UnregisterPlugInClass(") + Class.name() + ")");
  std::vector<TAbstractRushInterface*> Going;
  for (TAbstractRushInterface* P : FPlugIns)
    if (typeid(*P) == Class) Going.push_back(P);
  for (TAbstractRushInterface* P : Going) {
    if (FSite) FSite->PlugInRemoving(*P);
    FPlugIns.erase(std::find(FPlugIns.begin(), FPlugIns.end(), P));
    Forget(P);
    // The plug-in's destructor may still call the host (and find itself gone).
    Guarded([&] { P->Release(); });
    FNames.erase(P);
  }
}

TAbstractRushInterface* TCodeRushHost::GetPlugIn(int Index) {
  if (Index < 0 || Index >= GetPlugInCount()) return nullptr;
  return FPlugIns[static_cast<size_t>(Index)];
}

void TCodeRushHost::RegisterCommand(TAbstractRushInterface* PlugIn, const std::string& Command) {
  Log("RegisterCommand(" + NameOf(PlugIn) + ", " + Command + ")");
  if (PlugIn) FCommands.push_back(TCommand{PlugIn, Command});
}

bool TCodeRushHost::ExecuteCommand(const std::string& Command) {
  for (const TCommand& C : FCommands) {
    if (!SameText(C.Name, Command)) continue;
    TAbstractRushInterface* P = C.PlugIn;
    // The plug-in sees the command as it was typed.
    Guarded([&] { P->HandleCommand(Command); });
    return true;
  }
  return false;
}

void TCodeRushHost::RegisterRequestedStringList(TAbstractRushInterface* PlugIn, const std::string& Name, int Kind) {
  Log("RegisterRequestedStringList(" + NameOf(PlugIn) + ", " + Name + ", " + std::to_string(Kind) + ")");
  if (PlugIn) FStringLists.push_back(TStringList{PlugIn, Name, Kind});
}

bool TCodeRushHost::GetRequestedStringList(const std::string& Name, TRushStrings& Lines) {
  Lines.clear();
  for (const TStringList& L : FStringLists) {
    if (!SameText(L.Name, Name)) continue;
    bool Result = false;
    Guarded([&] { Result = L.PlugIn->GetRequestedStringList(L.Name, L.Kind, &Lines); });
    return Result;
  }
  return false;
}

void TCodeRushHost::SubscribeNotifications(TAbstractRushInterface* PlugIn, unsigned Mask) {
  Log("SubscribeNotifications(" + NameOf(PlugIn) + ", " + Hex(Mask) + ")");
  if (PlugIn) FMasks[PlugIn] |= Mask;
}

void TCodeRushHost::UnsubscribeNotifications(TAbstractRushInterface* PlugIn, unsigned Mask) {
  Log("UnsubscribeNotifications(" + NameOf(PlugIn) + ", " + Hex(Mask) + ")");
  const auto It = FMasks.find(PlugIn);
  if (It == FMasks.end()) return;
  It->second &= ~Mask;
  if (!It->second) FMasks.erase(It);
}

unsigned TCodeRushHost::GetNotificationMask(TAbstractRushInterface* PlugIn) {
  const auto It = FMasks.find(PlugIn);
  return It == FMasks.end() ? 0 : It->second;
}

HWND TCodeRushHost::GetMainWindow() { return FSite ? FSite->MainWindow() : nullptr; }

int TCodeRushHost::GetPanelCount(const std::string& PanelName) { return FSite ? FSite->PanelCount(PanelName) : 0; }

TAbstractPanelInterface* TCodeRushHost::FindPanelPlugIn(const std::string& PanelName) {
  for (TAbstractRushInterface* P : FPlugIns) {
    auto* Panel = dynamic_cast<TAbstractPanelInterface*>(P);
    if (Panel && SameText(NameOf(P), PanelName)) return Panel;
  }
  return nullptr;
}

void TCodeRushHost::ShowPanel(const std::string& PanelName, int Index) {
  Log("ShowPanel(" + PanelName + ", " + std::to_string(Index) + ")");
  if (TAbstractPanelInterface* P = FindPanelPlugIn(PanelName); P && FSite) FSite->ShowPanel(*P, Index);
}

void TCodeRushHost::HidePanel(const std::string& PanelName, int Index) {
  Log("HidePanel(" + PanelName + ", " + std::to_string(Index) + ")");
  if (FSite) FSite->HidePanel(PanelName, Index);
}

void TCodeRushHost::TogglePanel(const std::string& PanelName, int Index) {
  Log("TogglePanel(" + PanelName + ", " + std::to_string(Index) + ")");
  if (TAbstractPanelInterface* P = FindPanelPlugIn(PanelName); P && FSite) FSite->TogglePanel(*P, Index);
}

bool TCodeRushHost::IsPanelVisible(const std::string& PanelName, int Index) {
  return FSite && FSite->IsPanelVisible(PanelName, Index);
}

TComponent* TCodeRushHost::GetPanelComponent(const std::string& PanelName) {
  Log("GetPanelComponent(" + PanelName + ")");
  return FSite ? FSite->PanelComponent(PanelName) : nullptr;
}

void TCodeRushHost::NotifyPanelAboutToMove(const std::string& PanelName, int OldPosition, int NewPosition) {
  const std::vector<TAbstractRushInterface*> PlugIns = FPlugIns;
  for (TAbstractRushInterface* P : PlugIns) {
    if (!(GetNotificationMask(P) & RushNotifyPanels)) continue;
    Guarded([&] { P->Event_PanelAboutToMove(PanelName, OldPosition, NewPosition); });
  }
}

std::vector<std::string> TCodeRushHost::StringListNames() const {
  std::vector<std::string> Names;
  for (const TStringList& L : FStringLists) Names.push_back(L.Name);
  return Names;
}

std::vector<std::string> TCodeRushHost::CommandNames() const {
  std::vector<std::string> Names;
  for (const TCommand& C : FCommands) Names.push_back(C.Name);
  return Names;
}

void TCodeRushHost::ReleaseAll() {
  while (!FPlugIns.empty()) {
    TAbstractRushInterface* P = FPlugIns.back();
    if (FSite) FSite->PlugInRemoving(*P);
    FPlugIns.pop_back();
    Forget(P);
    Guarded([&] { P->Release(); });
    FNames.erase(P);
  }
}

namespace {
TCodeRushHost* GHost = nullptr;
}

TCodeRushHost* CodeRushStart(TRushPanelSite* Site) {
  if (!GHost) {
    GHost = new TCodeRushHost(Site);
    CodeRush = GHost;
  }
  return GHost;
}

void CodeRushStop() {
  if (!GHost) return;
  // No longer published while it ends: what the plug-ins do on their way
  // finds no host object.
  CodeRush = nullptr;
  GHost->ReleaseAll();
  delete GHost;
  GHost = nullptr;
}

void CodeRushUnloadPackage(HMODULE Package) {
  if (!Package) return;
  if (auto Finalize = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(::GetProcAddress(Package, "Finalize"))))
    Guarded(Finalize);
  ::FreeLibrary(Package);
}
