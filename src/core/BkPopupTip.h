// The popup tip: a small window that shows the whole text of one message just
// below its line. It holds the mouse capture while it shows; a key of Enter
// or Escape, any mouse press, the loss of the focus or cancel mode closes it.
#pragma once

#include "platform/Controls.h"

#include <functional>
#include <string>

class TBkPopupTip : public TCustomControl {
public:
  static constexpr std::size_t MaxText = 255;

  explicit TBkPopupTip(TComponent* AOwner);

  // The tip shows at most MaxText characters.
  void SetTipText(const std::string& Text);
  const std::string& GetTipText() const { return FTipText; }
  // The height the text needs when word-wrapped at Width.
  int CalcTipHeight(int Width);

  // Whom the tip tells when it should close (the composite's HideTip).
  std::function<void()> OnCloseRequest;
  // The window that owns the popup (the composite's).
  void SetOwnerWindow(HWND Wnd) { FOwnerWindow = Wnd; }

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint(TCanvas& Canvas) override;
  LRESULT DialogCode(WPARAM Key) override;

private:
  void RequestClose();
  std::string FTipText;
  HWND FOwnerWindow = nullptr;
};
