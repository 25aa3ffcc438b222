// The find dialog: the text to find, the direction and where a new search
// starts.
#pragma once

#include "model/Navigator.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

#include <initializer_list>
#include <string>
#include <vector>

// Radio buttons in a frame, one of them chosen.
class TLxRadioGroup : public TGroupBox {
public:
  // The buttons are owned by AOwner; the group must have its parent before.
  TLxRadioGroup(TComponent* AOwner, TWinControl* Parent, const std::string& Caption,
                std::initializer_list<const char*> Items);
  int Count() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* GetButton(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }
  // The chosen button's index, or -1.
  int GetItemIndex() const;
  // Chooses one button (the others are cleared); -1 clears all.
  void SetItemIndex(int Index);

private:
  std::vector<TRadioButton*> FButtons;
};

class TFrmFind : public TForm {
public:
  TFrmFind();

  TLabel* LblFind = nullptr;
  TEdit* EdtFind = nullptr;
  // Direction: 0 "Forwar&d", 1 "&Backward"; origin: 0 "&From Cursor", 1 "&Entire Scope".
  TLxRadioGroup* RgpDirection = nullptr;
  TLxRadioGroup* RgpOrigin = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;

  // The dialog's controls from the settings, and back.
  void SetSearch(const std::string& Text, const TFindOptions& Options);
  std::string GetText() const;
  TFindOptions GetOptions() const;
};

// Shows the dialog centred over Panel, filled with Text and Options. On OK
// both take the dialog's values and the answer is true; on Cancel nothing
// changes.
bool AskFindText(TWinControl& Panel, std::string& Text, TFindOptions& Options);
