// Combo boxes with type-ahead search: a general one, a colour picker, a font
// picker and a line-style picker.
#pragma once

#include "components/LxColors.h"
#include "components/LxPanel.h"
#include "components/LxTypeAhead.h"
#include "platform/StdCtrls.h"
#include "platform/Timers.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
class LXCMPS_API TLxCustomComboBox : public TComboBox {
public:
  explicit TLxCustomComboBox(TComponent* AOwner);
  ~TLxCustomComboBox() override;

  bool GetAllowEdit() const { return FAllowEdit; }
  void SetAllowEdit(bool Value) { FAllowEdit = Value; }
  bool GetBeepOnInvalidKey() const { return FBeepOnInvalidKey; }
  void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
  // 0: the control's own width; otherwise the drop-down list's width.
  int GetDropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value);

  // The type-ahead search text and its 2-second timer.
  const std::string& GetSearchText() const { return FTypeAhead.Text(); }
  TTimer& GetSearchTimer() { return *FSearchTimer; }
  // The edit window of an editable combo box (null otherwise).
  HWND EditWindow() const;

  TNotifyEvent OnMatch;

  void WndProc(TMessage& Message) override;

protected:
  void CreateWindowHandle(const TCreateParams& Params) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  virtual void InvalidKeyPressed();
  // A typed character found item Index.
  virtual void Matched(int Index);
  // Messages of the edit window (editable styles); true when handled.
  virtual bool EditMessage(TMessage& Message);
  virtual void CloseUp(bool Accepted);
  void ApplyResult(const TLxTypeAhead::TResult& R);
  int FindItem(const std::string& Prefix) const;

  bool FAllowEdit = true;
  bool FBeepOnInvalidKey = true;
  int FDropDownWidth = 0;
  TLxTypeAhead FTypeAhead;
  std::unique_ptr<TTimer> FSearchTimer;
  bool FSelEndOk = false;

private:
  static LRESULT CALLBACK EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                   DWORD_PTR Data) noexcept;
};

// ---------------------------------------------------------------------------
class LXCMPS_API TLxComboBox : public TLxCustomComboBox {
public:
  explicit TLxComboBox(TComponent* AOwner);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  // Owner-drawn items: OnDrawItem paints them and OnMeasureItem sizes them.
  bool GetOwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);

  std::function<void(TObject* Sender, int Index, const RECT& Rect, UINT State, HDC DC)> OnDrawItem;
  std::function<void(TObject* Sender, int Index, int& Height)> OnMeasureItem;

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  bool SortsItems() const override { return FSorted; }

private:
  bool FSorted = false;
  int FItemHeight = 0;
  bool FOwnerDraw = false;
};

// ---------------------------------------------------------------------------
// The 43 display names of the colour combo box, in item order.
class LXCMPS_API TLxColorNames {
public:
  TLxColorNames();
  const std::string& GetName(int Index) const { return FNames.at(static_cast<size_t>(Index)); }
  void SetName(int Index, const std::string& Value);
  // By property name: "Default", "Black", ... "DkShadow3D", "Light3D", ... "Custom".
  bool SetNameOf(const std::string& Property, const std::string& Value);
  static const char* PropertyName(int Index);
  // Whether any name differs from its default (only then is it stored).
  bool Changed() const;
  std::function<void(int Index)> OnChange;

private:
  std::array<std::string, LxColorCount> FNames;
};

enum TColorDialogOption : unsigned {
  cdFullOpen = 1,
  cdPreventFullOpen = 2,
  cdShowHelp = 4,
  cdSolidColor = 8,
  cdAnyColor = 16
};

class LXCMPS_API TLxColorComboBox : public TLxCustomComboBox {
public:
  explicit TLxColorComboBox(TComponent* AOwner);

  TColor GetSelectedColor() const;
  // Selects the first item of that colour; the custom item takes it when none has it.
  void SetSelectedColor(TColor Value);
  TColor GetDefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor Value);
  TColor GetCustomColor() const { return FCustomColor; }
  void SetCustomColor(TColor Value);
  // The colour dialog's custom colours, "ColorA=RRGGBB" ... "ColorP=RRGGBB" (hex 0xBBGGRR).
  const std::vector<std::string>& GetCustomColors() const { return FCustomColors; }
  void SetCustomColors(const std::vector<std::string>& Value) { FCustomColors = Value; }
  unsigned GetColorDlgOptions() const { return FColorDlgOptions; }
  void SetColorDlgOptions(unsigned Value) { FColorDlgOptions = Value; }
  TLxColorNames& GetColorNames() { return FColorNames; }
  bool GetShowColorNames() const { return FShowColorNames; }
  void SetShowColorNames(bool Value);
  bool GetShowSysColors() const { return FShowSysColors; }
  void SetShowSysColors(bool Value);

  // The colour of item Index.
  TColor ItemColor(int Index) const;
  // Fills the list from the colour table.
  void RebuildItems();
  // Paints item Index into DC (also the edit part).
  void DrawItem(int Index, RECT Rect, UINT State, HDC DC);
  // After the drop-down closed on the custom item: the colour dialog.
  void PickCustomColor();

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void FontChanged() override;
  void CloseUp(bool Accepted) override;
  // Runs the colour dialog on Color; true when the user confirmed it.
  virtual bool ExecuteColorDialog(TColor& Color);

private:
  int CustomIndex() const { return GetItems().Count() - 1; }
  void ColorNameChanged(int Index);

  TColor FDefaultColor = 0;
  TColor FCustomColor = 0;
  std::vector<std::string> FCustomColors;
  unsigned FColorDlgOptions = 0;
  TLxColorNames FColorNames;
  bool FShowColorNames = true;
  bool FShowSysColors = true;
};

// ---------------------------------------------------------------------------
enum TFontDevice : std::uint8_t { fdScreen, fdPrinter };
enum TFontListType : std::uint8_t { ftAll, ftTrueType, ftFixedPitch, ftPrinter };
enum TFontShowStyle : std::uint8_t { ssFontName, ssFontSample, ssFontNameAndSample };

class LXCMPS_API TLxFontComboBox : public TLxCustomComboBox {
public:
  explicit TLxFontComboBox(TComponent* AOwner);
  ~TLxFontComboBox() override;

  TFontDevice GetFontDevice() const { return FFontDevice; }
  void SetFontDevice(TFontDevice Value);
  TFontListType GetFontType() const { return FFontType; }
  void SetFontType(TFontListType Value);
  TFontShowStyle GetShowStyle() const { return FShowStyle; }
  void SetShowStyle(TFontShowStyle Value);
  std::string GetFontName() const;
  void SetFontName(const std::string& Value);
  int GetFontSize() const { return FFontSize; }
  void SetFontSize(int Value);
  TFontStyles GetFontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);

  // Lists the fonts of the device again.
  void RebuildItems();
  void DrawItem(int Index, RECT Rect, UINT State, HDC DC);
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;

private:
  TFontDevice FFontDevice = fdScreen;
  TFontListType FFontType = ftAll;
  TFontShowStyle FShowStyle = ssFontName;
  std::string FFontName;
  int FFontSize = 8;
  TFontStyles FFontStyle = 0;
  bool FSorted = true;
  std::array<std::unique_ptr<TBitmap>, 5> FGlyphs;
};

// ---------------------------------------------------------------------------
class LXCMPS_API TLxLineComboBox : public TLxCustomComboBox {
public:
  explicit TLxLineComboBox(TComponent* AOwner);
  TColor GetLineColor() const { return FLineColor; }
  void SetLineColor(TColor Value);
  TLineStyle GetLineStyle() const;
  void SetLineStyle(TLineStyle Value);
  void DrawItem(int Index, RECT Rect, UINT State, HDC DC);
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;

private:
  TColor FLineColor = 0;
  TLineStyle FLineStyle = lsFlat;
};
