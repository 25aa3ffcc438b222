// Eight bytes tested at a time for zero bytes (within a 64-bit word).
#pragma once

#include <cstdint>

inline constexpr std::uint64_t ByteOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t ByteHighs = 0x8080808080808080ull;

// The high bit of every zero byte of V is set (and maybe of bytes above a zero
// one, never of others when there is none): on a little-endian machine the
// lowest set bit marks the first zero byte in memory.
inline std::uint64_t ZeroBytes(std::uint64_t V) { return (V - ByteOnes) & ~V & ByteHighs; }
