// The viewer panel as the intake windows see it. The main form and the
// satellite window decode each WM_COPYDATA record once and call these
// operations on every panel they serve. The viewer panel (TBkOrlimoComposite)
// implements this interface; the intake code never depends on the panel itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TBkFrmLxSatellite;

class TLxIntakePanel {
public:
  virtual ~TLxIntakePanel() = default;

  virtual bool GetIgnoreMessages() const = 0;
  virtual void AddCheckPoint(std::string_view AppName, std::int32_t TickCount) = 0;
  virtual void AddSeparator(std::string_view AppName, std::int32_t TickCount) = 0;
  virtual void Clear() = 0;
  virtual void ScratchPadMsg(std::int32_t Line, std::string_view Text) = 0;
  virtual void SaveLogFile(const std::string& FileName) = 0;
  // Details: none (std::nullopt) differs from an empty details text.
  virtual std::int32_t AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName,
                                  std::string_view TypeName, std::int32_t TickCount,
                                  std::optional<std::string_view> Details) = 0;

  // Satellite registration: the satellite tells a panel that it serves it, and a
  // panel joining a satellite receives the first panel's items (records shared).
  virtual void SetSatellite(TBkFrmLxSatellite* Satellite) = 0;
  virtual void AppendSharedItemsFrom(TLxIntakePanel& First) = 0;
};
