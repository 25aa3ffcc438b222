// TComponent: ownership by an owner and notification of deletion.
#include "platform/Controls.h"

#include <algorithm>
#include <cctype>

// ---------------------------------------------------------------- TComponent
TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  // Tell the components that watch this one.
  std::vector<TComponent*> Watchers;
  Watchers.swap(FFreeNotifies);
  for (TComponent* W : Watchers) {
    auto& L = W->FFreeNotifies;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
    W->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) {
    TComponent* Owner = FOwner;
    Owner->RemoveComponent(this);
    Owner->Notification(this, opRemove);
  }
}

TComponent* TComponent::FindComponent(const std::string& Name) const {
  for (TComponent* C : FComponents) {
    const std::string& N = C->FName;
    if (N.size() == Name.size() && std::equal(N.begin(), N.end(), Name.begin(), [](char A, char B) {
          return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B));
        }))
      return C;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (It != FComponents.end()) {
    FComponents.erase(It);
    AComponent->FOwner = nullptr;
  }
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* C = FComponents.back();
    FComponents.pop_back();
    C->FOwner = nullptr;
    delete C;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& Other = AComponent->FFreeNotifies;
  if (std::find(Other.begin(), Other.end(), this) == Other.end()) Other.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
  auto& Other = AComponent->FFreeNotifies;
  Other.erase(std::remove(Other.begin(), Other.end(), this), Other.end());
}

void TComponent::Notification(TComponent*, TOperation) {}
