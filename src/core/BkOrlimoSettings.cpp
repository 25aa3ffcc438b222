// The viewer's settings in the registry, under the standalone program's key
// or the plug-in's: the values of the "View" key. Every value is a string.
#include "core/BkOrlimo.h"

#include "platform/Registry.h"
#include "protocol/LxConvert.h"

#include <cctype>
#include <cstdlib>

namespace {

// A decimal integer, or hexadecimal after "0x"; the default when missing or
// not a number.
std::int32_t ReadInt(TRegistry& Reg, const char* Name, std::int32_t Default) {
  std::string Text;
  try {
    Text = Reg.ReadString(Name);
  } catch (const ERegistryException&) {
    return Default;
  }
  if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) {
    if (!std::isxdigit(static_cast<unsigned char>(Text[2]))) return Default;
    char* End = nullptr;
    const unsigned long V = std::strtoul(Text.c_str() + 2, &End, 16);
    if (End && *End == '\0' && V <= 0xFFFFFFFFul) return static_cast<std::int32_t>(static_cast<std::uint32_t>(V));
    return Default;
  }
  std::int32_t Value = 0;
  return TryStrToInt(Text, Value) ? Value : Default;
}

bool ReadFlag(TRegistry& Reg, const char* Name, bool Default) { return ReadInt(Reg, Name, Default ? 1 : 0) != 0; }

}  // namespace

void TBkOrlimoComposite::LoadSettings() {
  const std::string Base = SettingsKey();
  {
    TRegistry Create;
    Create.OpenKey(Base, true);  // the first load makes the key
  }
  TRegistry Reg;
  const bool Open = Reg.OpenKeyReadOnly(Base + "\\View");
  auto Flag = [&](const char* Name, bool Default) { return Open ? ReadFlag(Reg, Name, Default) : Default; };
  auto Int = [&](const char* Name, std::int32_t Default) { return Open ? ReadInt(Reg, Name, Default) : Default; };

  // Each value is stored and shown at once (the widgets follow even when the
  // value is the one the panel already had).
  SetIgnoreMessages(Flag("IgnoreMessages", false));
  FBtnIgnoreMessages->SetDown(GetIgnoreMessages());
  FViewToolbar = Flag("Toolbar", true);
  FToolbar->SetVisible(FViewToolbar);
  FWrapButtons = Flag("WrapButtons", true);
  FToolbar->SetWrapControls(FWrapButtons);
  FViewInspectorPane = Flag("Inspector", false);
  FBtnInspectorPane->SetDown(FViewInspectorPane);
  FInspectorSplitter->GetLowerRight()->SetVisible(FViewInspectorPane);
  FViewScratchPad = Flag("ScratchPad", false);
  FBtnScratchPad->SetDown(FViewScratchPad);
  FScratchPadSplitter->GetLowerRight()->SetVisible(FViewScratchPad);
  FScratchPadBarPos = Int("ScratchPadBarPos", 100);
  FInspectorBarPos = Int("InspectorBarPos", 265);
  PostSplitterBarPos();
  if (!FForCodeRush) FLastInspectorBarPos = FInspectorBarPos;
  FViewIcons = Flag("Icons", true);
  FBtnIcons->SetDown(FViewIcons);
  FViewTimeStamp = Flag("TimeStamp", false);
  FBtnTimeStamp->SetDown(FViewTimeStamp);
  FViewAppName = Flag("AppName", false);
  FViewCallStack = Flag("CallStack", false);
  FBtnCallStack->SetDown(FViewCallStack);
  SetInsertAtEnd(Flag("InsertAtEnd", true));
  FConfirmOnClear = Flag("ConfirmOnClear", true);
  FKeepMsgInView = Flag("KeepMsgInView", false);
  SetBeepOnWakeUp(Flag("BeepOnWakeUp", false));
  SetInsertSeparatorOnWakeUp(Flag("InsertSeparatorOnWakeUp", false));
  SetIdleTime(Int("IdleTime", 10));
  SetNavigatorMessage(Int("NavigatorMessage", 3));
  if (FViewScratchPad) ResizeScratchPadColumns();
  UpdateItemHeight();
  UpdateList();
}

void TBkOrlimoComposite::SaveSettings() {
  TRegistry Reg;
  const std::string Key = SettingsKey() + "\\View";
  if (!Reg.OpenKey(Key, true)) throw ERegistryException("Failed to create key " + Key);
  auto Flag = [&](const char* Name, bool Value) { Reg.WriteString(Name, Value ? "1" : "0"); };
  auto Int = [&](const char* Name, std::int32_t Value) { Reg.WriteString(Name, std::to_string(Value)); };
  Flag("IgnoreMessages", GetIgnoreMessages());
  Flag("Toolbar", FViewToolbar);
  Flag("WrapButtons", FWrapButtons);
  Flag("Inspector", FViewInspectorPane);
  Flag("ScratchPad", FViewScratchPad);
  Int("ScratchPadBarPos", FScratchPadSplitter->GetPosition());
  Int("InspectorBarPos", FInspectorSplitter->GetPosition());
  Flag("Icons", FViewIcons);
  Flag("TimeStamp", FViewTimeStamp);
  Flag("AppName", FViewAppName);
  Flag("CallStack", FViewCallStack);
  Flag("InsertAtEnd", GetInsertAtEnd());
  Flag("ConfirmOnClear", FConfirmOnClear);
  Flag("KeepMsgInView", FKeepMsgInView);
  Flag("BeepOnWakeUp", GetBeepOnWakeUp());
  Flag("InsertSeparatorOnWakeUp", GetInsertSeparatorOnWakeUp());
  Int("IdleTime", GetIdleTime());
  Int("NavigatorMessage", GetNavigatorMessage());
}

void TBkOrlimoComposite::PostSplitterBarPos() {
  // Posted, so that the bars move once the window has its real size; without
  // a window yet, when it is made.
  FBarPosPending = !HandleAllocated();
  if (!FBarPosPending)
    PostMessageA(WindowHandle(), UM_INITSPLITTERBARPOS, static_cast<WPARAM>(FInspectorBarPos),
                 static_cast<LPARAM>(FScratchPadBarPos));
}
