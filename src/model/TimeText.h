// Tick counts and time texts.
//
// A message carries only the sender's tick count (milliseconds of the system
// clock, 32-bit). A TTimeBase anchors tick counts to a time of day: it knows
// the tick count (BaseTick) and the local time of day in ms since midnight
// (BaseTime) of one moment, the start of the panel or its last Clear. All
// arithmetic is 32-bit signed with wrap-around, done in unsigned so that it is
// well defined.
#pragma once

#include <cstdint>
#include <string>

// The clock the list model asks for "now". The Win32 side implements it with
// GetTickCount and GetLocalTime; tests drive a TManualClock.
class TOrlimoClock {
public:
  virtual ~TOrlimoClock() = default;
  virtual std::int32_t TickCount() = 0;  // ms, wraps like GetTickCount
  virtual std::int32_t TimeOfDay() = 0;  // local time, ms since midnight
};

// A clock that shows what it is told.
class TManualClock : public TOrlimoClock {
public:
  TManualClock(std::int32_t Tick = 0, std::int32_t Time = 0) : FTick(Tick), FTime(Time) {}
  std::int32_t TickCount() override { return FTick; }
  std::int32_t TimeOfDay() override { return FTime; }
  void Set(std::int32_t Tick, std::int32_t Time) {
    FTick = Tick;
    FTime = Time;
  }
  void SetTick(std::int32_t Tick) { FTick = Tick; }
  // Moves both tick count and time of day on by Ms (wrapping).
  void Advance(std::int32_t Ms);

private:
  std::int32_t FTick;
  std::int32_t FTime;
};

// 32-bit wrap-around arithmetic without signed overflow.
constexpr std::int32_t WrapAdd(std::int32_t A, std::int32_t B) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(A) + static_cast<std::uint32_t>(B));
}
constexpr std::int32_t WrapSub(std::int32_t A, std::int32_t B) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(A) - static_cast<std::uint32_t>(B));
}
constexpr std::int32_t WrapMul(std::int32_t A, std::int32_t B) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(A) * static_cast<std::uint32_t>(B));
}

// Milliseconds as "H:MM:SS.mmm" (printf "%d:%.2d:%.2d.%.3d"); hours of 24 or
// more are taken modulo 24. Divisions truncate toward zero, so a negative
// value gives negative parts, as 32-bit signed arithmetic does.
std::string ConvertTickCount(std::int32_t Milliseconds);

class TTimeBase {
public:
  TTimeBase() = default;
  TTimeBase(std::int32_t BaseTick, std::int32_t BaseTime) : FBaseTick(BaseTick), FBaseTime(BaseTime) {}

  // Anchors to the clock's present moment.
  void Reset(TOrlimoClock& Clock) { Reset(Clock.TickCount(), Clock.TimeOfDay()); }
  void Reset(std::int32_t BaseTick, std::int32_t BaseTime) {
    FBaseTick = BaseTick;
    FBaseTime = BaseTime;
  }

  std::int32_t BaseTick() const { return FBaseTick; }
  std::int32_t BaseTime() const { return FBaseTime; }

  // The time of day at which TickCount fell. A tick count below BaseTick
  // (signed comparison) moves BaseTick back to it first; BaseTime stays.
  std::string TickCountToTime(std::int32_t TickCount);
  // The milliseconds TickCountToTime formats (after moving the base).
  std::int32_t TimeOfTick(std::int32_t TickCount);

private:
  std::int32_t FBaseTick = 0;
  std::int32_t FBaseTime = 0;
};

// The sample text the time-stamp column is measured on.
inline constexpr const char* TimeStampSample = "00:00:00.000";
