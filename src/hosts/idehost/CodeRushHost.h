// The host object of CodeRush3.dll: keeps what plug-ins register (the
// plug-ins, their commands, string lists and notification masks), runs
// commands and notifications, and hands the panel operations to the IDE
// program that docks the panels (TRushPanelSite). Every call is written to a
// call log, in order, with its arguments.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "hosts/rushintf/RushIntf.h"

// What the IDE program does with panels: the host object forwards the panel
// operations to it.
class TRushPanelSite {
public:
  virtual ~TRushPanelSite() = default;
  virtual HWND MainWindow() = 0;
  virtual int PanelCount(const std::string& PanelName) = 0;
  virtual void ShowPanel(TAbstractPanelInterface& PlugIn, int Index) = 0;
  virtual void HidePanel(const std::string& PanelName, int Index) = 0;
  virtual void TogglePanel(TAbstractPanelInterface& PlugIn, int Index) = 0;
  virtual bool IsPanelVisible(const std::string& PanelName, int Index) = 0;
  virtual TComponent* PanelComponent(const std::string& PanelName) = 0;
  // A plug-in goes: its panels must go first.
  virtual void PlugInRemoving(TAbstractRushInterface& PlugIn) = 0;
};

class RUSHINTF_API TCodeRushHost : public TCodeRush {
public:
  explicit TCodeRushHost(TRushPanelSite* Site);
  ~TCodeRushHost() override;

  void RegisterPlugIn(TAbstractRushInterface* PlugIn) override;
  int GetPlugInCount() override;
  void UnregisterPlugInClass(const std::type_info& Class) override;
  TAbstractRushInterface* GetPlugIn(int Index) override;
  void RegisterCommand(TAbstractRushInterface* PlugIn, const std::string& Command) override;
  bool ExecuteCommand(const std::string& Command) override;
  void RegisterRequestedStringList(TAbstractRushInterface* PlugIn, const std::string& Name, int Kind) override;
  bool GetRequestedStringList(const std::string& Name, TRushStrings& Lines) override;
  void SubscribeNotifications(TAbstractRushInterface* PlugIn, unsigned Mask) override;
  void UnsubscribeNotifications(TAbstractRushInterface* PlugIn, unsigned Mask) override;
  unsigned GetNotificationMask(TAbstractRushInterface* PlugIn) override;
  HWND GetMainWindow() override;
  int GetPanelCount(const std::string& PanelName) override;
  void ShowPanel(const std::string& PanelName, int Index) override;
  void HidePanel(const std::string& PanelName, int Index) override;
  void TogglePanel(const std::string& PanelName, int Index) override;
  bool IsPanelVisible(const std::string& PanelName, int Index) override;
  TComponent* GetPanelComponent(const std::string& PanelName) override;

  // The panel plug-in of that name (letter case ignored), or null.
  TAbstractPanelInterface* FindPanelPlugIn(const std::string& PanelName);
  // Tells every plug-in subscribed to panel notifications.
  void NotifyPanelAboutToMove(const std::string& PanelName, int OldPosition, int NewPosition);
  // The names of the registered requested string lists and of the commands.
  std::vector<std::string> StringListNames() const;
  std::vector<std::string> CommandNames() const;
  // Every call made on the host object so far, one line each:
  // "Operation(argument, argument)". Plug-ins are named by GetName.
  const std::vector<std::string>& CallLog() const { return FCallLog; }
  void ClearCallLog() { FCallLog.clear(); }
  // Releases every plug-in still registered (their panels go first).
  void ReleaseAll();

private:
  struct TCommand {
    TAbstractRushInterface* PlugIn;
    std::string Name;
  };
  struct TStringList {
    TAbstractRushInterface* PlugIn;
    std::string Name;
    int Kind;
  };
  std::string NameOf(TAbstractRushInterface* PlugIn) const;
  void Log(const std::string& Line) { FCallLog.push_back(Line); }
  void Forget(TAbstractRushInterface* PlugIn);

  TRushPanelSite* FSite;
  std::vector<TAbstractRushInterface*> FPlugIns;
  std::map<TAbstractRushInterface*, std::string> FNames;
  std::vector<TCommand> FCommands;
  std::vector<TStringList> FStringLists;
  std::map<TAbstractRushInterface*, unsigned> FMasks;
  std::vector<std::string> FCallLog;
};

// Makes the host object and publishes it as CodeRush; CodeRushStop sets
// CodeRush to null, releases every plug-in and frees the object.
extern "C" RUSHINTF_API TCodeRushHost* CodeRushStart(TRushPanelSite* Site);
extern "C" RUSHINTF_API void CodeRushStop();

// Unloads a plug-in package as the host does: its exported Finalize first,
// when it has one (the package ends its unit there, outside the loader lock),
// then FreeLibrary.
extern "C" RUSHINTF_API void CodeRushUnloadPackage(HMODULE Package);
