// Windowed controls over the system's native controls (BUTTON, EDIT,
// COMBOBOX, LISTBOX) and a self-painted label. They share the layer's base, so
// they lay out, take fonts and colours and raise events like any control.
#pragma once

#include "platform/Controls.h"
#include "platform/Forms.h"

#include <string>
#include <vector>

// A push button, check box or radio button.
class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* AOwner);
  // Enter clicks the default button of the form, Escape its cancel button.
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Clicking sets the parent form's ModalResult to this (when not mrNone).
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;
  bool IsDialogButton(WORD Key) const override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent* AOwner);
  bool GetChecked() const;
  void SetChecked(bool Value);
  void Click() override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  bool FChecked = false;
};

class TRadioButton : public TCheckBox {
public:
  explicit TRadioButton(TComponent* AOwner);
  void Click() override;

protected:
  void CreateParams(TCreateParams& Params) override;
};

// A frame with a caption (holds other controls).
class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* AOwner);
  void AdjustClientRect(RECT& Rect) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
};

// Single-line edit.
class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* AOwner);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  // A border: sunken (3-D, the default) or a single flat line.
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool Value);  // before the window exists
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);  // before the window exists
  void SelectAll();
  void SetSelection(int Start, int End);
  void GetSelection(int& Start, int& End);
  void CopyToClipboard();
  void WndProc(TMessage& Message) override;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  virtual void Change();
  bool FReadOnly = false;
  int FMaxLength = 0;
  bool FBorder = true;
  bool FCtl3D = true;
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Multi-line edit; its lines are the text split at CR LF.
class TMemo : public TCustomEdit {
public:
  explicit TMemo(TComponent* AOwner);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  std::vector<std::string> GetLines() const;
  void SetLines(const std::vector<std::string>& Lines);
  void Clear() { SetText(""); }

protected:
  void CreateParams(TCreateParams& Params) override;
  LRESULT DialogCode(WPARAM Key) override;

private:
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
};

// A list of strings, each with an attached pointer-sized value.
class TStringItems {
public:
  int Count() const { return static_cast<int>(FStrings.size()); }
  const std::string& operator[](int Index) const { return FStrings.at(static_cast<size_t>(Index)); }
  std::intptr_t GetObject(int Index) const { return FObjects.at(static_cast<size_t>(Index)); }
  int IndexOf(const std::string& S) const;  // case-insensitive
  std::vector<std::string> FStrings;
  std::vector<std::intptr_t> FObjects;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* AOwner);
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);  // before the window exists
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }

  const TStringItems& GetItems() const { return FItems; }
  // Appends, or in a sorted combo box inserts in order; the item's index.
  int AddItem(const std::string& S, std::intptr_t Object = 0);
  void InsertItem(int Index, const std::string& S, std::intptr_t Object = 0);
  void DeleteItem(int Index);
  void ClearItems();
  void SetItems(const std::vector<std::string>& Items);
  int GetItemIndex() const;
  void SetItemIndex(int Value);
  bool GetDroppedDown();
  void SetDroppedDown(bool Value);
  // Edit part selection (csDropDown).
  void SetSelection(int Start, int End);

  void WndProc(TMessage& Message) override;
  TNotifyEvent OnChange;  // the text or the selection changed by the user
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWnd() override;
  void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  virtual void Change();
  // Whether the items are kept sorted (a derived combo box makes its window
  // with CBS_SORT then); added items go in order.
  virtual bool SortsItems() const { return false; }

private:
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  TStringItems FItems;
  mutable int FItemIndex = -1;
};

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* AOwner);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);  // before the window exists
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool Value);  // before the window exists
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);  // before the window exists
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);

  const TStringItems& GetItems() const { return FItems; }
  // Appends, or in a sorted combo box inserts in order; the item's index.
  int AddItem(const std::string& S, std::intptr_t Object = 0);
  void DeleteItem(int Index);
  void ClearItems();
  int GetItemIndex() const;
  void SetItemIndex(int Value);
  bool GetSelected(int Index) const;
  void SetSelected(int Index, bool Value);
  int GetSelCount() const;
  int GetTopIndex() const;
  void SetTopIndex(int Value);

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWnd() override;

private:
  bool FMultiSelect = false;
  bool FBorder = true;
  bool FCtl3D = true;
  bool FSorted = false;
  TStringItems FItems;
  mutable int FItemIndex = -1;
  std::vector<bool> FSelected;  // kept while there is no window
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// A label: text drawn with DrawText (word wrap, alignment, accelerator '&').
class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(TComponent* AOwner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
  // The flags DrawText gets for the label's text.
  UINT DrawTextFlags() const;
  // Resizes to the text when AutoSize is on.
  virtual void AdjustBounds();

protected:
  void Paint(TCanvas& Canvas) override;
  void FontChanged() override;
  void TextChanged() override;
  // At another DPI a label sized to its text is sized to it again (its place
  // is rescaled; its size is its text's in its font).
  void DpiChanged(int FromDpi, int ToDpi) override {
    TGraphicControl::DpiChanged(FromDpi, ToDpi);
    AdjustBounds();
  }

  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
