// The viewer's settings in the registry, under the standalone program's key
// or the plug-in's. Every value is a string.
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

  FScratchPadBarPos = Int("ScratchPadBarPos", 100);
  FInspectorBarPos = Int("InspectorBarPos", 265);
  PostSplitterBarPos();
  if (!FForCodeRush) FLastInspectorBarPos = FInspectorBarPos;
  SetViewIcons(Flag("Icons", true));
  SetViewTimeStamp(Flag("TimeStamp", false));
  SetViewAppName(Flag("AppName", false));
}

void TBkOrlimoComposite::SaveSettings() {
  TRegistry Reg;
  if (!Reg.OpenKey(SettingsKey() + "\\View", true))
    throw ERegistryException("Failed to create key " + SettingsKey() + "\\View");
  Reg.WriteString("ScratchPadBarPos", std::to_string(FScratchPadSplitter->GetPosition()));
  Reg.WriteString("InspectorBarPos", std::to_string(FInspectorSplitter->GetPosition()));
  Reg.WriteString("Icons", FViewIcons ? "1" : "0");
  Reg.WriteString("TimeStamp", FViewTimeStamp ? "1" : "0");
  Reg.WriteString("AppName", FViewAppName ? "1" : "0");
}

void TBkOrlimoComposite::PostSplitterBarPos() {
  // Posted, so that the bars move once the window has its real size; without
  // a window yet, when it is made.
  FBarPosPending = !HandleAllocated();
  if (!FBarPosPending)
    PostMessageA(WindowHandle(), UM_INITSPLITTERBARPOS, static_cast<WPARAM>(FInspectorBarPos),
                 static_cast<LPARAM>(FScratchPadBarPos));
}
