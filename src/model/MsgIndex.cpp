#include "model/MsgIndex.h"

#include <algorithm>

#include "model/OrlimoMsg.h"

static_assert(lxmEnterMethod == 9 && lxmExitMethod == 10);

// ---------------------------------------------------------------------------
// Upkeep

void TMsgKindIndex::Rebase() noexcept {
  if (FShift == 0) return;
  for (TList& L : FLists)
    for (std::int32_t& V : L) V += FShift;
  FShift = 0;
}

void TMsgKindIndex::InsertValue(std::size_t List, std::int32_t Position) {
  const std::int32_t Value = Position - FShift;
  TList& L = FLists[List];
  L.insert(std::lower_bound(L.begin(), L.end(), Value), Value);
}

void TMsgKindIndex::Inserted(std::int32_t Position, std::int32_t Kind, std::int32_t CountBefore,
                             bool InsertAtEnd) noexcept {
  if (!FValid) return;
  try {
    const int Listed = ListOf(Kind);
    const std::size_t Into = static_cast<std::size_t>(Listed);
    const bool AtBack = Position >= CountBefore;
    const bool AtFront = !AtBack && Position == 0;
    if (AtBack) {
      if (Listed >= 0) FLists[Into].push_back(Position - FShift);
    } else if (AtFront) {
      if (FShift >= MaxShift) Rebase();
      ++FShift;
      if (Listed >= 0) FLists[Into].push_front(0 - FShift);
    } else {
      // Every listed position at or after Position moves down by one: move
      // the values after it, or those before it and the shift, whichever side
      // holds fewer.
      std::size_t Split[ListCount];
      std::size_t Head = 0, Tail = 0;
      const std::int32_t Value = Position - FShift;
      for (std::size_t K = 0; K < ListCount; ++K) {
        const TList& L = FLists[K];
        Split[K] = static_cast<std::size_t>(std::lower_bound(L.begin(), L.end(), Value) - L.begin());
        Head += Split[K];
        Tail += L.size() - Split[K];
      }
      if (Tail <= Head) {
        for (std::size_t K = 0; K < ListCount; ++K)
          for (auto It = FLists[K].begin() + static_cast<std::ptrdiff_t>(Split[K]); It != FLists[K].end(); ++It) ++*It;
      } else {
        if (FShift >= MaxShift) Rebase();
        for (std::size_t K = 0; K < ListCount; ++K) {
          auto End = FLists[K].begin() + static_cast<std::ptrdiff_t>(Split[K]);
          for (auto It = FLists[K].begin(); It != End; ++It) --*It;
        }
        ++FShift;
      }
      if (Listed >= 0) InsertValue(Into, Position);
    }
    if (Listed != static_cast<int>(EnterList) || !FLinksValid) return;
    // The call-stack links: extended when the enter is the newest one.
    const std::size_t E = FLists[EnterList].size();
    if (E == 1) {
      FLinks.assign(1, TLink{0, 0});
      FLinksOlderLow = InsertAtEnd;
    } else if (AtBack && FLinksOlderLow) {
      FLinks.push_back(TLink{0, 0});
      FLinks.back() = MakeLink(E - 1);
    } else if (AtFront && !FLinksOlderLow) {
      FLinks.push_front(TLink{0, 0});
      FLinks.front() = MakeLink(0);
    } else {
      FLinksValid = false;
      FLinks.clear();
    }
  } catch (...) {
    Invalidate();
  }
}

void TMsgKindIndex::Cleared() noexcept {
  for (TList& L : FLists) L.clear();
  FShift = 0;
  FValid = true;
  FNavigatorValid = true;
  FLinks.clear();
  FLinksValid = true;
}

void TMsgKindIndex::Invalidate() noexcept {
  for (TList& L : FLists) L.clear();
  FShift = 0;
  FValid = false;
  FNavigatorValid = false;
  FLinks.clear();
  FLinksValid = false;
}

void TMsgKindIndex::SetNavigatorKind(std::int32_t Kind) noexcept {
  if (Kind == FNavigatorKind) return;
  FNavigatorKind = Kind;
  FLists[NavList].clear();
  FNavigatorValid = FItems.empty();  // else collected on the next query
}

void TMsgKindIndex::Reversed(std::int32_t Count) noexcept {
  if (!FValid) return;
  for (TList& L : FLists) {
    std::reverse(L.begin(), L.end());
    for (std::int32_t& V : L) V = Count - 1 - (V + FShift);
  }
  FShift = 0;
  // A parent that was the nearest lower enter toward lower positions is now
  // the nearest one toward higher positions: the links hold for the other
  // direction.
  std::reverse(FLinks.begin(), FLinks.end());
  FLinksOlderLow = !FLinksOlderLow;
}

void TMsgKindIndex::Deleted(const std::vector<std::int32_t>& Deleted, bool OutOfMemory) noexcept {
  if (!FValid) return;
  if (OutOfMemory) {
    Invalidate();
    return;
  }
  if (Deleted.empty()) return;
  bool EnterDeleted = false;
  for (std::size_t K = 0; K < ListCount; ++K) {
    TList& L = FLists[K];
    std::size_t Out = 0, D = 0;
    for (std::size_t I = 0; I < L.size(); ++I) {
      const std::int32_t P = L[I] + FShift;
      while (D < Deleted.size() && Deleted[D] < P) ++D;
      if (D < Deleted.size() && Deleted[D] == P) {
        if (K == EnterList) EnterDeleted = true;
        continue;
      }
      L[Out++] = P - static_cast<std::int32_t>(D);
    }
    L.erase(L.begin() + static_cast<std::ptrdiff_t>(Out), L.end());
  }
  FShift = 0;
  if (EnterDeleted) {
    FLinksValid = false;
    FLinks.clear();
  }
}

void TMsgKindIndex::TDeletion::Add(std::int32_t Position) noexcept {
  if (FOutOfMemory) return;
  try {
    FPositions.push_back(Position);
  } catch (...) {
    FOutOfMemory = true;
  }
}

void TMsgKindIndex::Build(bool NavigatorOnly) const {
  if (NavigatorOnly) {
    FLists[NavList].clear();
  } else {
    for (TList& L : FLists) L.clear();
    FShift = 0;
    FLinks.clear();
    FLinksValid = false;
  }
  try {
    std::int32_t Value = -FShift;
    for (const TOrlimoMsgInfo* R : FItems) {
      const std::int32_t K = R->MsgType();
      if (K == FNavigatorKind)
        FLists[NavList].push_back(Value);
      else if (!NavigatorOnly && K == lxmEnterMethod)
        FLists[EnterList].push_back(Value);
      else if (!NavigatorOnly && K == lxmExitMethod)
        FLists[ExitList].push_back(Value);
      ++Value;
    }
  } catch (...) {
    FLists[NavList].clear();
    if (!NavigatorOnly) FLists[EnterList].clear(), FLists[ExitList].clear();
    throw;
  }
  FNavigatorValid = true;
  FValid = true;
}

void TMsgKindIndex::EnsureValid() const {
  if (!FValid)
    Build(false);
  else if (!FNavigatorValid)
    Build(true);
}

// ---------------------------------------------------------------------------
// Positions by kind

std::int32_t TMsgKindIndex::Count(TListed Which) const { return static_cast<std::int32_t>(List(Which).size()); }

std::int32_t TMsgKindIndex::FirstAtOrAfter(TListed Which, std::int32_t Position) const {
  const TList& L = List(Which);
  const auto It = std::lower_bound(L.begin(), L.end(), std::max(Position, 0) - FShift);
  return It == L.end() ? -1 : *It + FShift;
}

std::int32_t TMsgKindIndex::LastAtOrBefore(TListed Which, std::int32_t Position) const {
  if (Position < 0) return -1;
  const TList& L = List(Which);
  const auto It = std::upper_bound(L.begin(), L.end(), Position - FShift);
  return It == L.begin() ? -1 : *(It - 1) + FShift;
}

bool TMsgKindIndex::AnyBefore(TListed Which, std::int32_t Position) const {
  const TList& L = List(Which);
  return !L.empty() && L.front() + FShift < Position;
}

bool TMsgKindIndex::AnyAfter(TListed Which, std::int32_t Position) const {
  const TList& L = List(Which);
  return !L.empty() && L.back() + FShift > Position;
}

// ---------------------------------------------------------------------------
// Call-stack links

std::int32_t TMsgKindIndex::Level(std::size_t EnterIndex) const {
  return FItems[static_cast<std::size_t>(At(FLists[EnterList], EnterIndex))]->IndentLevel();
}

std::int32_t TMsgKindIndex::ItemLevel(std::int32_t Position) const {
  return FItems[static_cast<std::size_t>(Position)]->IndentLevel();
}

std::ptrdiff_t TMsgKindIndex::NearestEnter(std::int32_t Position) const {
  const TList& L = FLists[EnterList];
  const std::int32_t Value = Position - FShift;
  if (FLinksOlderLow) {
    const auto It = std::upper_bound(L.begin(), L.end(), Value);
    return It - L.begin() - 1;
  }
  const auto It = std::lower_bound(L.begin(), L.end(), Value);
  return It == L.end() ? -1 : It - L.begin();
}

std::ptrdiff_t TMsgKindIndex::FirstBelow(std::ptrdiff_t I, std::int64_t Threshold) const {
  // Levels fall strictly along the parents, so a jump whose target is not
  // below the threshold skips only entries that are not either.
  while (I >= 0) {
    const std::size_t U = static_cast<std::size_t>(I);
    if (Level(U) < Threshold) return I;
    const TLink K = FLinks[U];
    if (K.Parent == 0) return -1;
    if (K.Jump != K.Parent) {
      const std::size_t J = Older(U, K.Jump);
      if (Level(J) >= Threshold) {
        I = static_cast<std::ptrdiff_t>(J);
        continue;
      }
    }
    I = static_cast<std::ptrdiff_t>(Older(U, K.Parent));
  }
  return -1;
}

TMsgKindIndex::TLink TMsgKindIndex::MakeLink(std::size_t I) const {
  const std::ptrdiff_t P = FirstBelow(static_cast<std::ptrdiff_t>(Older(I, 1)), Level(I));
  if (P < 0) return TLink{0, 0};
  const std::size_t U = static_cast<std::size_t>(P);
  auto Distance = [I](std::size_t To) { return static_cast<std::int32_t>(To > I ? To - I : I - To); };
  // Skew-binary jumps (levels standing in for depths): jump over the parent's
  // jump when the parent's two jumps are as long as each other.
  const std::size_t J1 = FLinks[U].Parent == 0 ? U : Older(U, FLinks[U].Jump);
  const std::size_t J2 = FLinks[J1].Parent == 0 ? J1 : Older(J1, FLinks[J1].Jump);
  const std::int64_t L0 = Level(U), L1 = Level(J1), L2 = Level(J2);
  return TLink{Distance(U), Distance(L0 - L1 == L1 - L2 ? J2 : U)};
}

void TMsgKindIndex::EnsureLinks(bool InsertAtEnd) const {
  const std::size_t E = FLists[EnterList].size();
  if (FLinksValid && (FLinksOlderLow == InsertAtEnd || E <= 1)) {
    FLinksOlderLow = InsertAtEnd;
    return;
  }
  FLinksValid = false;
  FLinks.assign(E, TLink{0, 0});
  FLinksOlderLow = InsertAtEnd;
  if (InsertAtEnd) {
    for (std::size_t I = 1; I < E; ++I) FLinks[I] = MakeLink(I);
  } else {
    for (std::size_t I = E; I-- > 1;) FLinks[I - 1] = MakeLink(I - 1);
  }
  FLinksValid = true;
}

std::int32_t TMsgKindIndex::OlderEnterAtLevel(std::int32_t Position, std::int32_t Level, bool InsertAtEnd) const {
  EnsureLinks(InsertAtEnd);
  const std::ptrdiff_t E = static_cast<std::ptrdiff_t>(FLists[EnterList].size());
  std::ptrdiff_t I = NearestEnter(Position);
  // The nearest enter at or below the level; when it is below (levels that did
  // not come from the indent rules alone), look on past it.
  while (I >= 0) {
    I = FirstBelow(I, static_cast<std::int64_t>(Level) + 1);
    if (I < 0) return -1;
    if (this->Level(static_cast<std::size_t>(I)) == Level) return At(FLists[EnterList], static_cast<std::size_t>(I));
    I = FLinksOlderLow ? I - 1 : (I + 1 < E ? I + 1 : -1);
  }
  return -1;
}

std::int32_t TMsgKindIndex::NewerExitAtLevel(std::int32_t Position, std::int32_t Level, bool InsertAtEnd) const {
  const TList& L = FLists[ExitList];
  const std::int32_t Value = Position - FShift;
  auto IsMatch = [&](std::int32_t V) { return ItemLevel(V + FShift) == Level; };
  if (InsertAtEnd) {
    for (auto It = std::upper_bound(L.begin(), L.end(), Value); It != L.end(); ++It)
      if (IsMatch(*It)) return *It + FShift;
  } else {
    for (auto It = std::lower_bound(L.begin(), L.end(), Value); It != L.begin();) {
      --It;
      if (IsMatch(*It)) return *It + FShift;
    }
  }
  return -1;
}

std::size_t TMsgKindIndex::MemoryBytes() const {
  std::size_t N = 0;
  for (const TList& L : FLists) N += L.size() * sizeof(std::int32_t);
  return N + FLinks.size() * sizeof(TLink);
}
