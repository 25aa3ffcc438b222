// IdeHost.exe: the IDE-like host program. It starts the host object of
// CodeRush3.dll and loads the panel plug-in next to it (or the DLL named on
// the command line), which registers itself.
//
//   IdeHost [--show] [--dock left|bottom|right] [PLUGIN.dll]
//     --show   shows the plug-in's panel at once (its toggle command)
//     --dock   then moves it to that place
#include <windows.h>

#include <string>

#include "hosts/idehost/IdeHostFm.h"
#include "platform/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->SetTitle(TIdeHostForm::Caption);
  std::string PlugIn;
  bool Show = false;
  int Dock = -1;
  for (int I = 1; I < __argc; ++I) {
    const std::string A = __argv[I];
    if (A == "--show") {
      Show = true;
    } else if (A == "--dock" && I + 1 < __argc) {
      const std::string Where = __argv[++I];
      Dock = Where == "left" ? rpLeft : Where == "right" ? rpRight : rpBottom;
    } else {
      PlugIn = A;
    }
  }
  if (PlugIn.empty()) {
    char Path[MAX_PATH];
    const DWORD N = ::GetModuleFileNameA(nullptr, Path, MAX_PATH);
    PlugIn.assign(Path, N);
    PlugIn.erase(PlugIn.find_last_of("\\/") + 1);
    PlugIn += "LxPnl30.dll";
  }
  TIdeHostForm* Form = nullptr;
  try {
    Form = new TIdeHostForm(nullptr);
    Application->SetMainForm(Form);
    if (!Form->LoadPlugIn(PlugIn)) Application->MessageBox(Form->LastError(), TIdeHostForm::Caption, MB_OK);
    if (Show) Form->RunCommand("ToggleOrlimoPanel");
    if (Dock >= 0) Form->MovePanel(Dock);
    Application->Run();
  } catch (const std::exception& E) {
    Application->HandleException(E);
  }
  delete Form;
  return 0;
}
