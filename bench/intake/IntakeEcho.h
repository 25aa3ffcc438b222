// Identity of the echo window the intake benchmark sends to.
#pragma once

inline constexpr char LxEchoClassName[] = "TLxIntakeEcho";
inline constexpr char LxEchoCaption[] = "Orlimo Intake Echo";
