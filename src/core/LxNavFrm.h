// The navigator dialog: the user picks the message kind the navigator
// buttons step through, from a list that shows each kind with its icon.
#pragma once

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

#include <cstdint>
#include <functional>

// A kind's list icon, normal or selected (null: none).
using TKindIconSource = std::function<TBitmap*(std::int32_t Kind, bool Selected)>;

// A list box whose items the dialog draws, all of one height.
class TNavMsgListBox : public TListBox {
public:
  explicit TNavMsgListBox(TComponent* AOwner) : TListBox(AOwner) {}
  static constexpr int ItemHeight = 15;  // at 96 DPI
  std::function<void(const DRAWITEMSTRUCT& Item)> OnDrawItem;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DpiChanged(int FromDpi, int ToDpi) override;
};

class TFrmNavMsg : public TForm {
public:
  explicit TFrmNavMsg(TKindIconSource Icons);

  // The list's texts, in kind code order (0 Info .. 8 Note).
  static const char* const KindTexts[9];

  TLabel* LblPrompt = nullptr;
  TNavMsgListBox* LstNavMsg = nullptr;
  TButton* BtnOk = nullptr;
  TButton* BtnCancel = nullptr;

  // Draws one item: its rectangle filled, the kind's icon at (4, 2) and the
  // text 24 pixels from the left edge.
  void DrawItem(const DRAWITEMSTRUCT& Item);

private:
  TKindIconSource FIcons;
};

// Shows the dialog centred over Panel with Kind chosen. On OK, Kind becomes
// the chosen kind and the answer is true; on Cancel nothing changes.
bool SelectNavigatorKind(TWinControl& Panel, std::int32_t& Kind, const TKindIconSource& Icons);
