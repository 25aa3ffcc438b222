// The IDE panel plug-in LxPnl30.dll: the plug-in class the IDE add-in host
// talks to, the exported Register the host calls after loading the DLL, and
// the unit state (the one satellite window serving every panel).
#pragma once

#include <string>

#include "hosts/rushintf/RushIntf.h"

class TBkFrmLxSatellite;

#if defined(LXPNL30_BUILD_DLL)
#define LXPNL_API __declspec(dllexport)
#else
#define LXPNL_API __declspec(dllimport)
#endif

class TBkOrlimoPanelPlugIn : public TAbstractPanelInterface {
public:
  static constexpr const char* PlugInName = "Brunelk_OrlimoPanelPlugIn";
  static constexpr const char* Description = "Orlimo v1.0";
  static constexpr const char* ToggleCommand = "ToggleOrlimoPanel";
  static constexpr const char* FocusCommand = "FocusOrlimoPanel";
  static constexpr const char* AboutListName = "Orlimo v1.0";
  static constexpr unsigned NotificationMask = 0x4000;
  static constexpr int AboutListKind = 3;
  static constexpr int DefaultPosition = 2;
  static constexpr COLORREF TabTransparentColor = RGB(0, 128, 128);

  TBkOrlimoPanelPlugIn() = default;
  ~TBkOrlimoPanelPlugIn() override;

  std::string GetName() override;
  std::string GetDescription() override;
  void HandleCommand(const std::string& Command) override;
  bool GetRequestedStringList(const std::string& Name, int Kind, TRushStrings* List) override;
  void Event_PanelAboutToMove(const std::string& PanelName, int OldPosition, int NewPosition) override;
  std::string GetCaption() override;
  int GetDefaultPosition() override;
  HBITMAP GetBitmap() override;
  COLORREF GetTransparentBitmapColor() override;
  TWinControl* CreatePanel(TComponent* Owner) override;
  void ShowPanelComponent(TComponent* Component) override;
};

// Called by the host once it has loaded the DLL (see LxPnlPlg.cpp for the steps).
extern "C" LXPNL_API void Register();
// The unit's end, called by the host before it unloads the DLL (outside the
// loader lock): the satellite window, the plug-in's registration with the
// host, the panels still open, this module's windows and window classes go.
// Runs once; a host that does not call it has the same done when the DLL is
// unloaded, except that the window classes stay registered.
extern "C" LXPNL_API void Finalize();
// The satellite window of the unit state, or null (for the host's and the tests' look).
extern "C" LXPNL_API TBkFrmLxSatellite* OrlimoSatellite();
