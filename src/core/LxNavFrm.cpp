#include "core/LxNavFrm.h"

#include "core/BkLxUtil.h"

#include "platform/Gdi.h"
#include "platform/Graphics.h"

const char* const TFrmNavMsg::KindTexts[9] = {"Info Messages", "Warning Messages", "Error Messages",
                                              "Check Points",  "Objects",          "Streams",
                                              "String Lists",  "Properties",       "Notes"};

void TNavMsgListBox::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TNavMsgListBox::CreateWindowHandle(const TCreateParams& Params) {
  TListBox::CreateWindowHandle(Params);
  ::SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, ScaleDesign(ItemHeight));
}

void TNavMsgListBox::DpiChanged(int /*FromDpi*/, int /*ToDpi*/) {
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, ScaleDesign(ItemHeight));
}

void TNavMsgListBox::WndProc(TMessage& Message) {
  if (Message.Msg == CN_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = static_cast<UINT>(ScaleDesign(ItemHeight));
    Message.Result = TRUE;
    return;
  }
  if (Message.Msg == CN_DRAWITEM) {
    if (OnDrawItem) OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = TRUE;
    return;
  }
  TListBox::WndProc(Message);
}

TFrmNavMsg::TFrmNavMsg(TKindIconSource Icons) : TForm(nullptr), FIcons(std::move(Icons)) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poDesigned);
  SetCaption("Select Navigator Message Type");
  GetFont().SetName("MS Sans Serif");
  GetFont().SetSize(8);
  SetClientWidth(239);
  SetClientHeight(220);

  LblPrompt = new TLabel(this);
  LblPrompt->SetParent(this);
  LblPrompt->SetAutoSize(false);
  LblPrompt->SetWordWrap(true);
  LblPrompt->SetBounds(8, 8, 223, 26);
  LblPrompt->SetCaption("Select message type to be used by the Orlimo navigator buttons");

  LstNavMsg = new TNavMsgListBox(this);
  LstNavMsg->SetParent(this);
  LstNavMsg->SetBounds(8, 40, 223, 139);
  LstNavMsg->SetTabOrder(0);
  for (const char* Text : KindTexts) LstNavMsg->AddItem(Text);
  LstNavMsg->OnDrawItem = [this](const DRAWITEMSTRUCT& Item) { DrawItem(Item); };

  BtnOk = new TButton(this);
  BtnOk->SetParent(this);
  BtnOk->SetBounds(76, 187, 75, 25);
  BtnOk->SetCaption("OK");
  BtnOk->SetModalResult(mrOk);
  BtnOk->SetDefault(true);

  BtnCancel = new TButton(this);
  BtnCancel->SetParent(this);
  BtnCancel->SetBounds(156, 187, 75, 25);
  BtnCancel->SetCaption("Cancel");
  BtnCancel->SetModalResult(mrCancel);
  BtnCancel->SetCancel(true);
  SetActiveControl(LstNavMsg);
}

void TFrmNavMsg::DrawItem(const DRAWITEMSTRUCT& Item) {
  if (Item.itemID == static_cast<UINT>(-1)) return;
  const auto Index = static_cast<int>(Item.itemID);
  const bool Selected = (Item.itemState & ODS_SELECTED) != 0;
  HDC DC = Item.hDC;
  const RECT& R = Item.rcItem;
  const TBrushHandle Back(::CreateSolidBrush(ColorToRGB(Selected ? clHighlight : clWindow)));
  ::FillRect(DC, &R, Back.Get());
  ::SetBkMode(DC, TRANSPARENT);
  ::SetTextColor(DC, ColorToRGB(Selected ? clHighlightText : clWindowText));
  if (Index < LstNavMsg->GetItems().Count()) {
    TSelectObject Font(DC, LstNavMsg->GetFont().GetHandle());
    const std::string& Text = LstNavMsg->GetItems()[Index];
    const int Left = LstNavMsg->ScaleDesign(24), Top = LstNavMsg->ScaleDesign(1);
    ::TextOutA(DC, R.left + Left, R.top + Top, Text.data(), static_cast<int>(Text.size()));
  }
  if (TBitmap* Icon = FIcons ? FIcons(Index, Selected) : nullptr) {
    // The icons' art is at 96 DPI: drawn as the list draws them.
    HDC Src = Icon->GetCanvas().GetHandle();
    StretchPixelArt(DC, R.left + LstNavMsg->ScaleDesign(4), R.top + LstNavMsg->ScaleDesign(2),
                    LstNavMsg->ScaleDesign(Icon->GetWidth()), LstNavMsg->ScaleDesign(Icon->GetHeight()), Src, 0, 0,
                    Icon->GetWidth(), Icon->GetHeight());
  }
  if (Item.itemState & ODS_FOCUS) ::DrawFocusRect(DC, &R);
}

bool SelectNavigatorKind(TWinControl& Panel, std::int32_t& Kind, const TKindIconSource& Icons) {
  TFrmNavMsg Form(Icons);
  Form.LstNavMsg->SetItemIndex(Kind >= 0 && Kind < 9 ? static_cast<int>(Kind) : -1);
  int Left = 0, Top = 0;
  BkLxUtil::CenterToWindow(Form.GetWidth(), Form.GetHeight(), Panel.GetHandle(), Left, Top);
  Form.SetLeft(Left);
  Form.SetTop(Top);
  if (Form.ShowModal() != mrOk) return false;
  const int Chosen = Form.LstNavMsg->GetItemIndex();
  if (Chosen < 0) return false;
  Kind = Chosen;
  return true;
}
