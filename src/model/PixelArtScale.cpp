#include "model/PixelArtScale.h"

namespace {

// Luminance in thousandths (Rec. 601 weights), enough to order two colours.
std::uint32_t Luma(std::uint32_t C) { return ((C >> 16) & 0xFF) * 299 + ((C >> 8) & 0xFF) * 587 + (C & 0xFF) * 114; }

}  // namespace

std::uint32_t StandsOut(std::uint32_t A, std::uint32_t B, std::uint32_t Transparent) {
  if (A == Transparent) return B;
  if (B == Transparent) return A;
  return Luma(B) < Luma(A) ? B : A;
}

std::vector<std::uint32_t> ScalePixelArtThreeHalves(const std::uint32_t* Pixels, int Width, int Height,
                                                    std::uint32_t Transparent) {
  if (Width <= 0 || Height <= 0 || Width % 2 != 0 || Height % 2 != 0) return {};
  const int W = Width / 2 * 3, H = Height / 2 * 3;
  std::vector<std::uint32_t> Out(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
  const auto At = [&](int X, int Y) { return Pixels[static_cast<std::size_t>(Y) * Width + X]; };
  const auto Put = [&](int X, int Y, std::uint32_t C) { Out[static_cast<std::size_t>(Y) * W + X] = C; };
  for (int Y = 0; Y < Height; Y += 2)
    for (int X = 0; X < Width; X += 2) {
      const std::uint32_t A = At(X, Y), B = At(X + 1, Y), C = At(X, Y + 1), D = At(X + 1, Y + 1);
      const int TX = X / 2 * 3, TY = Y / 2 * 3;
      Put(TX, TY, A);
      Put(TX + 1, TY, StandsOut(A, B, Transparent));
      Put(TX + 2, TY, B);
      Put(TX, TY + 1, StandsOut(A, C, Transparent));
      Put(TX + 1, TY + 1, StandsOut(StandsOut(A, B, Transparent), StandsOut(C, D, Transparent), Transparent));
      Put(TX + 2, TY + 1, StandsOut(B, D, Transparent));
      Put(TX, TY + 2, C);
      Put(TX + 1, TY + 2, StandsOut(C, D, Transparent));
      Put(TX + 2, TY + 2, D);
    }
  return Out;
}
