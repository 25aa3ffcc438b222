// Help contents and the about box.
#include "core/BkOrlimo.h"

#include "core/BkLxUtil.h"
#include "core/LxAbtFrm.h"
#include "core/LxHelp.h"

#include "model/ScopeExit.h"

void TBkOrlimoComposite::InvokeHelpContents() { LxHelp::ShowHelpContents(LxHelp::ProgramDirectory()); }

void TBkOrlimoComposite::DisplayAboutBox() {
  TFrmAbout Form;
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), GetHandle(), Left, Top);
  Form.SetLeft(Left);
  Form.SetTop(Top);
  FrmAbout = &Form;
  auto Reset = ScopeExit([] { FrmAbout = nullptr; });
  Form.ShowModal();
}
