// Pixel art at one and a half times its size. Plain nearest-neighbour
// resampling doubles every other source row and column, so of two lines one
// pixel wide one comes out two pixels wide and the other one. Here every
// pair of source pixels becomes three: the outer two are the pair's own, and
// the one between them takes whichever of the two stands out more: a drawn
// pixel over a transparent one, the darker of two drawn ones. Outlines then
// come out two pixels wide everywhere, as at twice the size, and no colour
// appears that the art does not have.
#pragma once

#include <cstdint>
#include <vector>

// Pixels are 0x00RRGGBB, row after row; Transparent is the colour not drawn.
// Width and Height are even (pairs); the result is 3/2 Width by 3/2 Height.
std::vector<std::uint32_t> ScalePixelArtThreeHalves(const std::uint32_t* Pixels, int Width, int Height,
                                                    std::uint32_t Transparent);

// Of two pixels, the one drawn in the middle at 1.5 times (ties: the first).
std::uint32_t StandsOut(std::uint32_t A, std::uint32_t B, std::uint32_t Transparent);
