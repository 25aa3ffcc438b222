#include "model/FindText.h"

#include <bit>
#include <cstring>

#include "model/ZeroBytes.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

TUpperCaseTable MakeAnsiUpperCaseTable() {
  TUpperCaseTable T{};
  for (unsigned C = 0; C < 256; ++C) T[C] = static_cast<unsigned char>(C);
  for (unsigned C = 'a'; C <= 'z'; ++C) T[C] = static_cast<unsigned char>(C - 0x20);
  for (unsigned C = 0xE0; C <= 0xFE; ++C)
    if (C != 0xF7) T[C] = static_cast<unsigned char>(C - 0x20);  // not the division sign
  T[0x9A] = 0x8A;                                                // s caron
  T[0x9C] = 0x8C;                                                // oe
  T[0x9E] = 0x8E;                                                // z caron
  T[0xFF] = 0x9F;                                                // y diaeresis
  return T;
}

}  // namespace

const TUpperCaseTable& AnsiUpperCaseTable() {
  static const TUpperCaseTable Table = MakeAnsiUpperCaseTable();
  return Table;
}

TFindText::TFindText(std::string_view Text, const TUpperCaseTable& Table) : FTable(Table) {
  FUpper.resize(Text.size());
  for (std::size_t I = 0; I < Text.size(); ++I)
    FUpper[I] = static_cast<char>(Table[static_cast<unsigned char>(Text[I])]);
  if (FUpper.empty()) return;
  // The bytes whose upper case is Upper: the first one in A, the second in B
  // (B = A when there is one); returns how many there are.
  auto Cases = [&Table](unsigned char Upper, unsigned char& A, unsigned char& B, bool* Mark) {
    int Found = 0;
    for (unsigned C = 0; C < 256; ++C) {
      if (Table[C] != Upper) continue;
      if (Mark) Mark[C] = true;
      if (Found == 0) A = B = static_cast<unsigned char>(C);
      if (Found == 1) B = static_cast<unsigned char>(C);
      ++Found;
    }
    return Found;
  };
  const int First = Cases(static_cast<unsigned char>(FUpper.front()), FFirstA, FFirstB, FIsFirst.data());
  const int Last = Cases(static_cast<unsigned char>(FUpper.back()), FLastA, FLastB, nullptr);
  FManyCases = First > 2 || Last > 2;
  // Prefix function: FFailure[I] is the length of the longest proper prefix of
  // FUpper[0..I] that is also its suffix.
  FFailure.assign(FUpper.size(), 0);
  for (std::size_t I = 1, K = 0; I < FUpper.size(); ++I) {
    while (K > 0 && FUpper[I] != FUpper[K]) K = static_cast<std::size_t>(FFailure[K - 1]);
    if (FUpper[I] == FUpper[K]) ++K;
    FFailure[I] = static_cast<std::int32_t>(K);
  }
}

bool TFindText::Matches(std::string_view ItemText) const {
  return Search(reinterpret_cast<const unsigned char*>(ItemText.data()), ItemText.size());
}

bool TFindText::Matches(const char* ItemText) const {
  return Search(reinterpret_cast<const unsigned char*>(ItemText), std::strlen(ItemText));
}

bool TFindText::Verify(const unsigned char* At) const {
  const std::size_t M = FUpper.size();
  for (std::size_t J = 1; J < M; ++J)
    if (FTable[At[J]] != static_cast<unsigned char>(FUpper[J])) return false;
  return true;
}

bool TFindText::Search(const unsigned char* Text, std::size_t Length) const {
  const std::size_t M = FUpper.size();
  if (M == 0 || Length < M) return false;
  const std::size_t Starts = Length - M + 1;
  // Candidates are the positions of a byte whose upper case is the find text's
  // first byte; each is checked in place. When candidates keep failing late,
  // the checks could add up to Length times M: past a budget of a few passes
  // the search goes over to Knuth-Morris-Pratt, which reads each byte once.
  std::size_t Budget = 2 * Length + 64;
  auto Candidate = [&](std::size_t I, bool& Hit) {
    if (!FIsFirst[Text[I]]) return false;
    const std::size_t Cost = M < Budget ? M : Budget;
    Budget -= Cost;
    Hit = Verify(Text + I);
    return Hit || Budget == 0;
  };
  bool Hit = false;
  std::size_t I = 0;
  if (!FManyCases) {
    // Candidate places, several at a time: those whose first byte fits the
    // find text's first and whose byte M - 1 further on fits its last. Sixteen
    // at a time where the processor has SSE2, then eight in 64-bit words (those
    // masks may mark a place that does not fit, never miss one that does).
#if defined(__SSE2__)
    const __m128i VFA = _mm_set1_epi8(static_cast<char>(FFirstA)), VFB = _mm_set1_epi8(static_cast<char>(FFirstB));
    const __m128i VLA = _mm_set1_epi8(static_cast<char>(FLastA)), VLB = _mm_set1_epi8(static_cast<char>(FLastB));
    for (; I + 16 <= Starts; I += 16) {
      const __m128i F = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text + I));
      const __m128i L = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text + I + M - 1));
      const __m128i Fits = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(F, VFA), _mm_cmpeq_epi8(F, VFB)),
                                         _mm_or_si128(_mm_cmpeq_epi8(L, VLA), _mm_cmpeq_epi8(L, VLB)));
      for (unsigned Mask = static_cast<unsigned>(_mm_movemask_epi8(Fits)); Mask != 0; Mask &= Mask - 1)
        if (Candidate(I + static_cast<std::size_t>(std::countr_zero(Mask)), Hit)) return Hit || KmpSearch(Text, Length);
    }
#endif
    const std::uint64_t FA = ByteOnes * FFirstA, FB = ByteOnes * FFirstB, LA = ByteOnes * FLastA,
                        LB = ByteOnes * FLastB;
    for (; I + 8 <= Starts; I += 8) {
      std::uint64_t F, L;
      std::memcpy(&F, Text + I, 8);
      std::memcpy(&L, Text + I + M - 1, 8);
      if (((ZeroBytes(F ^ FA) | ZeroBytes(F ^ FB)) & (ZeroBytes(L ^ LA) | ZeroBytes(L ^ LB))) == 0) continue;
      for (std::size_t J = I; J < I + 8; ++J)
        if (Candidate(J, Hit)) return Hit || KmpSearch(Text, Length);
    }
  }
  for (; I < Starts; ++I)
    if (Candidate(I, Hit)) return Hit || KmpSearch(Text, Length);
  return false;
}

bool TFindText::KmpSearch(const unsigned char* Text, std::size_t Length) const {
  const std::size_t M = FUpper.size();
  std::size_t K = 0;
  for (std::size_t I = 0; I < Length; ++I) {
    const char C = static_cast<char>(FTable[Text[I]]);
    while (K > 0 && C != FUpper[K]) K = static_cast<std::size_t>(FFailure[K - 1]);
    if (C == FUpper[K] && ++K == M) return true;
  }
  return false;
}
