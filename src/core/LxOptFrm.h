// The preferences dialog "Orlimo Preferences": message options, the three
// fonts with their samples, the form view and message details, and the colour
// and style of each message kind. It edits copies; the viewer panel takes
// over what the user confirmed (TBkOrlimoComposite::ChangePreferences).
#pragma once

#include "core/BkOrlimo.h"

#include "components/LxCmboBx.h"
#include "components/LxPanel.h"
#include "components/LxSpnEdt.h"

#include "platform/Forms.h"
#include "platform/Pages.h"
#include "platform/StdCtrls.h"

#include <array>
#include <cstdint>

class TFrmPreferences : public TForm {
public:
  static constexpr const char* HelpTopic = "hlpLxPreferences";
  // The names under "Message Type": kinds 1 to 10 in code order.
  static constexpr std::array<const char*, 10> KindNames{"Warning",      "Error",       "Check Point", "Object",
                                                         "Stream",       "String List", "Property",    "Note",
                                                         "Enter Method", "Exit Method"};

  TFrmPreferences();

  // Every control from the panel, the kind style table and the three fonts copied.
  void Fill(TBkOrlimoComposite& Panel);
  // What the dialog does when it is shown: the first font and kind, the idle
  // time's state.
  void PrepareShow();

  // What the user chose.
  bool InsertAtEnd() const { return CbxInsertAt->GetItemIndex() == 1; }
  std::int32_t IdleTime();
  const TOrlimoFonts& KindStyles() const { return FStyles; }
  // The font of the sample of "Font Type" item Index (0 message, 1 object, 2 stream).
  // The font as it will be stored; its sample shows it as the panes draw it
  // (in the dark look a colour never changed is the dark look's text colour).
  const TFont& SampleFont(int Index) const { return FSampleFonts[static_cast<std::size_t>(Index)]; }
  // The kind edited under "Message Type" (1..10).
  std::int32_t SelectedKind() const { return CbxMsgType->GetItemIndex() + 1; }

  // "Message Options"
  TGroupBox* GrpMessages = nullptr;
  TLabel* LblInsertAt = nullptr;
  TComboBox* CbxInsertAt = nullptr;
  TLabel* LblOfList = nullptr;
  TCheckBox* ChkKeepInView = nullptr;
  TCheckBox* ChkConfirmClear = nullptr;
  TLabel* LblArrives = nullptr;
  TLxSpinEdit* SpnIdleTime = nullptr;
  TLabel* LblSeconds = nullptr;
  TLabel* LblInactivity = nullptr;
  TCheckBox* ChkInsertSeparator = nullptr;
  TCheckBox* ChkBeep = nullptr;
  // "Fonts"
  TGroupBox* GrpFonts = nullptr;
  TLabel* LblFontType = nullptr;
  TComboBox* CbxFontType = nullptr;
  TButton* BtnModify = nullptr;
  TNotebook* NbkSamples = nullptr;
  std::array<TLxPanel*, 3> FSamples{};
  std::array<TFont, 3> FSampleFonts;
  void SetSampleFont(int Index, const TFont& Font);
  // "Form View Options"
  TGroupBox* GrpFormView = nullptr;
  TCheckBox* ChkToolbar = nullptr;
  TCheckBox* ChkWrapButtons = nullptr;
  TCheckBox* ChkStatusBar = nullptr;
  TCheckBox* ChkInspectorPane = nullptr;
  TCheckBox* ChkScratchPad = nullptr;
  // "Message Details"
  TGroupBox* GrpDetails = nullptr;
  TCheckBox* ChkIcons = nullptr;
  TCheckBox* ChkTimeStamp = nullptr;
  TCheckBox* ChkAppName = nullptr;
  // "Special Message Colors and Styles"
  TGroupBox* GrpKinds = nullptr;
  TLabel* LblMsgType = nullptr;
  TComboBox* CbxMsgType = nullptr;
  TCheckBox* ChkUseDefault = nullptr;
  TLxColorComboBox* CbxColor = nullptr;
  TCheckBox* ChkBold = nullptr;
  TCheckBox* ChkItalic = nullptr;
  TCheckBox* ChkUnderline = nullptr;
  TCheckBox* ChkStrikeout = nullptr;
  TLxPanel* PnlKindSample = nullptr;
  // Buttons
  TButton* BtnOK = nullptr;
  TButton* BtnCancel = nullptr;
  TButton* BtnHelp = nullptr;

  // The handlers, as the controls call them.
  void WakeUpClick();
  void FontTypeChange();
  void MsgTypeChange();
  void UseDefaultClick();
  void ColorChange();
  void StyleClick(TCheckBox* Box, std::uint8_t Bit);
  void ModifyClick();
  void HelpClick();

private:
  TGroupBox* AddGroup(int Left, int Top, int Width, int Height, const char* Caption);
  TCheckBox* AddCheck(TWinControl* Parent, int Left, int Top, int Width, const char* Caption);
  TLabel* AddLabel(TWinControl* Parent, int Left, int Top, const char* Caption);
  TButton* AddButton(int Left, const char* Caption, TModalResult Result);
  // The kind sample in the message font, with the entry's colour and style
  // unless the entry uses the default.
  void RefreshKindSample();
  TOrlimoFontRec& Entry() { return FStyles[static_cast<std::size_t>(SelectedKind())]; }

  TOrlimoFonts FStyles{};
  bool FShowingKind = false;  // controls set from an entry: their events change nothing
};

// The dialog while it is up (nothing else uses it).
extern TFrmPreferences* FrmPreferences;

// Shows the dialog centred on the screen and returns its modal result.
TModalResult ShowPreferences(TFrmPreferences& Dialog);
