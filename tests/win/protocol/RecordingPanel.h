// A panel for intake tests: records every call the intake windows make, in
// order, as readable text, and keeps its items as shared handles so that tests
// can see which items two panels share.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/LxIntake.h"
#include "protocol/LxSatFrm.h"

class TRecordingPanel : public TLxIntakePanel {
public:
  explicit TRecordingPanel(std::string Name = {}) : Name(std::move(Name)) {}
  // Like the viewer panel: a panel that goes leaves the satellite serving it
  // (every entry, when a test registered it more than once).
  ~TRecordingPanel() override {
    if (!Satellite) return;
    const auto& Entries = Satellite->GetComposites();
    for (auto N = std::count(Entries.begin(), Entries.end(), this); N > 0; --N)
      Satellite->RemoveCompositeReference(this);
  }
  TRecordingPanel(const TRecordingPanel&) = delete;
  TRecordingPanel& operator=(const TRecordingPanel&) = delete;

  std::string Name;
  bool Ignore = false;
  // When set, the next operation whose call text starts with it throws.
  std::string ThrowOn;
  std::vector<std::string> Calls;
  std::vector<std::shared_ptr<const std::string>> Items;  // what AddMessage listed
  TBkFrmLxSatellite* Satellite = nullptr;

  bool GetIgnoreMessages() const override { return Ignore; }
  void AddCheckPoint(std::string_view AppName, std::int32_t TickCount) override {
    Record("AddCheckPoint(" + std::string(AppName) + "," + std::to_string(TickCount) + ")");
  }
  void AddSeparator(std::string_view AppName, std::int32_t TickCount) override {
    Record("AddSeparator(" + std::string(AppName) + "," + std::to_string(TickCount) + ")");
  }
  void Clear() override {
    Record("Clear()");
    Items.clear();
  }
  void ScratchPadMsg(std::int32_t Line, std::string_view Text) override {
    Record("ScratchPadMsg(" + std::to_string(Line) + "," + std::string(Text) + ")");
  }
  void SaveLogFile(const std::string& FileName) override { Record("SaveLogFile(" + FileName + ")"); }
  std::int32_t AddMessage(std::int32_t Kind, std::string_view Text, std::string_view AppName, std::string_view TypeName,
                          std::int32_t TickCount, std::optional<std::string_view> Details) override {
    Record("AddMessage(" + std::to_string(Kind) + "," + std::string(Text) + "," + std::string(AppName) + "," +
           std::string(TypeName) + "," + std::to_string(TickCount) + "," +
           (Details ? "[" + std::string(*Details) + "]" : std::string("none")) + ")");
    Items.push_back(std::make_shared<const std::string>(Text));
    return static_cast<std::int32_t>(Items.size()) - 1;
  }
  void SetSatellite(TBkFrmLxSatellite* S) override { Satellite = S; }
  void AppendSharedItemsFrom(TLxIntakePanel& First) override {
    // Like the viewer panel: a panel never copies its own items onto itself.
    auto& Other = static_cast<TRecordingPanel&>(First);
    if (&Other == this) return;
    Items.insert(Items.end(), Other.Items.begin(), Other.Items.end());
  }

private:
  void Record(std::string Call) {
    if (!ThrowOn.empty() && Call.rfind(ThrowOn, 0) == 0) {
      ThrowOn.clear();
      throw std::runtime_error("panel failure in " + Call);
    }
    Calls.push_back(std::move(Call));
  }
};
