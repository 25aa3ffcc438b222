#include "core/BkPopupTip.h"

#include "components/LxCommon.h"
#include "platform/Forms.h"

TBkPopupTip::TBkPopupTip(TComponent* AOwner) : TCustomControl(AOwner) {
  SetWindowClassName("TBkPopupTip");
  SetVisible(false);
  SetTabStop(false);
  SetBounds(0, 0, 100, 20);
}

void TBkPopupTip::SetTipText(const std::string& Text) {
  FTipText = Text.substr(0, MaxText);
  Invalidate();
}

void TBkPopupTip::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.ClassStyle |= CS_SAVEBITS;
  Params.WndParent = FOwnerWindow;
}

LRESULT TBkPopupTip::DialogCode(WPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTCHARS; }

int TBkPopupTip::CalcTipHeight(int Width) {
  RECT R{0, 0, Width, 2};
  TCanvas& C = GetCanvas();
  C.GetFont().Assign(GetFont());
  C.DrawText(FTipText, R, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return R.bottom - R.top;
}

void TBkPopupTip::Paint(TCanvas& Canvas) {
  RECT R = DrawBorder(Canvas, GetClientRect(), fsButtonUp);
  Canvas.GetBrush().SetStyle(bsSolid);
  Canvas.GetBrush().SetColor(Application->GetHintColor());
  Canvas.FillRect(R);
  Canvas.GetBrush().SetStyle(bsClear);
  Canvas.GetFont().Assign(GetFont());
  Canvas.DrawText(FTipText, R, DT_WORDBREAK | DT_NOPREFIX);
  Canvas.GetBrush().SetStyle(bsSolid);
}

void TBkPopupTip::RequestClose() {
  if (OnCloseRequest) OnCloseRequest();
}

void TBkPopupTip::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) {
        RequestClose();
        Message.Result = 0;
        return;
      }
      if (Message.WParam == VK_TAB) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_CHAR:
      if (Message.WParam == '\r' || Message.WParam == 27 || Message.WParam == '\t') {
        Message.Result = 0;
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      RequestClose();
      Message.Result = 0;
      return;
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      TCustomControl::WndProc(Message);
      if (Message.Msg != WM_CAPTURECHANGED || reinterpret_cast<HWND>(Message.LParam) != WindowHandle()) RequestClose();
      return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}
