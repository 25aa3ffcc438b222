#include "platform/Pages.h"

#include <algorithm>
#include <cctype>

TPage::TPage(TNotebook& Notebook, const std::string& Caption) : TCustomControl(&Notebook) {
  SetText(Caption);
  SetName(Caption);
  SetParentColor(true);
  SetVisible(false);
  SetAlign(alClient);
  SetParent(&Notebook);
}

TNotebook::TNotebook(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 150, 150); }

TPage* TNotebook::AddPage(const std::string& Caption) {
  auto* Page = new TPage(*this, Caption);
  FPages.push_back(Page);
  if (FPageIndex < 0) SetPageIndex(0);
  return Page;
}

void TNotebook::SetPages(const std::vector<std::string>& Captions) {
  // No page is active while they go, so none is shown on the way.
  FPageIndex = -1;
  while (!FPages.empty()) delete FPages.back();  // leaves FPages by Notification
  for (const std::string& C : Captions) AddPage(C);
}

TPage* TNotebook::GetPage(int Index) const {
  if (Index < 0 || Index >= GetPageCount()) return nullptr;
  return FPages[static_cast<size_t>(Index)];
}

int TNotebook::IndexOfPage(const std::string& Caption) const {
  for (size_t I = 0; I < FPages.size(); ++I) {
    const std::string N = FPages[I]->GetText();
    if (N.size() == Caption.size() && std::equal(N.begin(), N.end(), Caption.begin(), [](char A, char B) {
          return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B));
        }))
      return static_cast<int>(I);
  }
  return -1;
}

void TNotebook::SetPageIndex(int Value) {
  if (Value < 0 || Value >= GetPageCount() || Value == FPageIndex) return;
  TPage* Old = GetPage(FPageIndex);
  FPageIndex = Value;
  FPages[static_cast<size_t>(Value)]->Show();
  FPages[static_cast<size_t>(Value)]->BringToFront();
  if (Old) Old->Hide();
  if (OnPageChanged) OnPageChanged(this);
}

std::string TNotebook::GetActivePage() const {
  TPage* P = GetPage(FPageIndex);
  return P ? P->GetText() : std::string();
}

void TNotebook::SetActivePage(const std::string& Caption) { SetPageIndex(IndexOfPage(Caption)); }

void TNotebook::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  auto It = std::find(FPages.begin(), FPages.end(), AComponent);
  if (It == FPages.end()) return;
  const int Index = static_cast<int>(It - FPages.begin());
  FPages.erase(It);
  if (Index == FPageIndex) {
    FPageIndex = -1;
    if (!IsDestroying() && !FPages.empty()) SetPageIndex(std::min(Index, GetPageCount() - 1));
  } else if (Index < FPageIndex) {
    --FPageIndex;
  }
}
