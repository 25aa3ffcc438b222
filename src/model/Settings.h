// The viewer's settings: what is kept from one run to the next, its defaults,
// how each value is stored as text, and the kind style table.
//
// Settings live in a key/value store of sections and string values (the
// Win32 side keeps them in the registry under the viewer panel's key, one
// for the standalone program and one for the panel inside the IDE). Layout,
// in the order the values are read and written:
//   "View"        IgnoreMessages Toolbar WrapButtons Inspector ScratchPad
//                 ScratchPadBarPos InspectorBarPos Icons TimeStamp AppName
//                 CallStack InsertAtEnd ConfirmOnClear KeepMsgInView
//                 BeepOnWakeUp InsertSeparatorOnWakeUp IdleTime
//                 NavigatorMessage CaptureDebugOutput
//                 CaptureGlobalDebugOutput NetListen NetProtocol NetPort
//                 NetRemote NetCommands Theme
//   "MsgFont", "ObjectFont", "StreamFont"   Name Size Color Style
//   "FontStyles"  <Prefix>UseDefault <Prefix>Color <Prefix>Style for the
//                 prefixes of StoredKindStyles, in that order
// Every value is a string: flags "0" or "1", integers signed decimal (a
// system colour such as 0x80000008 is "-2147483640"). A "Style" value holds
// the text style with the bits 8 bold, 4 italic, 2 underline, 1 strike-out;
// in memory the order is the font's own (TextStyle* below).
//
// Reading never fails: a value that is missing, unreadable, not a number or
// outside its range (see TSettingsLimits) reads as its default. Integers are
// read as decimal or, after "0x" or "0X", as hexadecimal; a flag is on when
// its number is not 0. Writing puts the same sanitised values back, so what
// is stored is always valid.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/OrlimoMsg.h"

// Text style bits in memory.
inline constexpr std::uint8_t TextStyleBold = 1;
inline constexpr std::uint8_t TextStyleItalic = 2;
inline constexpr std::uint8_t TextStyleUnderline = 4;
inline constexpr std::uint8_t TextStyleStrikeOut = 8;

// A stored "Style" number (8 bold, 4 italic, 2 underline, 1 strike-out; other
// bits are ignored) as in-memory style bits, and back.
std::uint8_t StyleFromStored(std::int32_t Stored);
std::int32_t StyleToStored(std::uint8_t Style);

// Colours: 0x00BBGGRR, or 0x80000000 plus a system colour index.
inline constexpr std::int32_t SettingsSysColor(std::int32_t Index) {
  return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(Index));
}
inline constexpr std::int32_t SettingsWindowTextColor = SettingsSysColor(8);
// An RGB colour or a system colour index 0..30.
bool IsValidSettingsColor(std::int32_t Color);

// A font as the settings keep it: face name, size in points, colour, style.
struct TOrlimoFontSpec {
  std::string Name;
  std::int32_t Size = 8;
  std::int32_t Color = 0;
  std::uint8_t Style = 0;  // TextStyle* bits
  bool operator==(const TOrlimoFontSpec&) const = default;
};

// One entry of the kind style table: when UseDefault is set, messages of the
// kind are drawn in the default entry's colour and style.
struct TOrlimoKindStyle {
  bool UseDefault = false;
  std::int32_t Color = 0;
  std::uint8_t Style = 0;  // TextStyle* bits
  bool operator==(const TOrlimoKindStyle&) const = default;
};
// Indexed by kind 0..10; entry 0 is the default entry. All zero until the
// settings are first read.
using TOrlimoKindStyles = std::array<TOrlimoKindStyle, IconKindCount>;

// The kinds whose style is stored, with their value-name prefixes, in the
// order they are read and written. Entry 0 follows the message font; entry 7
// (Property) is never stored.
struct TStoredKindStyle {
  const char* Prefix;
  std::int32_t Kind;
};
inline constexpr std::array<TStoredKindStyle, 9> StoredKindStyles{{
    {"Object", lxmObject},
    {"Stream", lxmStream},
    {"StringList", lxmStringList},
    {"Warning", lxmWarning},
    {"Error", lxmError},
    {"CheckPoint", lxmCheckPoint},
    {"Note", lxmNote},
    {"MethodEnter", lxmEnterMethod},
    {"MethodExit", lxmExitMethod},
}};

// The default colour and style of stored kind entries.
inline constexpr TOrlimoKindStyle DefaultStoredKindStyle{true, SettingsWindowTextColor, 0};

// Entry 0 made from the message font: use-default on, the font's colour and style.
void SetDefaultKindStyle(TOrlimoKindStyles& Styles, const TOrlimoFontSpec& MsgFont);
// The colour and style a message of Kind is drawn in: its own entry when Kind
// is 0..10 and the entry does not use the default, else entry 0's.
const TOrlimoKindStyle& KindColorStyle(const TOrlimoKindStyles& Styles, std::int32_t Kind);

// The stored names of NetProtocol's values 0, 1 and 2.
inline constexpr const char* NetProtocolNames[] = {"tcp", "udp", "both"};

// Ranges of the stored integers; a value outside reads (and is written) as
// its default.
struct TSettingsLimits {
  static constexpr std::int32_t MinFontSize = 1, MaxFontSize = 1638;  // the font dialog's range
  static constexpr std::int32_t MinIdleTime = 0, MaxIdleTime = 600;   // the preferences' spin edit
  static constexpr std::int32_t MinBarPos = 0, MaxBarPos = 32767;     // pixels
  static constexpr std::size_t MaxFontName = 31;                      // longest face name a font can have
};

// Everything a viewer panel keeps, with its defaults (the kind style table is
// separate: one per process).
struct TOrlimoSettings {
  // "View"
  bool IgnoreMessages = false;
  bool ViewToolbar = true;
  bool WrapButtons = true;
  bool ViewInspectorPane = false;
  bool ViewScratchPad = false;
  std::int32_t ScratchPadBarPos = 100;
  std::int32_t InspectorBarPos = 265;
  bool ViewIcons = true;
  bool ViewTimeStamp = false;
  bool ViewAppName = false;
  bool ViewCallStack = false;
  bool InsertAtEnd = true;
  bool ConfirmOnClear = true;
  bool KeepMsgInView = false;
  bool BeepOnWakeUp = false;
  bool InsertSeparatorOnWakeUp = false;
  std::int32_t IdleTime = 10;                     // seconds
  std::int32_t NavigatorMessage = lxmCheckPoint;  // a navigable kind, 0..8
  bool CaptureDebugOutput = false;
  bool CaptureGlobalDebugOutput = false;
  // Syslog messages from the network: listening, on which transports
  // (NetProtocolNames), the port, all interfaces or only this computer's
  // loopback, and whether Clear and save-log commands are honoured from it.
  bool NetListen = false;
  std::int32_t NetProtocol = 0;
  std::int32_t NetPort = 5514;
  bool NetRemote = false;
  bool NetCommands = false;
  // The look: ThemeFollowWindows, ThemeLight or ThemeDark (model/ThemeColors.h).
  std::int32_t Theme = 0;
  // "MsgFont", "ObjectFont", "StreamFont"
  TOrlimoFontSpec MsgFont{"Arial", 8, 0, 0};
  TOrlimoFontSpec ObjectFont{"Arial", 8, 0, 0};
  TOrlimoFontSpec StreamFont{"Courier New", 8, 0, 0};

  bool operator==(const TOrlimoSettings&) const = default;
};

// Where settings are kept: string values in sections ("" is the base itself).
class TSettingsStore {
public:
  virtual ~TSettingsStore() = default;
  // The value, or nothing when the section or the value is missing or the
  // value cannot be read as a string.
  virtual std::optional<std::string> Read(const std::string& Section, const std::string& Name) = 0;
  // Stores Value, creating the section when needed. Throws when it cannot.
  virtual void Write(const std::string& Section, const std::string& Name, const std::string& Value) = 0;
  // Removes the value when it is there; a missing one is no error.
  virtual void Remove(const std::string& Section, const std::string& Name) = 0;
};

// A store in memory (tests, and a panel that keeps nothing).
class TMemorySettingsStore : public TSettingsStore {
public:
  using TKey = std::pair<std::string, std::string>;  // section, name
  std::optional<std::string> Read(const std::string& Section, const std::string& Name) override;
  void Write(const std::string& Section, const std::string& Name, const std::string& Value) override;
  void Remove(const std::string& Section, const std::string& Name) override { Values.erase(TKey{Section, Name}); }

  std::map<TKey, std::string> Values;
  std::vector<TKey> Reads;   // every Read, in order
  std::vector<TKey> Writes;  // every Write, in order
};

// A stored integer: optional blanks, an optional sign, then decimal digits
// or "0x"/"0X" and up to eight hexadecimal digits (taken as the 32-bit
// pattern, so 0x80000008 is a system colour). Nothing when it is not one.
std::optional<std::int32_t> ParseSettingsInt(std::string_view Text);

// Replaces every stored setting of Settings and Styles by the store's value
// or its default, in the order of the layout above, and sets entry 0 of
// Styles from the message font. Entry 7 of Styles is left as it is. Never
// throws for what the store holds.
void ReadSettings(TSettingsStore& Store, TOrlimoSettings& Settings, TOrlimoKindStyles& Styles);
// Writes the Theme value alone (stored as soon as the user chooses a look).
void WriteThemeSetting(TSettingsStore& Store, std::int32_t Theme);
// Writes every stored setting in the order of the layout above. A failing
// write stops there (the store's exception); the values before it stay.
void WriteSettings(TSettingsStore& Store, const TOrlimoSettings& Settings, const TOrlimoKindStyles& Styles);
