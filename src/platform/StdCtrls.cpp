#include "platform/StdCtrls.h"

#include "platform/PlatformExcept.h"

#include <algorithm>
#include <cctype>

namespace {
int FontHeightPixels(TFont& Font) {
  TMemoryDC DC = CreateMemoryDC();
  TSelectObject Sel(DC.Get(), Font.GetHandle());
  TEXTMETRICA TM{};
  ::GetTextMetricsA(DC.Get(), &TM);
  return TM.tmHeight;
}
}  // namespace

int TStringItems::IndexOf(const std::string& S) const {
  for (size_t I = 0; I < FStrings.size(); ++I) {
    const std::string& T = FStrings[I];
    if (T.size() == S.size() && std::equal(T.begin(), T.end(), S.begin(), [](char A, char B) {
          return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B));
        }))
      return static_cast<int>(I);
  }
  return -1;
}

// ---------------------------------------------------------------- buttons
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  FTabStop = true;
  FWidth = 75;
  FHeight = 25;
}

void TButtonControl::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  P.SysClassName = "BUTTON";
  P.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoButton";
}

void TButtonControl::WndProc(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    if (HIWORD(M.WParam) == BN_CLICKED) Click();
    M.Result = 0;
    return;
  }
  if (M.Msg == WM_ERASEBKGND) {  // the button paints itself
    DefaultHandler(M);
    return;
  }
  TWinControl::WndProc(M);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {}

void TButton::CreateParams(TCreateParams& P) {
  TButtonControl::CreateParams(P);
  P.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::IsDialogButton(WORD Key) const { return (Key == VK_RETURN && FDefault) || (Key == VK_ESCAPE && FCancel); }

void TButton::Click() {
  if (FModalResult != mrNone)
    if (TCustomForm* Form = GetParentForm()) Form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& P) {
  TButtonControl::CreateParams(P);
  P.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWindowHandle(const TCreateParams& P) {
  TButtonControl::CreateWindowHandle(P);
  ::SendMessageA(WindowHandle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::GetChecked() const {
  if (HandleAllocated()) return ::SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FChecked;
}

void TCheckBox::SetChecked(bool Value) {
  FChecked = Value;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Click() {
  if (HandleAllocated()) FChecked = GetChecked();
  TButtonControl::Click();
}

TRadioButton::TRadioButton(TComponent* AOwner) : TCheckBox(AOwner) {}

void TRadioButton::CreateParams(TCreateParams& P) {
  TButtonControl::CreateParams(P);
  P.Style |= BS_AUTORADIOBUTTON;
}

void TRadioButton::Click() {
  if (HandleAllocated()) FChecked = GetChecked();
  if (FChecked && GetParent()) {
    for (int I = 0; I < GetParent()->GetControlCount(); ++I)
      if (auto* R = dynamic_cast<TRadioButton*>(GetParent()->GetControl(I)); R && R != this) R->FChecked = false;
  }
  TButtonControl::Click();
}

// ---------------------------------------------------------------- group box
TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 105;
}

void TGroupBox::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  P.SysClassName = "BUTTON";
  P.Style |= BS_GROUPBOX;
  P.ExStyle |= WS_EX_CONTROLPARENT;
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoGroupBox";
}

void TGroupBox::AdjustClientRect(RECT& R) {
  R.top += FontHeightPixels(GetFont());
  R.left += 2;
  R.right -= 2;
  R.bottom -= 2;
}

void TGroupBox::WndProc(TMessage& M) {
  if (M.Msg == WM_NCHITTEST) {  // the system's group box lets clicks through; this one takes them
    M.Result = HTCLIENT;
    return;
  }
  TWinControl::WndProc(M);
}

// ---------------------------------------------------------------- edits
TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FTabStop = true;
  FColor = clWindow;
  FWidth = 121;
  FHeight = 21;
}

void TCustomEdit::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  P.SysClassName = "EDIT";
  P.Style |= ES_AUTOHSCROLL;
  P.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
  if (FReadOnly) P.Style |= ES_READONLY;
  if (FBorder) {
    if (FCtl3D)
      P.ExStyle |= WS_EX_CLIENTEDGE;
    else
      P.Style |= WS_BORDER;
  }
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoEdit";
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& P) {
  // The text goes in once the limit is set: made with a text longer than the
  // system's default limit (30,000 characters) the window would not be created.
  TCreateParams WithoutText = P;
  WithoutText.Caption.clear();
  TWinControl::CreateWindowHandle(WithoutText);
  ::SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(std::max(FMaxLength, 0)), 0);
  if (!P.Caption.empty()) ::SendMessageA(WindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(P.Caption.c_str()));
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = Value;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(std::max(Value, 0)), 0);
}

void TCustomEdit::SetBorder(bool Value) {
  if (Value == FBorder) return;
  FBorder = Value;
  RecreateWnd();
}

void TCustomEdit::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  RecreateWnd();
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::SetSelection(int Start, int End) {
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(Start), End);
}

void TCustomEdit::GetSelection(int& Start, int& End) {
  DWORD S = 0, E = 0;
  if (HandleAllocated())
    ::SendMessageA(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&S), reinterpret_cast<LPARAM>(&E));
  Start = static_cast<int>(S);
  End = static_cast<int>(E);
}

void TCustomEdit::CopyToClipboard() {
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), WM_COPY, 0, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    if (HIWORD(M.WParam) == EN_CHANGE) Change();
    M.Result = 0;
    return;
  }
  if (M.Msg == WM_ERASEBKGND) {
    DefaultHandler(M);
    return;
  }
  TWinControl::WndProc(M);
}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  FWidth = 185;
  FHeight = 89;
}

void TMemo::CreateParams(TCreateParams& P) {
  TCustomEdit::CreateParams(P);
  P.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (FWordWrap) P.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) P.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) P.Style |= WS_HSCROLL;
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoMemo";
}

LRESULT TMemo::DialogCode(WPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

std::vector<std::string> TMemo::GetLines() const {
  std::vector<std::string> Lines;
  const std::string Text = DoGetText();
  if (Text.empty()) return Lines;
  size_t Start = 0;
  for (;;) {
    const size_t End = Text.find("\r\n", Start);
    if (End == std::string::npos) {
      if (Start < Text.size()) Lines.push_back(Text.substr(Start));
      break;
    }
    Lines.push_back(Text.substr(Start, End - Start));
    Start = End + 2;
  }
  return Lines;
}

void TMemo::SetLines(const std::vector<std::string>& Lines) {
  std::string Text;
  for (size_t I = 0; I < Lines.size(); ++I) {
    if (I) Text += "\r\n";
    Text += Lines[I];
  }
  SetText(Text);
}

// ---------------------------------------------------------------- combo box
TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  FTabStop = true;
  FColor = clWindow;
  FWidth = 145;
  FHeight = 21;
}

void TComboBox::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  P.SysClassName = "COMBOBOX";
  P.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
  P.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDown: P.Style |= CBS_DROPDOWN; break;
    case csSimple: P.Style |= CBS_SIMPLE; break;
    case csDropDownList: P.Style |= CBS_DROPDOWNLIST; break;
  }
  if (FStyle != csSimple) P.Height = FHeight + FDropDownCount * (FontHeightPixels(GetFont()) + 2) + 2;
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoComboBox";
}

void TComboBox::CreateWindowHandle(const TCreateParams& P) {
  TWinControl::CreateWindowHandle(P);
  HWND W = WindowHandle();
  for (int I = 0; I < FItems.Count(); ++I) {
    const LRESULT Index = ::SendMessageA(W, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems[I].c_str()));
    ::SendMessageA(W, CB_SETITEMDATA, static_cast<WPARAM>(Index), static_cast<LPARAM>(FItems.GetObject(I)));
  }
  if (P.Style & CBS_SORT) {
    // The window sorted them: the items follow its order.
    const int Count = static_cast<int>(::SendMessageA(W, CB_GETCOUNT, 0, 0));
    for (int I = 0; I < Count && I < FItems.Count(); ++I) {
      const LRESULT Length = ::SendMessageA(W, CB_GETLBTEXTLEN, static_cast<WPARAM>(I), 0);
      std::string Text(Length > 0 ? static_cast<size_t>(Length) : 0, '\0');
      if (Length > 0) ::SendMessageA(W, CB_GETLBTEXT, static_cast<WPARAM>(I), reinterpret_cast<LPARAM>(Text.data()));
      FItems.FStrings[static_cast<size_t>(I)] = std::move(Text);
      FItems.FObjects[static_cast<size_t>(I)] =
          static_cast<std::intptr_t>(::SendMessageA(W, CB_GETITEMDATA, static_cast<WPARAM>(I), 0));
    }
  }
  if (FItemIndex >= 0) ::SendMessageA(W, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  if (FStyle != csDropDownList && FItemIndex < 0) ::SetWindowTextA(W, FText.c_str());
}

void TComboBox::DestroyWnd() {
  if (HandleAllocated()) FItemIndex = GetItemIndex();
  TWinControl::DestroyWnd();
}

void TComboBox::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!HandleAllocated()) return;
  int H = AHeight;
  if (FStyle != csSimple) H = AHeight + FDropDownCount * (FontHeightPixels(GetFont()) + 2) + 2;
  ::SetWindowPos(WindowHandle(), nullptr, ALeft, ATop, AWidth, H, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  RecreateWnd();
}

int TComboBox::AddItem(const std::string& S, std::intptr_t Object) {
  int Index = FItems.Count();
  if (HandleAllocated()) {
    // A sorted window says where the item went.
    const LRESULT At = ::SendMessageA(WindowHandle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
    if (At >= 0 && At <= Index) {
      Index = static_cast<int>(At);
      ::SendMessageA(WindowHandle(), CB_SETITEMDATA, static_cast<WPARAM>(At), static_cast<LPARAM>(Object));
    }
  } else if (SortsItems()) {
    const auto Before = [](const std::string& A, const std::string& B) {
      return ::lstrcmpiA(A.c_str(), B.c_str()) < 0;
    };
    Index = static_cast<int>(std::upper_bound(FItems.FStrings.begin(), FItems.FStrings.end(), S, Before) -
                             FItems.FStrings.begin());
    if (FItemIndex >= Index) ++FItemIndex;
  }
  FItems.FStrings.insert(FItems.FStrings.begin() + Index, S);
  FItems.FObjects.insert(FItems.FObjects.begin() + Index, Object);
  return Index;
}

void TComboBox::InsertItem(int Index, const std::string& S, std::intptr_t Object) {
  Index = std::clamp(Index, 0, FItems.Count());
  FItems.FStrings.insert(FItems.FStrings.begin() + Index, S);
  FItems.FObjects.insert(FItems.FObjects.begin() + Index, Object);
  if (HandleAllocated()) {
    ::SendMessageA(WindowHandle(), CB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
    ::SendMessageA(WindowHandle(), CB_SETITEMDATA, static_cast<WPARAM>(Index), static_cast<LPARAM>(Object));
  } else if (FItemIndex >= Index) {
    ++FItemIndex;
  }
}

void TComboBox::DeleteItem(int Index) {
  if (Index < 0 || Index >= FItems.Count()) return;
  FItems.FStrings.erase(FItems.FStrings.begin() + Index);
  FItems.FObjects.erase(FItems.FObjects.begin() + Index);
  if (HandleAllocated()) {
    ::SendMessageA(WindowHandle(), CB_DELETESTRING, static_cast<WPARAM>(Index), 0);
  } else if (FItemIndex == Index) {
    FItemIndex = -1;
  } else if (FItemIndex > Index) {
    --FItemIndex;
  }
}

void TComboBox::ClearItems() {
  FItems.FStrings.clear();
  FItems.FObjects.clear();
  FItemIndex = -1;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), CB_RESETCONTENT, 0, 0);
}

void TComboBox::SetItems(const std::vector<std::string>& Items) {
  ClearItems();
  for (const std::string& S : Items) AddItem(S);
}

int TComboBox::GetItemIndex() const {
  if (HandleAllocated()) return static_cast<int>(::SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count()) Value = -1;
  FItemIndex = Value;
  if (HandleAllocated())
    ::SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  else
    FText = Value >= 0 ? FItems[Value] : std::string();
}

bool TComboBox::GetDroppedDown() {
  return HandleAllocated() && ::SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool Value) { ::SendMessageA(GetHandle(), CB_SHOWDROPDOWN, Value ? TRUE : FALSE, 0); }

void TComboBox::SetSelection(int Start, int End) {
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), CB_SETEDITSEL, 0, MAKELPARAM(Start, End));
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::WndProc(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    switch (HIWORD(M.WParam)) {
      case CBN_SELCHANGE:
        if (FStyle != csDropDownList) {
          const int I = GetItemIndex();
          if (I >= 0) ::SetWindowTextA(WindowHandle(), FItems[I].c_str());
        }
        Change();
        break;
      case CBN_EDITCHANGE: Change(); break;
      case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        break;
      case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        break;
      default: break;
    }
    M.Result = 0;
    return;
  }
  if (M.Msg == WM_ERASEBKGND) {
    DefaultHandler(M);
    return;
  }
  TWinControl::WndProc(M);
}

// ---------------------------------------------------------------- list box
TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
  FTabStop = true;
  FColor = clWindow;
  FWidth = 121;
  FHeight = 97;
}

void TListBox::CreateParams(TCreateParams& P) {
  TWinControl::CreateParams(P);
  P.SysClassName = "LISTBOX";
  P.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
  P.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  if (FMultiSelect) P.Style |= LBS_EXTENDEDSEL;
  if (FSorted) P.Style |= LBS_SORT;
  if (FBorder) {
    if (FCtl3D)
      P.ExStyle |= WS_EX_CLIENTEDGE;
    else
      P.Style |= WS_BORDER;
  }
  if (GetWindowClassName().empty()) P.WinClassName = "TOrlimoListBox";
}

void TListBox::CreateWindowHandle(const TCreateParams& P) {
  TWinControl::CreateWindowHandle(P);
  HWND W = WindowHandle();
  for (int I = 0; I < FItems.Count(); ++I) {
    const LRESULT Index = ::SendMessageA(W, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems[I].c_str()));
    ::SendMessageA(W, LB_SETITEMDATA, static_cast<WPARAM>(Index), static_cast<LPARAM>(FItems.GetObject(I)));
  }
  if (FMultiSelect) {
    for (size_t I = 0; I < FSelected.size(); ++I)
      if (FSelected[I]) ::SendMessageA(W, LB_SETSEL, TRUE, static_cast<LPARAM>(I));
  } else if (FItemIndex >= 0) {
    ::SendMessageA(W, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  }
}

void TListBox::DestroyWnd() {
  if (HandleAllocated()) {
    FItemIndex = GetItemIndex();
    FSelected.assign(static_cast<size_t>(FItems.Count()), false);
    for (int I = 0; I < FItems.Count(); ++I) FSelected[static_cast<size_t>(I)] = GetSelected(I);
  }
  TWinControl::DestroyWnd();
}

void TListBox::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TListBox::SetBorder(bool Value) {
  if (Value == FBorder) return;
  FBorder = Value;
  RecreateWnd();
}

void TListBox::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  RecreateWnd();
}

void TListBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  RecreateWnd();
}

int TListBox::AddItem(const std::string& S, std::intptr_t Object) {
  int Index = FItems.Count();
  if (FSorted) {
    Index =
        static_cast<int>(std::lower_bound(FItems.FStrings.begin(), FItems.FStrings.end(), S) - FItems.FStrings.begin());
  }
  FItems.FStrings.insert(FItems.FStrings.begin() + Index, S);
  FItems.FObjects.insert(FItems.FObjects.begin() + Index, Object);
  if (FSelected.size() > static_cast<size_t>(Index)) FSelected.insert(FSelected.begin() + Index, false);
  if (HandleAllocated()) {
    const LRESULT At = ::SendMessageA(WindowHandle(), LB_INSERTSTRING, static_cast<WPARAM>(Index),
                                      reinterpret_cast<LPARAM>(S.c_str()));
    ::SendMessageA(WindowHandle(), LB_SETITEMDATA, static_cast<WPARAM>(At), static_cast<LPARAM>(Object));
  }
  return Index;
}

void TListBox::DeleteItem(int Index) {
  if (Index < 0 || Index >= FItems.Count()) return;
  FItems.FStrings.erase(FItems.FStrings.begin() + Index);
  FItems.FObjects.erase(FItems.FObjects.begin() + Index);
  if (FSelected.size() > static_cast<size_t>(Index)) FSelected.erase(FSelected.begin() + Index);
  if (HandleAllocated()) {
    ::SendMessageA(WindowHandle(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
  } else if (FItemIndex == Index) {
    FItemIndex = -1;
  } else if (FItemIndex > Index) {
    --FItemIndex;
  }
}

void TListBox::ClearItems() {
  FItems.FStrings.clear();
  FItems.FObjects.clear();
  FSelected.clear();
  FItemIndex = -1;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), LB_RESETCONTENT, 0, 0);
}

int TListBox::GetItemIndex() const {
  if (HandleAllocated()) {
    if (FMultiSelect) return static_cast<int>(::SendMessageA(WindowHandle(), LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(::SendMessageA(WindowHandle(), LB_GETCURSEL, 0, 0));
  }
  return FItemIndex;
}

void TListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count()) Value = -1;
  FItemIndex = Value;
  if (!HandleAllocated()) return;
  if (FMultiSelect) {
    if (Value >= 0) ::SendMessageA(WindowHandle(), LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
  } else {
    ::SendMessageA(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
}

bool TListBox::GetSelected(int Index) const {
  if (Index < 0 || Index >= FItems.Count()) return false;
  if (HandleAllocated()) return ::SendMessageA(WindowHandle(), LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
  if (FMultiSelect) return static_cast<size_t>(Index) < FSelected.size() && FSelected[static_cast<size_t>(Index)];
  return Index == FItemIndex;
}

void TListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= FItems.Count()) return;
  if (!FMultiSelect) {
    if (Value)
      SetItemIndex(Index);
    else if (GetItemIndex() == Index)
      SetItemIndex(-1);
    return;
  }
  if (FSelected.size() < static_cast<size_t>(FItems.Count()))
    FSelected.resize(static_cast<size_t>(FItems.Count()), false);
  FSelected[static_cast<size_t>(Index)] = Value;
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), LB_SETSEL, Value ? TRUE : FALSE, Index);
}

int TListBox::GetSelCount() const {
  if (HandleAllocated() && FMultiSelect) return static_cast<int>(::SendMessageA(WindowHandle(), LB_GETSELCOUNT, 0, 0));
  int N = 0;
  for (int I = 0; I < FItems.Count(); ++I) N += GetSelected(I) ? 1 : 0;
  return N;
}

int TListBox::GetTopIndex() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageA(WindowHandle(), LB_GETTOPINDEX, 0, 0)) : 0;
}

void TListBox::SetTopIndex(int Value) {
  if (HandleAllocated()) ::SendMessageA(WindowHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

void TListBox::WndProc(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    if (HIWORD(M.WParam) == LBN_SELCHANGE) Click();
    M.Result = 0;
    return;
  }
  if (M.Msg == WM_ERASEBKGND) {
    DefaultHandler(M);
    return;
  }
  TWinControl::WndProc(M);
}

// ---------------------------------------------------------------- label
TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 65;
  FHeight = 17;
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT Flags = DT_EXPANDTABS;
  if (FAlignment == taRightJustify)
    Flags |= DT_RIGHT;
  else if (FAlignment == taCenter)
    Flags |= DT_CENTER;
  else
    Flags |= DT_LEFT;
  if (FWordWrap) Flags |= DT_WORDBREAK;
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  return Flags;
}

void TCustomLabel::Paint(TCanvas& Canvas) {
  RECT R = GetClientRect();
  if (!FTransparent) Canvas.FillRect(R);
  Canvas.GetBrush().SetStyle(bsClear);
  const std::string Text = GetText();
  if (FLayout != tlTop) {
    RECT Calc = R;
    Canvas.DrawText(Text, Calc, DrawTextFlags() | DT_CALCRECT);
    const int H = Calc.bottom - Calc.top;
    if (FLayout == tlCenter)
      R.top += (R.bottom - R.top - H) / 2;
    else
      R.top = R.bottom - H;
  }
  if (!GetEnabled()) Canvas.GetFont().SetColor(clGrayText);
  Canvas.DrawText(Text, R, DrawTextFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize) return;
  TCanvas& Canvas = GetCanvas();
  Canvas.SetFont(GetFont());
  RECT R{0, 0, FWordWrap ? GetWidth() : 0, 0};
  const std::string Text = GetText();
  Canvas.DrawText(Text.empty() ? std::string(" ") : Text, R, DrawTextFlags() | DT_CALCRECT);
  int W = FWordWrap ? GetWidth() : R.right - R.left;
  int X = GetLeft();
  if (!FWordWrap && FAlignment == taRightJustify) X = GetLeft() + GetWidth() - W;
  SetBounds(X, GetTop(), W, R.bottom - R.top);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}
