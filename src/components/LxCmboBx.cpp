#include "components/LxCmboBx.h"

#include "components/LxMatch.h"
#include "platform/Forms.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

// ---------------------------------------------------------------------------

TLxCustomComboBox::TLxCustomComboBox(TComponent* AOwner)
    : TComboBox(AOwner), FSearchTimer(std::make_unique<TTimer>(nullptr)) {
  FSearchTimer->SetEnabled(false);
  FSearchTimer->SetInterval(2000);
  FSearchTimer->SetOnTimer([this](TObject*) {
    FSearchTimer->SetEnabled(false);
    FTypeAhead.Clear();
  });
}

TLxCustomComboBox::~TLxCustomComboBox() {
  if (HWND E = EditWindow()) ::RemoveWindowSubclass(E, EditProc, 1);
}

HWND TLxCustomComboBox::EditWindow() const {
  if (!HandleAllocated() || GetStyle() == csDropDownList) return nullptr;
  COMBOBOXINFO Info{};
  Info.cbSize = sizeof Info;
  if (::GetComboBoxInfo(WindowHandle(), &Info)) return Info.hwndItem;
  return nullptr;
}

void TLxCustomComboBox::SetDropDownWidth(int Value) {
  FDropDownWidth = Value;
  if (HandleAllocated() && Value > 0) ::SendMessageA(WindowHandle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TLxCustomComboBox::CreateWindowHandle(const TCreateParams& Params) {
  TComboBox::CreateWindowHandle(Params);
  if (FDropDownWidth > 0) ::SendMessageA(WindowHandle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FDropDownWidth), 0);
  if (HWND E = EditWindow()) ::SetWindowSubclass(E, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TLxCustomComboBox::EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                             DWORD_PTR Data) noexcept {
  try {
    auto* Self = reinterpret_cast<TLxCustomComboBox*>(Data);
    TMessage M{Msg, WParam, LParam, 0};
    if (Msg == WM_NCDESTROY)
      ::RemoveWindowSubclass(Wnd, EditProc, 1);
    else if (Self->EditMessage(M))
      return M.Result;
    return ::DefSubclassProc(Wnd, M.Msg, M.WParam, M.LParam);
  } catch (const std::exception& E) {
    Application->HandleException(E);
  } catch (...) {
    Application->HandleUnknownException();
  }
  return 0;
}

int TLxCustomComboBox::FindItem(const std::string& Prefix) const {
  if (HandleAllocated()) {
    const LRESULT I = ::SendMessageA(WindowHandle(), CB_FINDSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Prefix.c_str()));
    return I == CB_ERR ? -1 : static_cast<int>(I);
  }
  return FindPrefix(GetItems().FStrings, Prefix);
}

void TLxCustomComboBox::InvalidKeyPressed() {
  if (FBeepOnInvalidKey) ::MessageBeep(0);
}

void TLxCustomComboBox::Matched(int Index) {
  SetItemIndex(Index);
  if (GetStyle() != csDropDownList) {
    ::SetWindowTextA(WindowHandle(), GetItems()[Index].c_str());
    SetSelection(static_cast<int>(FTypeAhead.Text().size()), -1);
  }
  Change();
  if (OnMatch) OnMatch(this);
}

void TLxCustomComboBox::ApplyResult(const TLxTypeAhead::TResult& R) {
  switch (R.Kind) {
    case TLxTypeAhead::TKind::Match: Matched(R.Index); break;
    case TLxTypeAhead::TKind::NoMatch:
    case TLxTypeAhead::TKind::Beep: InvalidKeyPressed(); break;
    case TLxTypeAhead::TKind::SelectFirst:
      if (GetItems().Count() > 0) {
        SetItemIndex(0);
        Change();
      }
      break;
    case TLxTypeAhead::TKind::None: break;
  }
}

void TLxCustomComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TComboBox::KeyDown(Key, Shift);
  if (Key >= VK_PRIOR && Key <= VK_DOWN) FTypeAhead.Clear();
}

void TLxCustomComboBox::KeyPress(char& Key) {
  TComboBox::KeyPress(Key);
  const unsigned char C = static_cast<unsigned char>(Key);
  const TLxTypeAhead::TFind Find = [this](const std::string& P) { return FindItem(P); };
  if (C >= 32) {
    ApplyResult(FTypeAhead.Char(Key, Find));
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetEnabled(true);
    Key = 0;
  } else if (Key == '\b') {
    ApplyResult(FTypeAhead.Backspace(Find));
    Key = 0;
  } else if (Key == 27) {
    ApplyResult(FTypeAhead.Escape());
  }
}

bool TLxCustomComboBox::EditMessage(TMessage& M) {
  // Editable combo boxes: the typed text is the search; a match completes it
  // with the rest of the item selected, otherwise the text stays as typed.
  if (M.Msg == WM_KEYDOWN && M.WParam >= VK_PRIOR && M.WParam <= VK_DOWN) FTypeAhead.Clear();
  if (M.Msg != WM_CHAR) return false;
  const unsigned char C = static_cast<unsigned char>(M.WParam);
  if (C < 32 && C != '\b' && C != 27) return false;
  if (C == 27) {
    ApplyResult(FTypeAhead.Escape());
    return false;
  }
  HWND E = EditWindow();
  M.Result = ::DefSubclassProc(E, M.Msg, M.WParam, M.LParam);
  if (C == '\b') return true;
  DWORD Start = 0;
  ::SendMessageA(E, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), 0);
  std::string Text = GetText();
  Text.resize(std::min<size_t>(Text.size(), Start));
  FTypeAhead.Clear();
  for (char Ch : Text) FTypeAhead.Char(Ch, [](const std::string&) { return -1; });
  const int I = Text.empty() ? -1 : FindItem(Text);
  if (I >= 0)
    Matched(I);
  else if (!FAllowEdit)
    InvalidKeyPressed();
  FSearchTimer->SetEnabled(false);
  FSearchTimer->SetEnabled(true);
  return true;
}

void TLxCustomComboBox::CloseUp(bool) {
  if (OnCloseUp) OnCloseUp(this);
}

void TLxCustomComboBox::WndProc(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    switch (HIWORD(M.WParam)) {
      case CBN_SELENDOK: FSelEndOk = true; break;
      case CBN_SELENDCANCEL: FSelEndOk = false; break;
      case CBN_DROPDOWN: FSelEndOk = false; break;
      case CBN_CLOSEUP:
        CloseUp(FSelEndOk);
        M.Result = 0;
        return;
      default: break;
    }
  }
  TComboBox::WndProc(M);
}

// ---------------------------------------------------------------------------

TLxComboBox::TLxComboBox(TComponent* AOwner) : TLxCustomComboBox(AOwner) {}

void TLxComboBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  if (Value) {
    // The items there now go in order, the selected one staying selected;
    // the window is made again with the sort style for those added later.
    struct TEntry {
      std::string Text;
      std::intptr_t Object;
      int Was;
    };
    std::vector<TEntry> V;
    for (int I = 0; I < GetItems().Count(); ++I) V.push_back({GetItems()[I], GetItems().GetObject(I), I});
    std::stable_sort(V.begin(), V.end(),
                     [](const TEntry& A, const TEntry& B) { return ::lstrcmpiA(A.Text.c_str(), B.Text.c_str()) < 0; });
    const int Selected = GetItemIndex();
    FSorted = false;  // as they are given
    ClearItems();
    for (const TEntry& E : V) AddItem(E.Text, E.Object);
    FSorted = true;
    for (int I = 0; I < static_cast<int>(V.size()); ++I)
      if (V[static_cast<size_t>(I)].Was == Selected) SetItemIndex(I);
  }
  if (HandleAllocated()) RecreateWnd();
}

void TLxComboBox::SetItemHeight(int Value) {
  FItemHeight = Value;
  if (HandleAllocated() && Value > 0) ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, Value);
}

void TLxComboBox::SetOwnerDraw(bool Value) {
  if (Value == FOwnerDraw) return;
  FOwnerDraw = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TLxComboBox::CreateParams(TCreateParams& Params) {
  TLxCustomComboBox::CreateParams(Params);
  if (FOwnerDraw) Params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  if (FSorted) Params.Style |= CBS_SORT;
}

void TLxComboBox::CreateWindowHandle(const TCreateParams& Params) {
  TLxCustomComboBox::CreateWindowHandle(Params);
  if (FItemHeight > 0) ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, FItemHeight);
}

void TLxComboBox::WndProc(TMessage& M) {
  if (M.Msg == CN_DRAWITEM && FOwnerDraw && OnDrawItem) {
    const auto* DI = reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam);
    OnDrawItem(this, static_cast<int>(DI->itemID), DI->rcItem, DI->itemState, DI->hDC);
    M.Result = TRUE;
    return;
  }
  if (M.Msg == CN_MEASUREITEM && FOwnerDraw) {
    auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
    int H = FItemHeight > 0 ? FItemHeight : static_cast<int>(MI->itemHeight);
    if (OnMeasureItem) OnMeasureItem(this, static_cast<int>(MI->itemID), H);
    MI->itemHeight = static_cast<UINT>(H);
    M.Result = TRUE;
    return;
  }
  TLxCustomComboBox::WndProc(M);
}

// ---------------------------------------------------------------------------

namespace {
const char* const ColorPropertyNames[LxColorCount] = {"Default",
                                                      "Black",
                                                      "Maroon",
                                                      "Green",
                                                      "Olive",
                                                      "Navy",
                                                      "Purple",
                                                      "Teal",
                                                      "Gray",
                                                      "Silver",
                                                      "Red",
                                                      "Lime",
                                                      "Yellow",
                                                      "Blue",
                                                      "Fuchsia",
                                                      "Aqua",
                                                      "White",
                                                      "ScrollBar",
                                                      "Background",
                                                      "ActiveCaption",
                                                      "InactiveCaption",
                                                      "Menu",
                                                      "Window",
                                                      "WindowFrame",
                                                      "MenuText",
                                                      "WindowText",
                                                      "CaptionText",
                                                      "ActiveBorder",
                                                      "InactiveBorder",
                                                      "AppWorkSpace",
                                                      "Highlight",
                                                      "HighlightText",
                                                      "BtnFace",
                                                      "BtnShadow",
                                                      "GrayText",
                                                      "BtnText",
                                                      "InactiveCaptionText",
                                                      "BtnHighlight",
                                                      "DkShadow3D",
                                                      "Light3D",
                                                      "InfoText",
                                                      "InfoBk",
                                                      "Custom"};
}  // namespace

TLxColorNames::TLxColorNames() {
  for (int I = 0; I < LxColorCount; ++I) FNames[static_cast<size_t>(I)] = LxColorTable[I].Name;
}

const char* TLxColorNames::PropertyName(int Index) { return ColorPropertyNames[Index]; }

void TLxColorNames::SetName(int Index, const std::string& Value) {
  std::string& N = FNames.at(static_cast<size_t>(Index));
  if (N == Value) return;
  N = Value;
  if (OnChange) OnChange(Index);
}

bool TLxColorNames::SetNameOf(const std::string& Property, const std::string& Value) {
  for (int I = 0; I < LxColorCount; ++I)
    if (::lstrcmpiA(ColorPropertyNames[I], Property.c_str()) == 0) {
      SetName(I, Value);
      return true;
    }
  return false;
}

bool TLxColorNames::Changed() const {
  for (int I = 0; I < LxColorCount; ++I)
    if (FNames[static_cast<size_t>(I)] != LxColorTable[I].Name) return true;
  return false;
}

TLxColorComboBox::TLxColorComboBox(TComponent* AOwner) : TLxCustomComboBox(AOwner) {
  TComboBox::SetStyle(csDropDownList);
  FColorNames.OnChange = [this](int Index) { ColorNameChanged(Index); };
  RebuildItems();
}

void TLxColorComboBox::CreateParams(TCreateParams& Params) {
  TLxCustomComboBox::CreateParams(Params);
  Params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void TLxColorComboBox::CreateWindowHandle(const TCreateParams& Params) {
  TLxCustomComboBox::CreateWindowHandle(Params);
  const int H = GetMinFontHeight(GetFont());
  ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), H);
  ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, H + ScaleDesign(4));
  // A window made again (a font change) keeps the user's choice, quietly:
  // nothing changed for the user, so no change notification.
  const int Selected = GetItemIndex();
  RebuildItems();
  if (Selected > 0 && Selected < GetItems().Count()) SetItemIndex(Selected);
}

void TLxColorComboBox::FontChanged() {
  TLxCustomComboBox::FontChanged();
  if (HandleAllocated()) RecreateWnd();
}

void TLxColorComboBox::RebuildItems() {
  ClearItems();
  for (int I = 0; I < LxColorCount; ++I) {
    if (LxColorTable[I].System && !FShowSysColors) continue;
    TColor C = static_cast<TColor>(LxColorTable[I].Value);
    if (I == 0) C = FDefaultColor;
    if (I == LxColorCount - 1) C = FCustomColor;
    AddItem(FColorNames.GetName(I), C);
  }
  SetItemIndex(0);
}

TColor TLxColorComboBox::ItemColor(int Index) const {
  if (Index < 0 || Index >= GetItems().Count()) return FDefaultColor;
  if (Index == 0) return FDefaultColor;
  if (Index == CustomIndex()) return FCustomColor;
  return static_cast<TColor>(GetItems().GetObject(Index));
}

TColor TLxColorComboBox::GetSelectedColor() const { return ItemColor(GetItemIndex()); }

void TLxColorComboBox::SetSelectedColor(TColor Value) {
  int Found = -1;
  for (int I = 0; I < GetItems().Count() && Found < 0; ++I)
    if (ItemColor(I) == Value) Found = I;
  if (Found < 0) {
    FCustomColor = Value;
    Found = CustomIndex();
  }
  SetItemIndex(Found);
  Invalidate();
  Change();
}

void TLxColorComboBox::SetDefaultColor(TColor Value) {
  FDefaultColor = Value;
  Invalidate();
}

void TLxColorComboBox::SetCustomColor(TColor Value) {
  FCustomColor = Value;
  Invalidate();
}

void TLxColorComboBox::SetShowColorNames(bool Value) {
  if (Value == FShowColorNames) return;
  FShowColorNames = Value;
  Invalidate();
}

void TLxColorComboBox::SetShowSysColors(bool Value) {
  if (Value == FShowSysColors) return;
  const TColor Selected = GetSelectedColor();
  FShowSysColors = Value;
  RebuildItems();
  SetSelectedColor(Selected);
}

void TLxColorComboBox::ColorNameChanged(int Index) {
  // The table index maps to an item index (system colours may be left out).
  int Item = Index;
  if (!FShowSysColors) {
    if (LxColorTable[Index].System) return;
    if (Index == LxColorCount - 1) Item = CustomIndex();
  }
  const int Selected = GetItemIndex();
  const std::intptr_t Object = GetItems().GetObject(Item);
  DeleteItem(Item);
  InsertItem(Item, FColorNames.GetName(Index), Object);
  SetItemIndex(Selected);
}

void TLxColorComboBox::DrawItem(int Index, RECT R, UINT State, HDC DC) {
  const bool EditPart = (State & ODS_COMBOBOXEDIT) != 0;
  const bool Selected = (State & ODS_SELECTED) != 0;
  FillSolid(DC, R, Selected ? clHighlight : GetColor());
  if (Index < 0) return;
  const TColor Color = ItemColor(Index);
  const bool Custom = Index == CustomIndex();
  RECT Inner = R;
  const int Margin = ScaleDesign(EditPart ? 2 : 4);
  ::InflateRect(&Inner, -Margin, -Margin);
  RECT Swatch = Inner;
  if (FShowColorNames)
    Swatch.right = Swatch.left + ScaleDesign(14);
  else if (Custom)
    Swatch.right -= ScaleDesign(20);
  if (Swatch.right > Swatch.left && Swatch.bottom > Swatch.top) {
    FillSolid(DC, Swatch, Color);
    DrawSides(DC, Swatch, clBtnShadow, clBtnShadow, sdAllSides);
    RECT Frame = Swatch;
    ::InflateRect(&Frame, -1, -1);
    const bool Light = IsLightColor(ColorToRGB(Color));
    DrawSides(DC, Frame, Light ? clGray : clBlack, Light ? clGray : clBlack, sdAllSides);
  }
  if (Custom) {
    // Three dots: more colours behind this item.
    const int Dot = ScaleDesign(2);
    const int Y = (Inner.top + Inner.bottom) / 2 - Dot / 2;
    for (int K = 0; K < 3; ++K) {
      const int X = Inner.right - ScaleDesign(14) + K * 2 * Dot;
      FillSolid(DC, RECT{X, Y, X + Dot, Y + Dot}, Selected ? clHighlightText : clBtnText);
    }
  }
  if (!FShowColorNames) return;
  const std::string& Name = GetItems()[Index];
  TSelectObject Sel(DC, GetFont().GetHandle());
  const int Saved = ::SaveDC(DC);
  ::SetBkMode(DC, TRANSPARENT);
  ::SetTextColor(DC, ColorToRGB(!GetEnabled() ? clGrayText : Selected ? clHighlightText : GetFont().GetColor()));
  SIZE Yy{};
  ::GetTextExtentPoint32A(DC, "Yy", 2, &Yy);
  RECT T{Swatch.left + ScaleDesign(24), R.top, R.right, R.bottom};
  const int Y = T.top + (T.bottom - T.top - Yy.cy) / 2;
  ::ExtTextOutA(DC, T.left + ScaleDesign(2), Y, ETO_CLIPPED, &T, Name.data(), static_cast<UINT>(Name.size()), nullptr);
  ::RestoreDC(DC, Saved);
  if ((State & ODS_FOCUS) && !EditPart) ::DrawFocusRect(DC, &R);
}

bool TLxColorComboBox::ExecuteColorDialog(TColor& Color) {
  COLORREF Custom[16];
  for (COLORREF& C : Custom) C = RGB(0xFF, 0xFF, 0xFF);
  for (const std::string& S : FCustomColors) {
    // "ColorA=RRGGBB": A to P, hexadecimal 0xBBGGRR.
    if (S.size() < 8 || S.compare(0, 5, "Color") != 0 || S[6] != '=') continue;
    const int I = S[5] - 'A';
    if (I >= 0 && I < 16) Custom[I] = static_cast<COLORREF>(std::strtoul(S.c_str() + 7, nullptr, 16));
  }
  CHOOSECOLORA CC{};
  CC.lStructSize = sizeof CC;
  CC.hwndOwner = HandleAllocated() ? WindowHandle() : nullptr;
  CC.rgbResult = ColorToRGB(Color);
  CC.lpCustColors = Custom;
  CC.Flags = CC_RGBINIT;
  if (FColorDlgOptions & cdFullOpen) CC.Flags |= CC_FULLOPEN;
  if (FColorDlgOptions & cdPreventFullOpen) CC.Flags |= CC_PREVENTFULLOPEN;
  if (FColorDlgOptions & cdShowHelp) CC.Flags |= CC_SHOWHELP;
  if (FColorDlgOptions & cdSolidColor) CC.Flags |= CC_SOLIDCOLOR;
  if (FColorDlgOptions & cdAnyColor) CC.Flags |= CC_ANYCOLOR;
  if (!::ChooseColorA(&CC)) return false;
  FCustomColors.clear();
  for (int I = 0; I < 16; ++I) {
    char Buf[32];
    std::snprintf(Buf, sizeof Buf, "Color%c=%06lX", 'A' + I, static_cast<unsigned long>(Custom[I]));
    FCustomColors.push_back(Buf);
  }
  Color = static_cast<TColor>(CC.rgbResult);
  return true;
}

void TLxColorComboBox::PickCustomColor() {
  TColor C = GetSelectedColor();
  if (!ExecuteColorDialog(C)) return;
  FCustomColor = C;
  SetItemIndex(CustomIndex());
  Invalidate();
  Change();
}

namespace {
constexpr UINT CM_LXPICKCUSTOM = WM_APP + 0x3D01;
}

void TLxColorComboBox::CloseUp(bool Accepted) {
  TLxCustomComboBox::CloseUp(Accepted);
  // The dialog opens once the list has closed.
  if (Accepted && GetItemIndex() == CustomIndex() && HandleAllocated())
    ::PostMessageA(WindowHandle(), CM_LXPICKCUSTOM, 0, 0);
}

void TLxColorComboBox::WndProc(TMessage& M) {
  switch (M.Msg) {
    case CN_DRAWITEM: {
      const auto* DI = reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam);
      DrawItem(static_cast<int>(DI->itemID), DI->rcItem, DI->itemState, DI->hDC);
      M.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM: {
      auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      const int H = GetMinFontHeight(GetFont());
      MI->itemHeight = static_cast<UINT>(MI->itemID == static_cast<UINT>(-1) ? H : H + ScaleDesign(4));
      M.Result = TRUE;
      return;
    }
    case CM_LXPICKCUSTOM: PickCustomColor(); return;
    default: break;
  }
  TLxCustomComboBox::WndProc(M);
}

// ---------------------------------------------------------------------------

namespace {
struct TFontEntry {
  DWORD Type = 0;
  bool Fixed = false;
};

int CALLBACK CollectFont(const LOGFONTA* LF, const TEXTMETRICA* TM, DWORD Type, LPARAM Data) {
  auto& Fonts = *reinterpret_cast<std::map<std::string, TFontEntry>*>(Data);
  if (LF->lfFaceName[0] == '@') return 1;  // vertical variants
  TFontEntry E;
  E.Type = Type;
  E.Fixed = (LF->lfPitchAndFamily & 3) == FIXED_PITCH || (TM->tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
  Fonts.emplace(LF->lfFaceName, E);
  return 1;
}

HDC PrinterDC() {
  char Name[256] = {};
  DWORD Size = sizeof Name;
  if (!::GetDefaultPrinterA(Name, &Size)) return nullptr;
  return ::CreateDCA("WINSPOOL", Name, nullptr, nullptr);
}

constexpr const char* FontGlyphNames[5] = {"LXCMBOBX_TRUETYPE", "LXCMBOBX_FIXEDPITCH", "LXCMBOBX_PRINTER",
                                           "LXCMBOBX_DEVICE", "LXCMBOBX_TRUETYPEFIXED"};
constexpr std::intptr_t FontFixedFlag = 0x10000;
}  // namespace

TLxFontComboBox::TLxFontComboBox(TComponent* AOwner) : TLxCustomComboBox(AOwner) {
  TComboBox::SetStyle(csDropDownList);
  for (size_t I = 0; I < FGlyphs.size(); ++I) {
    FGlyphs[I] = std::make_unique<TBitmap>();
    try {
      FGlyphs[I]->LoadFromResourceName(LxCmpsInstance(), FontGlyphNames[I]);
    } catch (const std::exception&) {
      // No glyph without the library's resources.
    }
  }
}

TLxFontComboBox::~TLxFontComboBox() = default;

void TLxFontComboBox::CreateParams(TCreateParams& Params) {
  TLxCustomComboBox::CreateParams(Params);
  Params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void TLxFontComboBox::CreateWindowHandle(const TCreateParams& Params) {
  TLxCustomComboBox::CreateWindowHandle(Params);
  const int H = std::max(GetMinFontHeight(GetFont()), ScaleDesign(14));
  ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), H);
  ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, H + ScaleDesign(FShowStyle == ssFontName ? 2 : 8));
  RebuildItems();
}

void TLxFontComboBox::RebuildItems() {
  const std::string Current = FFontName;
  std::map<std::string, TFontEntry> Fonts;
  HDC DC = FFontDevice == fdPrinter ? PrinterDC() : nullptr;
  const bool OwnDC = DC != nullptr;
  if (!DC) DC = ::GetDC(nullptr);
  LOGFONTA LF{};
  LF.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExA(DC, &LF, CollectFont, reinterpret_cast<LPARAM>(&Fonts), 0);
  if (OwnDC)
    ::DeleteDC(DC);
  else
    ::ReleaseDC(nullptr, DC);
  std::vector<std::pair<std::string, std::intptr_t>> Items;
  for (const auto& [Name, E] : Fonts) {
    const bool TT = (E.Type & TRUETYPE_FONTTYPE) != 0;
    const bool Device = (E.Type & DEVICE_FONTTYPE) != 0;
    bool Keep = true;
    switch (FFontType) {
      case ftAll: break;
      case ftTrueType: Keep = TT; break;
      case ftFixedPitch: Keep = E.Fixed; break;
      case ftPrinter: Keep = Device; break;
    }
    if (Keep) Items.emplace_back(Name, static_cast<std::intptr_t>(E.Type) | (E.Fixed ? FontFixedFlag : 0));
  }
  if (FSorted)
    std::stable_sort(Items.begin(), Items.end(),
                     [](const auto& A, const auto& B) { return ::lstrcmpiA(A.first.c_str(), B.first.c_str()) < 0; });
  ClearItems();
  for (const auto& [Name, Data] : Items) AddItem(Name, Data);
  SetFontName(Current);
}

std::string TLxFontComboBox::GetFontName() const {
  const int I = GetItemIndex();
  return I >= 0 ? GetItems()[I] : FFontName;
}

void TLxFontComboBox::SetFontName(const std::string& Value) {
  FFontName = Value;
  SetItemIndex(GetItems().IndexOf(Value));
}

void TLxFontComboBox::SetFontDevice(TFontDevice Value) {
  if (Value == FFontDevice) return;
  FFontDevice = Value;
  if (HandleAllocated()) RebuildItems();
}
void TLxFontComboBox::SetFontType(TFontListType Value) {
  if (Value == FFontType) return;
  FFontType = Value;
  if (HandleAllocated()) RebuildItems();
}
void TLxFontComboBox::SetShowStyle(TFontShowStyle Value) {
  if (Value == FShowStyle) return;
  FShowStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}
void TLxFontComboBox::SetFontSize(int Value) {
  FFontSize = Value;
  Invalidate();
}
void TLxFontComboBox::SetFontStyle(TFontStyles Value) {
  FFontStyle = Value;
  Invalidate();
}
void TLxFontComboBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  if (HandleAllocated()) RebuildItems();
}

void TLxFontComboBox::DrawItem(int Index, RECT R, UINT State, HDC DC) {
  const bool Selected = (State & ODS_SELECTED) != 0;
  FillSolid(DC, R, Selected ? clHighlight : GetColor());
  if (Index < 0 || Index >= GetItems().Count()) return;
  const std::string& Name = GetItems()[Index];
  const std::intptr_t Data = GetItems().GetObject(Index);
  const bool TT = (Data & TRUETYPE_FONTTYPE) != 0, Fixed = (Data & FontFixedFlag) != 0;
  int Glyph = -1;
  if (TT)
    Glyph = Fixed ? 4 : 0;
  else if (Data & DEVICE_FONTTYPE)
    Glyph = FFontDevice == fdPrinter ? 2 : 3;
  else if (Fixed)
    Glyph = 1;
  int X = R.left + ScaleDesign(2);
  if (Glyph >= 0 && !FGlyphs[static_cast<size_t>(Glyph)]->Empty()) {
    TBitmap& B = *FGlyphs[static_cast<size_t>(Glyph)];
    HDC G = B.GetCanvas().GetHandle();
    // The glyphs' art is at 96 DPI.
    const int W = ScaleDesign(B.GetWidth()), H = ScaleDesign(B.GetHeight());
    StretchTransparentCopy(DC, X, R.top + (R.bottom - R.top - H) / 2, W, H, G, 0, 0, B.GetWidth(), B.GetHeight(),
                           ::GetPixel(G, 0, B.GetHeight() - 1));
  }
  X += ScaleDesign(16);
  const int Saved = ::SaveDC(DC);
  ::SetBkMode(DC, TRANSPARENT);
  ::SetTextColor(DC, ColorToRGB(!GetEnabled() ? clGrayText : Selected ? clHighlightText : GetFont().GetColor()));
  auto Out = [&](HFONT F, const std::string& Text) {
    TSelectObject Sel(DC, F);
    SIZE S{};
    ::GetTextExtentPoint32A(DC, Text.data(), static_cast<int>(Text.size()), &S);
    ::ExtTextOutA(DC, X, R.top + (R.bottom - R.top - S.cy) / 2, ETO_CLIPPED, &R, Text.data(),
                  static_cast<UINT>(Text.size()), nullptr);
    X += S.cx + ScaleDesign(8);
  };
  if (FShowStyle != ssFontSample) Out(GetFont().GetHandle(), Name);
  if (FShowStyle != ssFontName) {
    TFont Sample;
    Sample.SetName(Name);
    Sample.SetSize(std::max(FFontSize, 1));
    Sample.SetStyle(FFontStyle);
    Out(Sample.GetHandle(), FShowStyle == ssFontSample ? Name : std::string("AaBbYyZz"));
  }
  ::RestoreDC(DC, Saved);
}

void TLxFontComboBox::WndProc(TMessage& M) {
  if (M.Msg == CN_DRAWITEM) {
    const auto* DI = reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam);
    DrawItem(static_cast<int>(DI->itemID), DI->rcItem, DI->itemState, DI->hDC);
    M.Result = TRUE;
    return;
  }
  if (M.Msg == CN_MEASUREITEM) {
    auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
    const int H = std::max(GetMinFontHeight(GetFont()), ScaleDesign(14));
    MI->itemHeight = static_cast<UINT>(MI->itemID == static_cast<UINT>(-1) ? H : H + ScaleDesign(2));
    M.Result = TRUE;
    return;
  }
  TLxCustomComboBox::WndProc(M);
}

// ---------------------------------------------------------------------------

namespace {
const char* const LineNames[4] = {"None", "Flat", "Groove", "Bump"};
}

TLxLineComboBox::TLxLineComboBox(TComponent* AOwner) : TLxCustomComboBox(AOwner) {
  TComboBox::SetStyle(csDropDownList);
  for (int I = 0; I < 4; ++I) AddItem(LineNames[I], I);
  SetItemIndex(FLineStyle);
}

void TLxLineComboBox::CreateParams(TCreateParams& Params) {
  TLxCustomComboBox::CreateParams(Params);
  Params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void TLxLineComboBox::CreateWindowHandle(const TCreateParams& Params) {
  TLxCustomComboBox::CreateWindowHandle(Params);
  const int H = GetMinFontHeight(GetFont());
  ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), H);
  ::SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, H + ScaleDesign(4));
}

void TLxLineComboBox::SetLineColor(TColor Value) {
  FLineColor = Value;
  Invalidate();
}

TLineStyle TLxLineComboBox::GetLineStyle() const {
  const int I = GetItemIndex();
  return I >= 0 ? static_cast<TLineStyle>(I) : FLineStyle;
}

void TLxLineComboBox::SetLineStyle(TLineStyle Value) {
  FLineStyle = Value;
  SetItemIndex(Value);
  Invalidate();
}

void TLxLineComboBox::DrawItem(int Index, RECT R, UINT State, HDC DC) {
  const bool Selected = (State & ODS_SELECTED) != 0;
  FillSolid(DC, R, Selected ? clHighlight : GetColor());
  if (Index < 0) return;
  const int Y = (R.top + R.bottom) / 2 - 1;
  const RECT L{R.left + 4, Y, R.right - 4, Y + 1};
  const RECT L2{R.left + 4, Y + 1, R.right - 4, Y + 2};
  switch (static_cast<TLineStyle>(Index)) {
    case lsNone: {
      const int Saved = ::SaveDC(DC);
      TSelectObject Sel(DC, GetFont().GetHandle());
      ::SetBkMode(DC, TRANSPARENT);
      ::SetTextColor(DC, ColorToRGB(Selected ? clHighlightText : clGrayText));
      RECT T = R;
      T.left += 4;
      ::DrawTextA(DC, LineNames[0], -1, &T, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
      ::RestoreDC(DC, Saved);
      break;
    }
    case lsFlat:
      FillSolid(DC, L, FLineColor);
      FillSolid(DC, L2, FLineColor);
      break;
    case lsGroove:
      FillSolid(DC, L, clBtnShadow);
      FillSolid(DC, L2, clBtnHighlight);
      break;
    case lsBump:
      FillSolid(DC, L, clBtnHighlight);
      FillSolid(DC, L2, clBtnShadow);
      break;
  }
}

void TLxLineComboBox::WndProc(TMessage& M) {
  if (M.Msg == CN_DRAWITEM) {
    const auto* DI = reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam);
    DrawItem(static_cast<int>(DI->itemID), DI->rcItem, DI->itemState, DI->hDC);
    M.Result = TRUE;
    return;
  }
  if (M.Msg == CN_MEASUREITEM) {
    auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
    const int H = GetMinFontHeight(GetFont());
    MI->itemHeight = static_cast<UINT>(MI->itemID == static_cast<UINT>(-1) ? H : H + ScaleDesign(4));
    M.Result = TRUE;
    return;
  }
  TLxCustomComboBox::WndProc(M);
}
