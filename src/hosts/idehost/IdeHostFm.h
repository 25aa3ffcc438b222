// IdeHost.exe's main window: a small IDE-like program that starts the host
// object of CodeRush3.dll, loads a panel plug-in and calls its Register, and
// docks the plug-in's panels at the left, bottom or right of its window or in
// a floating window. Its menu offers what a user of the host does: run the
// plug-in's commands, move the panel, open a second panel, read the about
// lines, unload the plug-in.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hosts/idehost/CodeRushHost.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

// The frame of one panel: a caption strip with the tab picture and the
// caption, and the plug-in's component filling the rest.
class TIdeDockPanel : public TCustomControl {
public:
  static constexpr int CaptionHeight = 20;
  TIdeDockPanel(TComponent* AOwner, const std::string& Caption, HBITMAP Tab, COLORREF Transparent);
  TBitmap& GetTab() { return FTab; }
  void AdjustClientRect(RECT& Rect) override;

protected:
  void Paint(TCanvas& Canvas) override;

private:
  std::string FTitle;
  TBitmap FTab;
};

class TIdeHostForm : public TForm, public TRushPanelSite {
public:
  static constexpr const char* Caption = "Orlimo IDE Host";
  static constexpr int DockSize = 260;

  // One shown panel of a plug-in.
  struct TPanelInstance {
    TAbstractPanelInterface* PlugIn = nullptr;
    std::string Name;
    int Position = rpBottom;
    TForm* Float = nullptr;  // the floating window, when Position is rpFloating
    TIdeDockPanel* Frame = nullptr;
    TWinControl* Component = nullptr;  // made by the plug-in's CreatePanel
  };

  explicit TIdeHostForm(TComponent* AOwner);
  ~TIdeHostForm() override;

  // Loads the DLL and calls its exported Register. False (with the reason in
  // LastError) when it cannot be loaded or has no Register.
  bool LoadPlugIn(const std::string& FileName);
  // Closes the plug-in's panels (unless ClosePanels is false: the plug-in's
  // end then has the host close them), then unloads the DLL: its Finalize
  // first, then FreeLibrary (CallFinalize false: FreeLibrary alone, as a host
  // that does not know of Finalize does).
  void UnloadPlugIn(bool ClosePanels = true, bool CallFinalize = true);
  // Ends the host object before the plug-in goes (CodeRush is null from then
  // on): its plug-ins are released and their panels closed.
  void StopHost();
  bool PlugInLoaded() const { return FPlugInModule != nullptr; }
  const std::string& LastError() const { return FLastError; }
  TCodeRushHost& Host() { return *FHost; }
  bool HostRunning() const { return FHost != nullptr; }

  // A command as a user types it (letter case as typed).
  bool RunCommand(const std::string& Command);
  // Moves the main instance of the (first) panel to a dock place: the plug-in
  // is told, the component destroyed, and a new one asked for at the new place.
  void MovePanel(int Position);
  // Opens another instance of the panel in a floating window; closes it.
  bool OpenSecondPanel();
  void CloseSecondPanel();
  // The plug-ins' about and support lines (their requested string lists).
  std::vector<std::string> AboutLines();

  int InstanceCount() const { return static_cast<int>(FInstances.size()); }
  TPanelInstance* Instance(int Index) { return FInstances.at(static_cast<size_t>(Index)).get(); }

  // TRushPanelSite
  HWND MainWindow() override { return GetHandle(); }
  int PanelCount(const std::string& PanelName) override;
  void ShowPanel(TAbstractPanelInterface& PlugIn, int Index) override;
  void HidePanel(const std::string& PanelName, int Index) override;
  void TogglePanel(TAbstractPanelInterface& PlugIn, int Index) override;
  bool IsPanelVisible(const std::string& PanelName, int Index) override;
  TComponent* PanelComponent(const std::string& PanelName) override;
  void PlugInRemoving(TAbstractRushInterface& PlugIn) override;

  // Called during a move while the panel has left its place and has no
  // component yet (tests and automation: messages arriving then).
  std::function<void()> OnMoveGap;

  void WndProc(TMessage& Message) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void CreateMenu();
  TMenuItem* NewItem(TMenuItem* Parent, const std::string& Caption, TNotifyEvent Click = nullptr);
  TPanelInstance* FindInstance(const std::string& Name, int Index);
  TPanelInstance* NewInstance(TAbstractPanelInterface& PlugIn, int Position);
  // Places the frame at the instance's position and asks the plug-in for its component.
  void BuildInstance(TPanelInstance& I);
  // The plug-in is told, then the component goes (the frame stays).
  void DropComponent(TPanelInstance& I);
  void DestroyInstance(TPanelInstance* I);
  void SetInstanceVisible(TPanelInstance& I, bool Visible);
  void ShowAbout();

  TCodeRushHost* FHost = nullptr;
  HMODULE FPlugInModule = nullptr;
  std::string FLastError;
  std::vector<std::unique_ptr<TPanelInstance>> FInstances;
  // The instance the host is working on (moved, shown last): GetPanelComponent answers with it.
  TPanelInstance* FCurrent = nullptr;
  TEdit* FEdtCommand = nullptr;
  TMemo* FEdtEditor = nullptr;
  TMainMenu* FMenu = nullptr;
};
