// What the main form's tests share: a form made on a known registry, keys
// typed into the focused window, and the settings keys.
#pragma once

#include "hosts/standalone/LxMainFm.h"

#include "core/BkOrlimo.h"

#include "platform/Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

inline const std::string ViewKey = std::string(TBkFrmOrlimo::RegistryKey) + "\\View";

// Writes the values of a key after removing the key's old values.
inline void SetKeyValues(const std::string& Key, const std::map<std::string, std::string>& Values) {
  TRegistry Reg;
  Reg.DeleteKey(Key);
  ASSERT_TRUE(Reg.OpenKey(Key, true));
  for (const auto& [Name, Value] : Values) Reg.WriteString(Name, Value);
}

inline std::string ReadValue(const std::string& Key, const std::string& Name) {
  TRegistry Reg;
  if (!Reg.OpenKeyReadOnly(Key) || !Reg.ValueExists(Name)) return "<missing>";
  return Reg.ReadString(Name);
}

// Holds modifier keys down as far as GetKeyState can tell, for its lifetime.
class TKeysHeld {
public:
  explicit TKeysHeld(std::initializer_list<int> Keys) {
    GetKeyboardState(FSaved);
    BYTE State[256];
    GetKeyboardState(State);
    for (int K : Keys)
      if (K) State[K] = 0x80;
    SetKeyboardState(State);
  }
  ~TKeysHeld() { SetKeyboardState(FSaved); }
  TKeysHeld(const TKeysHeld&) = delete;
  TKeysHeld& operator=(const TKeysHeld&) = delete;

private:
  BYTE FSaved[256];
};

// Types a key (with Ctrl, Alt or Shift) into the window that has the focus,
// through the application's message loop, as the keyboard would.
inline void TypeKey(WORD Key, TShiftState Shift = 0) {
  TKeysHeld Held({(Shift & ssCtrl) ? VK_CONTROL : 0, (Shift & ssAlt) ? VK_MENU : 0, (Shift & ssShift) ? VK_SHIFT : 0});
  HWND Target = GetFocus();
  ASSERT_NE(Target, nullptr);
  const bool Alt = (Shift & ssAlt) != 0;
  PostMessageA(Target, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 1 | (Alt ? (1 << 29) : 0));
  PostMessageA(Target, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, 1 | (1u << 30) | (1u << 31) | (Alt ? (1 << 29) : 0));
  Application->ProcessMessages();
}

class MainFormTest : public ::testing::Test {
protected:
  // A form made with the stored placement and view settings given.
  void Make(const std::map<std::string, std::string>& Position = {},
            const std::map<std::string, std::string>& View = {}) {
    ASSERT_NO_FATAL_FAILURE(SetKeyValues(TBkFrmOrlimo::PositionKey, Position));
    ASSERT_NO_FATAL_FAILURE(SetKeyValues(ViewKey, View));
    Form = std::make_unique<TBkFrmOrlimo>(nullptr, std::vector<std::string>{});
    Viewer = Form->GetViewer();
  }
  void TearDown() override {
    Form.reset();
    Application->OnMessageBox = nullptr;
  }
  // Adds a message of a kind and returns its position.
  std::int32_t Add(std::int32_t Kind, const std::string& Text, const char* Details = nullptr) {
    return Viewer->AddMessage(Kind, Text, "Test", "TType", 100,
                              Details ? std::optional<std::string_view>(Details) : std::nullopt);
  }
  // Selects one item as a click would.
  void Select(std::int32_t Index) {
    Viewer->FLstMsgs->ClearSelection();
    Viewer->FLstMsgs->SetItemIndex(Index);
    Viewer->FLstMsgs->SetSelected(Index, true);
    Viewer->LstMsgsClick();
  }

  std::unique_ptr<TBkFrmOrlimo> Form;
  TBkOrlimoComposite* Viewer = nullptr;
};
