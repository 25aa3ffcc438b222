// A viewer panel filling a shown form, a clock the test drives, and helpers
// to paint a control into a memory surface and to catch message boxes.
#pragma once

#include "core/BkOrlimo.h"
#include "CoreTestUtil.h"

#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class ViewerTest : public ::testing::Test {
protected:
  void SetUp() override {
    Clock.Set(1'000'000, 10 * 3600 * 1000);
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 600, 420);
    C = new TBkOrlimoComposite(Form.get(), &Clock);
    C->SetParent(Form.get());
    C->SetAlign(alClient);
    Form->Show();
    List = C->FLstMsgs;
    Application->OnMessageBox = [this](const std::string& Text, const std::string&, UINT) {
      Boxes.push_back(Text);
      return IDOK;
    };
  }
  void TearDown() override {
    Application->OnMessageBox = nullptr;
    Form.reset();
  }

  std::int32_t Add(std::int32_t Kind, const std::string& Text, std::int32_t Tick) {
    return C->AddMessage(Kind, Text, "client", "TType", Tick, std::nullopt);
  }
  // The control and its children as the screen would show them.
  static std::unique_ptr<TSurface> Paint(TWinControl& Control) {
    auto S = std::make_unique<TSurface>(Control.GetWidth(), Control.GetHeight());
    Control.PaintTo(S->DC(), 0, 0);
    return S;
  }
  // Lets posted messages (splitter positions, toolbar sizes) arrive.
  static void Pump() { Application->ProcessMessages(); }

  TManualClock Clock;
  std::unique_ptr<TForm> Form;
  TBkOrlimoComposite* C = nullptr;
  TBkEditListBox* List = nullptr;
  std::vector<std::string> Boxes;
};

// Removes a registry key with its values when the test ends.
class TTempKey {
public:
  explicit TTempKey(std::string Key) : FKey(std::move(Key)) { Remove(); }
  ~TTempKey() { Remove(); }
  void Set(const std::string& Sub, const std::string& Name, const std::string& Value) {
    TRegistry R;
    ASSERT_TRUE(R.OpenKey(FKey + "\\" + Sub, true));
    R.WriteString(Name, Value);
  }
  std::string Get(const std::string& Sub, const std::string& Name) {
    TRegistry R;
    if (!R.OpenKeyReadOnly(FKey + "\\" + Sub)) return "<none>";
    return R.ValueExists(Name) ? R.ReadString(Name) : "<none>";
  }

private:
  void Remove() {
    TRegistry R;
    R.DeleteKey(FKey);
  }
  std::string FKey;
};
