// A notebook: a stack of pages of which one shows at a time.
#pragma once

#include "platform/Controls.h"

#include <string>
#include <vector>

class TNotebook;

// One page; put the page's controls on it (it is their parent).
class TPage : public TCustomControl {
public:
  TPage(TNotebook& Notebook, const std::string& Caption);
};

class TNotebook : public TCustomControl {
public:
  explicit TNotebook(TComponent* AOwner);

  TPage* AddPage(const std::string& Caption);
  // Replaces every page by pages of these names.
  void SetPages(const std::vector<std::string>& Captions);
  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  TPage* GetPage(int Index) const;
  int IndexOfPage(const std::string& Caption) const;  // case-insensitive; -1 when absent

  int GetPageIndex() const { return FPageIndex; }
  void SetPageIndex(int Value);  // out of range: ignored
  std::string GetActivePage() const;
  void SetActivePage(const std::string& Caption);

  TNotifyEvent OnPageChanged;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // The pages in order. The notebook owns them as its components; a page
  // deleted by anyone leaves this list (Notification).
  std::vector<TPage*> FPages;
  int FPageIndex = -1;
};
