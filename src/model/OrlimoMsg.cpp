#include "model/OrlimoMsg.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <stdexcept>
#include <unordered_map>

#if defined(__SANITIZE_ADDRESS__)
#define ORLIMO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORLIMO_ASAN 1
#endif
#endif
#if defined(ORLIMO_ASAN)
#include <sanitizer/asan_interface.h>
#define ORLIMO_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define ORLIMO_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define ORLIMO_POISON(p, n) ((void)(p), (void)(n))
#define ORLIMO_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

static_assert(sizeof(TOrlimoMsgInfo) == 20, "the record's fixed part is five 32-bit fields");

namespace {

constexpr std::uint32_t DetailsBit = 0x80000000u;
constexpr std::uint32_t NamesMask = 0x7FFFFFFFu;

// Whether two names are equal. Names are short: up to 16 bytes are compared
// as two overlapping words from each end, with no call (a load compares the
// names of every record with the last pair's).
bool SameName(std::string_view A, std::string_view B) {
  const std::size_t N = A.size();
  if (N != B.size()) return false;
  if (N >= 8 && N <= 16) {
    std::uint64_t A0, A1, B0, B1;
    std::memcpy(&A0, A.data(), 8);
    std::memcpy(&B0, B.data(), 8);
    std::memcpy(&A1, A.data() + N - 8, 8);
    std::memcpy(&B1, B.data() + N - 8, 8);
    return ((A0 ^ B0) | (A1 ^ B1)) == 0;
  }
  return N == 0 || std::memcmp(A.data(), B.data(), N) == 0;
}

// ---------------------------------------------------------------------------
// Application and type names repeat: each distinct (application, type) pair
// is stored once and records keep its number. Pairs and strings are counted
// and freed when the last record using them goes, so names that never repeat
// (a type name with an address in it) do not pile up after a Clear.
class TNameTable {
public:
  TNameTable() {
    // The empty pair (number 0) and the empty string are permanent.
    FStrings.push_back(TString{std::string(), 1});
    FStringIds.emplace(std::string_view(FStrings[0].S), 0);
    FPairs.push_back(TPair{0, 0, 1});
    FPairIds.emplace(0, 0);
    SetLast(0);
  }

  // The pair's number, counted once more.
  std::uint32_t Acquire(std::string_view App, std::string_view Type) {
    if (SameName(*FLastApp, App) && SameName(*FLastType, Type)) {
      ++FPairs[FLast].Refs;
      return FLast;
    }
    const std::uint32_t A = String(App);
    const std::uint32_t T = String(Type);
    const std::uint64_t Key = (static_cast<std::uint64_t>(A) << 32) | T;
    auto It = FPairIds.find(Key);
    if (It == FPairIds.end()) {
      // A string made just now and not used in the end stays listed with no
      // pairs; the next pair with that name takes it up.
      std::uint32_t Id;
      if (!FFreePairs.empty()) {
        Id = FFreePairs.back();
        It = FPairIds.emplace(Key, Id).first;
        FFreePairs.pop_back();
        FPairs[Id] = TPair{A, T, 0};
      } else {
        if (FPairs.size() >= NamesMask) throw std::length_error("too many distinct names");
        FFreePairs.reserve(FPairs.size() + 1);  // Release never allocates
        Id = static_cast<std::uint32_t>(FPairs.size());
        It = FPairIds.emplace(Key, Id).first;
        try {
          FPairs.push_back(TPair{A, T, 0});
        } catch (...) {
          FPairIds.erase(It);
          throw;
        }
      }
      ++FStrings[A].Refs;
      ++FStrings[T].Refs;
    }
    SetLast(It->second);
    ++FPairs[FLast].Refs;
    return FLast;
  }

  void Release(std::uint32_t PairId) noexcept {
    TPair& P = FPairs[PairId];
    if (--P.Refs != 0) return;
    FPairIds.erase((static_cast<std::uint64_t>(P.App) << 32) | P.Type);
    ReleaseString(P.App);
    ReleaseString(P.Type);
    FFreePairs.push_back(PairId);  // room reserved when the pair was made
    if (FLast == PairId) SetLast(0);
  }

  const std::string& App(std::uint32_t PairId) const { return FStrings[FPairs[PairId].App].S; }
  const std::string& Type(std::uint32_t PairId) const { return FStrings[FPairs[PairId].Type].S; }
  std::size_t PairCount() const { return FPairIds.size(); }

private:
  struct TString {
    std::string S;
    std::uint32_t Refs;  // pairs using it
  };
  struct TPair {
    std::uint32_t App;
    std::uint32_t Type;
    std::uint32_t Refs;  // records using it
  };

  void SetLast(std::uint32_t PairId) noexcept {
    FLast = PairId;
    FLastApp = &FStrings[FPairs[PairId].App].S;
    FLastType = &FStrings[FPairs[PairId].Type].S;
  }

  // The string's number; a new string starts with no pairs using it.
  std::uint32_t String(std::string_view S) {
    auto It = FStringIds.find(S);
    if (It != FStringIds.end()) return It->second;
    // Room for every number to come back, so that ReleaseString never allocates.
    FFreeStrings.reserve(FStrings.size() + 1);
    std::uint32_t Id;
    if (!FFreeStrings.empty()) {
      Id = FFreeStrings.back();
      FStrings[Id].S.assign(S);
      FFreeStrings.pop_back();
    } else {
      Id = static_cast<std::uint32_t>(FStrings.size());
      FStrings.push_back(TString{std::string(S), 0});
    }
    try {
      FStringIds.emplace(std::string_view(FStrings[Id].S), Id);
    } catch (...) {
      std::string().swap(FStrings[Id].S);
      FFreeStrings.push_back(Id);
      throw;
    }
    return Id;
  }

  void ReleaseString(std::uint32_t Id) noexcept {
    TString& Str = FStrings[Id];
    if (--Str.Refs != 0) return;
    FStringIds.erase(std::string_view(Str.S));
    std::string().swap(Str.S);
    FFreeStrings.push_back(Id);
  }

  std::deque<TString> FStrings;  // stable addresses: FStringIds views them
  std::unordered_map<std::string_view, std::uint32_t> FStringIds;
  std::vector<std::uint32_t> FFreeStrings;
  std::vector<TPair> FPairs;
  std::unordered_map<std::uint64_t, std::uint32_t> FPairIds;
  std::vector<std::uint32_t> FFreePairs;
  // The pair the last record took, and its names (a load's records mostly
  // repeat it; the strings stay where they are while the pair lives).
  std::uint32_t FLast = 0;
  const std::string* FLastApp = nullptr;
  const std::string* FLastType = nullptr;
};

TNameTable& Names() {
  // Never destroyed: records in static lists may be released at exit.
  static TNameTable* Table = new TNameTable;
  return *Table;
}

// ---------------------------------------------------------------------------
// Records are small and many. They are carved out of large slabs in blocks of
// a multiple of 8 bytes, with one free list per block size, so a record costs
// its own bytes rounded up to 8 and nothing more. Large records go to the
// ordinary heap. When the last pooled record goes (a list was cleared), the
// slabs are kept for the list that fills again, up to RetainedSlabs of them
// (the next load into the cleared list then writes to memory the system has
// given already instead of faulting in every page again); the rest go.
class TRecordPool {
public:
  static constexpr std::size_t Granule = 8;
  static constexpr std::size_t MaxPooled = 512;
  static constexpr std::size_t SlabSize = std::size_t{256} * 1024;
  static constexpr std::size_t RetainedSlabs = 512;  // 128 MB: about 1.5 million typical messages

  static std::size_t BlockSize(std::size_t Size) { return (Size + Granule - 1) & ~(Granule - 1); }

  void* Allocate(std::size_t Size) {
    const std::size_t Block = BlockSize(Size);
    void* P;
    if (Block > MaxPooled) {
      P = ::operator new(Block);
      FLargeBytes += Block;
    } else {
      void*& Head = FFree[Block / Granule];
      if (Head) {
        P = Head;
        ORLIMO_UNPOISON(P, sizeof(void*));
        std::memcpy(&Head, P, sizeof(void*));
      } else {
        if (static_cast<std::size_t>(FBumpEnd - FBump) < Block) NewSlab();
        P = FBump;
        FBump += Block;
      }
      ++FLivePooled;
    }
    ++FLive;
    ORLIMO_UNPOISON(P, Size);
    return P;
  }

  void Deallocate(void* P, std::size_t Size) noexcept {
    const std::size_t Block = BlockSize(Size);
    --FLive;
    if (Block > MaxPooled) {
      FLargeBytes -= Block;
      ::operator delete(P);
      return;
    }
    void*& Head = FFree[Block / Granule];
    std::memcpy(P, &Head, sizeof(void*));
    Head = P;
    ORLIMO_POISON(P, Block);
    if (--FLivePooled == 0) ReleaseSlabs();
  }

  TOrlimoRecordMemory Memory() const {
    TOrlimoRecordMemory M;
    M.LiveRecords = FLive;
    M.SlabBytes = FSlabs.size() * SlabSize;
    M.SpareBytes = FSlabs.empty() ? 0 : (FSlabs.size() - FCurrent - 1) * SlabSize;
    M.LargeBytes = FLargeBytes;
    return M;
  }

private:
  void NewSlab() {
    if (FCurrent + 1 < FSlabs.size()) {
      // A slab kept from before the last clear (poisoned since).
      char* S = FSlabs[++FCurrent];
      FBump = S;
      FBumpEnd = S + SlabSize;
      return;
    }
    FSlabs.reserve(FSlabs.size() + 1);
    char* S = static_cast<char*>(::operator new(SlabSize));
    FSlabs.push_back(S);
    FCurrent = FSlabs.size() - 1;
    ORLIMO_POISON(S, SlabSize);
    FBump = S;
    FBumpEnd = S + SlabSize;
  }
  // No pooled record lives: every slab is empty again.
  void ReleaseSlabs() noexcept {
    const std::size_t Keep = std::min(FSlabs.size(), RetainedSlabs);
    for (std::size_t I = Keep; I < FSlabs.size(); ++I) {
      ORLIMO_UNPOISON(FSlabs[I], SlabSize);
      ::operator delete(FSlabs[I]);
    }
    FSlabs.resize(Keep);
    std::fill(std::begin(FFree), std::end(FFree), nullptr);
    // Slabs after the current one have not been handed out since they were poisoned.
    for (std::size_t I = 0; I <= FCurrent && I < Keep; ++I) ORLIMO_POISON(FSlabs[I], SlabSize);
    FCurrent = 0;
    FBump = FSlabs[0];
    FBumpEnd = FBump + SlabSize;
  }

  void* FFree[MaxPooled / Granule + 1] = {};
  std::vector<char*> FSlabs;
  std::size_t FCurrent = 0;  // the slab FBump is in
  char* FBump = nullptr;
  char* FBumpEnd = nullptr;
  std::size_t FLive = 0;
  std::size_t FLivePooled = 0;
  std::size_t FLargeBytes = 0;
};

TRecordPool& Pool() {
  static TRecordPool* P = new TRecordPool;  // never destroyed, like the names
  return *P;
}

std::string_view CutAtNul(std::string_view S) {
  if (S.empty()) return S;
  const void* Z = std::memchr(S.data(), 0, S.size());
  return Z ? S.substr(0, static_cast<std::size_t>(static_cast<const char*>(Z) - S.data())) : S;
}

// Bytes of the stored form of a details text: each line followed by '\n'.
std::size_t StoredDetailsSize(std::string_view Text) {
  std::size_t N = 0;
  ForEachDetailsLine(Text, [&](std::string_view Line) { N += Line.size() + 1; });
  return N;
}

}  // namespace

// ---------------------------------------------------------------------------
std::vector<std::string> SplitDetails(std::string_view Text) {
  std::vector<std::string> Lines;
  ForEachDetailsLine(Text, [&](std::string_view Line) { Lines.emplace_back(Line); });
  return Lines;
}

std::size_t TOrlimoDetails::const_iterator::LineLen() const {
  return static_cast<std::size_t>(std::strchr(FPos, '\n') - FPos);
}

std::int32_t TOrlimoDetails::Count() const {
  return static_cast<std::int32_t>(std::count(FLines.begin(), FLines.end(), '\n'));
}

std::string_view TOrlimoDetails::operator[](std::int32_t Index) const {
  auto It = begin();
  for (std::int32_t I = 0; I < Index; ++I) ++It;
  return *It;
}

std::vector<std::string_view> TOrlimoDetails::Lines() const { return std::vector<std::string_view>(begin(), end()); }

std::string TOrlimoDetails::Joined(std::string_view Terminator) const {
  std::string S;
  S.reserve(FLines.size() + static_cast<std::size_t>(Count()) * (Terminator.size() > 0 ? Terminator.size() - 1 : 0));
  for (std::string_view Line : *this) {
    S.append(Line);
    S.append(Terminator);
  }
  return S;
}

// ---------------------------------------------------------------------------
TOrlimoMsgInfoRef TOrlimoMsgInfo::Create(const TInit& Init) {
  const auto Cut = [&Init](std::string_view S) { return Init.NulFree ? S : CutAtNul(S); };
  const std::string_view Text = Cut(Init.Text);
  const std::string_view App = Cut(Init.AppName).substr(0, OrlimoAppNameMax);
  const std::string_view Type = Cut(Init.TypeName).substr(0, OrlimoTypeNameMax);
  std::uint32_t NamesField = Names().Acquire(App, Type);

  std::string_view Details;
  std::size_t DetailsBytes = 0;
  if (Init.Details) {
    Details = Cut(*Init.Details);
    DetailsBytes = StoredDetailsSize(Details) + 1;
    NamesField |= DetailsBit;
  }
  const std::size_t Size = sizeof(TOrlimoMsgInfo) + Text.size() + 1 + DetailsBytes;
  void* Mem;
  try {
    Mem = Pool().Allocate(Size);
  } catch (...) {
    Names().Release(NamesField & NamesMask);
    throw;
  }
  TOrlimoMsgInfo* R = new (Mem) TOrlimoMsgInfo;
  R->FMsgType = Init.MsgType;
  R->FTickCount = Init.TickCount;
  R->FIndentLevel = Init.IndentLevel;
  R->FNames = NamesField;
  char* P = R->Inline();
  if (!Text.empty()) std::memcpy(P, Text.data(), Text.size());
  P += Text.size();
  *P++ = '\0';
  if (Init.Details) {
    ForEachDetailsLine(Details, [&](std::string_view Line) {
      if (!Line.empty()) std::memcpy(P, Line.data(), Line.size());
      P += Line.size();
      *P++ = '\n';
    });
    *P++ = '\0';
  }
  return TOrlimoMsgInfoRef(R);
}

TOrlimoMsgInfoRef TOrlimoMsgInfo::CopyWithText(const TOrlimoMsgInfo& Source, std::string_view Text) {
  TInit Init;
  Init.MsgType = Source.MsgType();
  Init.Text = Text;
  Init.AppName = Source.AppName();
  Init.TypeName = Source.TypeName();
  Init.TickCount = Source.TickCount();
  Init.IndentLevel = Source.IndentLevel();
  const TOrlimoDetails D = Source.Details();
  if (D.Present()) Init.Details = D.Raw();
  return Create(Init);
}

TOrlimoDetails TOrlimoMsgInfo::Details() const {
  if (!(FNames & DetailsBit)) return TOrlimoDetails();
  const char* D = Inline() + std::strlen(Inline()) + 1;
  return TOrlimoDetails(true, std::string_view(D));
}

const std::string& TOrlimoMsgInfo::AppName() const { return Names().App(FNames & NamesMask); }
const std::string& TOrlimoMsgInfo::TypeName() const { return Names().Type(FNames & NamesMask); }
std::string_view TOrlimoMsgInfo::Text() const { return std::string_view(Inline()); }

std::size_t TOrlimoMsgInfo::InlineSize() const {
  std::size_t N = std::strlen(Inline()) + 1;
  if (FNames & DetailsBit) N += std::strlen(Inline() + N) + 1;
  return N;
}

std::size_t TOrlimoMsgInfo::AllocatedSize() const {
  return TRecordPool::BlockSize(sizeof(TOrlimoMsgInfo) + InlineSize());
}

void TOrlimoMsgInfo::Release() {
  if (--FRefCount != 0) return;
  const std::size_t Size = sizeof(TOrlimoMsgInfo) + InlineSize();
  Names().Release(FNames & NamesMask);
  this->~TOrlimoMsgInfo();
  Pool().Deallocate(this, Size);
}

TOrlimoRecordMemory OrlimoRecordMemory() {
  TOrlimoRecordMemory M = Pool().Memory();
  M.NamePairs = Names().PairCount();
  return M;
}
