// A combo box that keeps a most-recently-used history in the registry.
#pragma once

#include "components/LxCmboBx.h"
#include "platform/Menus.h"

#include <memory>
#include <string>

class LXCMPS_API TLxMRUComboBox : public TLxComboBox {
public:
  explicit TLxMRUComboBox(TComponent* AOwner);
  ~TLxMRUComboBox() override;

  int GetMaxHistory() const { return FMaxHistory; }
  void SetMaxHistory(int Value) { FMaxHistory = Value; }
  // Key below HKEY_CURRENT_USER, its section (a sub-key) and the values' stem.
  const std::string& GetRegPath() const { return FRegPath; }
  void SetRegPath(const std::string& Value) { FRegPath = Value; }
  const std::string& GetRegSection() const { return FRegSection; }
  void SetRegSection(const std::string& Value) { FRegSection = Value; }
  const std::string& GetMruID() const { return FMruID; }
  void SetMruID(const std::string& Value) { FMruID = Value; }
  const std::string& GetCaptionMenuItemRemove() const { return FCaptionMenuItemRemove; }
  void SetCaptionMenuItemRemove(const std::string& Value);
  TPopupMenu* GetEditMenu() const { return FEditMenu; }

  // Reads the history ("<MruID>_Count", "<MruID>_Item<n>"); the first item is selected.
  // With a property missing it says which and reads nothing.
  void LoadHistory();
  // Writes the first MaxHistory entries.
  void SaveHistory();
  // The current text goes to the top of the history.
  void PutTextOnTop();
  // Deletes the current text's entry from the history.
  void RemoveCurrentEntry();

  TNotifyEvent OnEnterKeyPressed;
  TNotifyEvent OnEscapeKeyPressed;

protected:
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DoExit() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  bool EditMessage(TMessage& Message) override;
  // A message about missing properties (Action "load" or "save"); true when all are set.
  bool CheckProperties(const char* Action, bool Report);

private:
  void BuildEditMenu();
  void EditCommand(int Tag);

  int FMaxHistory = 25;
  std::string FRegPath, FRegSection, FMruID;
  std::string FCaptionMenuItemRemove = "&Remove entry from history list";
  TPopupMenu* FEditMenu = nullptr;
  TMenuItem* FRemoveItem = nullptr;
  bool FLoaded = false;
};
