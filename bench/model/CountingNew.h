// Replaces the global operator new and delete of the benchmark program that
// includes it (include it from exactly one source file) with versions that
// count the bytes requested and not yet deleted, and the peak of that count.
// A 16-byte prefix of each block holds its size. The C heap's own per-block
// overhead is not counted.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <new>

namespace CountingNew {
inline std::size_t Live = 0;  // bytes requested and not yet deleted
inline std::size_t Peak = 0;  // the highest Live since it was last set
inline constexpr std::size_t Prefix = 16;

inline void* Alloc(std::size_t N) {
  void* P = std::malloc(N + Prefix);
  if (!P) throw std::bad_alloc();
  *static_cast<std::size_t*>(P) = N;
  Live += N;
  Peak = std::max(Peak, Live);
  return static_cast<char*>(P) + Prefix;
}

inline void Free(void* P) noexcept {
  if (!P) return;
  char* Base = static_cast<char*>(P) - Prefix;
  Live -= *reinterpret_cast<std::size_t*>(Base);
  std::free(Base);
}
}  // namespace CountingNew

void* operator new(std::size_t N) { return CountingNew::Alloc(N); }
void* operator new[](std::size_t N) { return CountingNew::Alloc(N); }
void operator delete(void* P) noexcept { CountingNew::Free(P); }
void operator delete[](void* P) noexcept { CountingNew::Free(P); }
void operator delete(void* P, std::size_t) noexcept { CountingNew::Free(P); }
void operator delete[](void* P, std::size_t) noexcept { CountingNew::Free(P); }
