#include "model/TimeText.h"

#include <cstdio>

void TManualClock::Advance(std::int32_t Ms) {
  FTick = WrapAdd(FTick, Ms);
  FTime = WrapAdd(FTime, Ms);
}

std::string ConvertTickCount(std::int32_t M) {
  std::int32_t H = M / 3600000;
  if (H >= 24) H %= 24;
  std::int32_t R = M % 3600000;
  const std::int32_t MM = R / 60000;
  R %= 60000;
  const std::int32_t SS = R / 1000;
  const std::int32_t MS = R % 1000;
  char Buf[48];
  std::snprintf(Buf, sizeof Buf, "%d:%.2d:%.2d.%.3d", static_cast<int>(H), static_cast<int>(MM), static_cast<int>(SS),
                static_cast<int>(MS));
  return Buf;
}

std::int32_t TTimeBase::TimeOfTick(std::int32_t TickCount) {
  if (TickCount < FBaseTick) FBaseTick = TickCount;
  return WrapAdd(WrapSub(TickCount, FBaseTick), FBaseTime);
}

std::string TTimeBase::TickCountToTime(std::int32_t TickCount) { return ConvertTickCount(TimeOfTick(TickCount)); }
