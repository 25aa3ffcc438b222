#include "model/Settings.h"

#include <exception>

std::uint8_t StyleFromStored(std::int32_t Stored) {
  std::uint8_t Style = 0;
  if (Stored & 8) Style |= TextStyleBold;
  if (Stored & 4) Style |= TextStyleItalic;
  if (Stored & 2) Style |= TextStyleUnderline;
  if (Stored & 1) Style |= TextStyleStrikeOut;
  return Style;
}

std::int32_t StyleToStored(std::uint8_t Style) {
  std::int32_t Stored = 0;
  if (Style & TextStyleBold) Stored |= 8;
  if (Style & TextStyleItalic) Stored |= 4;
  if (Style & TextStyleUnderline) Stored |= 2;
  if (Style & TextStyleStrikeOut) Stored |= 1;
  return Stored;
}

bool IsValidSettingsColor(std::int32_t Color) {
  const auto C = static_cast<std::uint32_t>(Color);
  if ((C & 0xFF000000u) == 0) return true;
  return (C & 0xFF000000u) == 0x80000000u && (C & 0x00FFFFFFu) <= 30;
}

void SetDefaultKindStyle(TOrlimoKindStyles& Styles, const TOrlimoFontSpec& MsgFont) {
  Styles[0] = TOrlimoKindStyle{true, MsgFont.Color, MsgFont.Style};
}

const TOrlimoKindStyle& KindColorStyle(const TOrlimoKindStyles& Styles, std::int32_t Kind) {
  if (IsIconKind(Kind) && !Styles[static_cast<std::size_t>(Kind)].UseDefault)
    return Styles[static_cast<std::size_t>(Kind)];
  return Styles[0];
}

std::optional<std::string> TMemorySettingsStore::Read(const std::string& Section, const std::string& Name) {
  Reads.emplace_back(Section, Name);
  const auto It = Values.find(TKey(Section, Name));
  if (It == Values.end()) return std::nullopt;
  return It->second;
}

void TMemorySettingsStore::Write(const std::string& Section, const std::string& Name, const std::string& Value) {
  Writes.emplace_back(Section, Name);
  Values[TKey(Section, Name)] = Value;
}

std::optional<std::int32_t> ParseSettingsInt(std::string_view Text) {
  std::size_t I = 0;
  while (I < Text.size() && (Text[I] == ' ' || Text[I] == '\t')) ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == '+' || Text[I] == '-')) Negative = Text[I++] == '-';
  const bool Hex = I + 1 < Text.size() && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X');
  if (Hex) I += 2;
  if (I == Text.size()) return std::nullopt;
  std::uint64_t Magnitude = 0;
  for (; I < Text.size(); ++I) {
    const char C = Text[I];
    unsigned Digit;
    if (C >= '0' && C <= '9')
      Digit = static_cast<unsigned>(C - '0');
    else if (Hex && C >= 'a' && C <= 'f')
      Digit = static_cast<unsigned>(C - 'a' + 10);
    else if (Hex && C >= 'A' && C <= 'F')
      Digit = static_cast<unsigned>(C - 'A' + 10);
    else
      return std::nullopt;
    Magnitude = Magnitude * (Hex ? 16 : 10) + Digit;
    if (Magnitude > 0xFFFFFFFFull) return std::nullopt;
  }
  if (Hex) {
    // The 32-bit pattern; a sign negates it in 32 bits.
    const auto Bits = static_cast<std::uint32_t>(Magnitude);
    return static_cast<std::int32_t>(Negative ? 0u - Bits : Bits);
  }
  if (Magnitude > (Negative ? 2147483648ull : 2147483647ull)) return std::nullopt;
  return Negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(Magnitude))
                  : static_cast<std::int32_t>(Magnitude);
}

namespace {

const TOrlimoSettings& Defaults() {
  static const TOrlimoSettings D;
  return D;
}

bool InRange(std::int32_t V, std::int32_t Lo, std::int32_t Hi) { return V >= Lo && V <= Hi; }

using L = TSettingsLimits;

// The one description of the layout: every value in its order, with its
// default and range. S is TOrlimoSettings or const TOrlimoSettings, K the
// kind style table likewise; V reads or writes.
template <class S, class K, class V>
void VisitSettings(S& Settings, K& Styles, V& Visit) {
  const TOrlimoSettings& D = Defaults();
  Visit.Section("View");
  Visit.Flag("IgnoreMessages", Settings.IgnoreMessages, D.IgnoreMessages);
  Visit.Flag("Toolbar", Settings.ViewToolbar, D.ViewToolbar);
  Visit.Flag("WrapButtons", Settings.WrapButtons, D.WrapButtons);
  Visit.Flag("Inspector", Settings.ViewInspectorPane, D.ViewInspectorPane);
  Visit.Flag("ScratchPad", Settings.ViewScratchPad, D.ViewScratchPad);
  Visit.Int("ScratchPadBarPos", Settings.ScratchPadBarPos, D.ScratchPadBarPos, L::MinBarPos, L::MaxBarPos);
  Visit.Int("InspectorBarPos", Settings.InspectorBarPos, D.InspectorBarPos, L::MinBarPos, L::MaxBarPos);
  Visit.Flag("Icons", Settings.ViewIcons, D.ViewIcons);
  Visit.Flag("TimeStamp", Settings.ViewTimeStamp, D.ViewTimeStamp);
  Visit.Flag("AppName", Settings.ViewAppName, D.ViewAppName);
  Visit.Flag("CallStack", Settings.ViewCallStack, D.ViewCallStack);
  Visit.Flag("InsertAtEnd", Settings.InsertAtEnd, D.InsertAtEnd);
  Visit.Flag("ConfirmOnClear", Settings.ConfirmOnClear, D.ConfirmOnClear);
  Visit.Flag("KeepMsgInView", Settings.KeepMsgInView, D.KeepMsgInView);
  Visit.Flag("BeepOnWakeUp", Settings.BeepOnWakeUp, D.BeepOnWakeUp);
  Visit.Flag("InsertSeparatorOnWakeUp", Settings.InsertSeparatorOnWakeUp, D.InsertSeparatorOnWakeUp);
  Visit.Int("IdleTime", Settings.IdleTime, D.IdleTime, L::MinIdleTime, L::MaxIdleTime);
  Visit.Int("NavigatorMessage", Settings.NavigatorMessage, D.NavigatorMessage, lxmInfo, lxmNote);
  Visit.Flag("CaptureDebugOutput", Settings.CaptureDebugOutput, D.CaptureDebugOutput);
  Visit.Flag("CaptureGlobalDebugOutput", Settings.CaptureGlobalDebugOutput, D.CaptureGlobalDebugOutput);
  Visit.Flag("NetListen", Settings.NetListen, D.NetListen);
  Visit.Choice("NetProtocol", Settings.NetProtocol, D.NetProtocol, NetProtocolNames);
  Visit.Int("NetPort", Settings.NetPort, D.NetPort, 1, 65535);
  Visit.Flag("NetRemote", Settings.NetRemote, D.NetRemote);
  Visit.Flag("NetCommands", Settings.NetCommands, D.NetCommands);
  Visit.Int("Theme", Settings.Theme, D.Theme, 0, 2);

  auto Font = [&](const char* Section, auto& F, const TOrlimoFontSpec& DF) {
    Visit.Section(Section);
    Visit.Face("Name", F.Name, DF.Name);
    Visit.Int("Size", F.Size, DF.Size, L::MinFontSize, L::MaxFontSize);
    Visit.Color("Color", F.Color, DF.Color);
    Visit.Style("Style", F.Style);
  };
  Font("MsgFont", Settings.MsgFont, D.MsgFont);
  Visit.DefaultEntry(Settings.MsgFont, Styles);
  Font("ObjectFont", Settings.ObjectFont, D.ObjectFont);
  Font("StreamFont", Settings.StreamFont, D.StreamFont);

  Visit.Section("FontStyles");
  for (const TStoredKindStyle& K0 : StoredKindStyles) {
    auto& E = Styles[static_cast<std::size_t>(K0.Kind)];
    const std::string Prefix = K0.Prefix;
    Visit.Flag(Prefix + "UseDefault", E.UseDefault, DefaultStoredKindStyle.UseDefault);
    Visit.Color(Prefix + "Color", E.Color, DefaultStoredKindStyle.Color);
    Visit.Style(Prefix + "Style", E.Style);
  }
}

class TReader {
public:
  explicit TReader(TSettingsStore& Store) : FStore(Store) {}
  void Section(const char* Name) { FSection = Name; }
  void Flag(const std::string& Ident, bool& Value, bool Default) {
    const std::optional<std::int32_t> V = Number(Ident);
    Value = V ? *V != 0 : Default;
  }
  void Int(const std::string& Ident, std::int32_t& Value, std::int32_t Default, std::int32_t Lo, std::int32_t Hi) {
    const std::optional<std::int32_t> V = Number(Ident);
    Value = V && InRange(*V, Lo, Hi) ? *V : Default;
  }
  void Color(const std::string& Ident, std::int32_t& Value, std::int32_t Default) {
    const std::optional<std::int32_t> V = Number(Ident);
    Value = V && IsValidSettingsColor(*V) ? *V : Default;
  }
  void Style(const std::string& Ident, std::uint8_t& Value) {
    const std::optional<std::int32_t> V = Number(Ident);
    Value = V ? StyleFromStored(*V) : 0;
  }
  template <std::size_t N>
  void Choice(const std::string& Ident, std::int32_t& Value, std::int32_t Default, const char* const (&Names)[N]) {
    const std::optional<std::string> V = Text(Ident);
    Value = Default;
    for (std::size_t I = 0; V && I < N; ++I)
      if (*V == Names[I]) Value = static_cast<std::int32_t>(I);
  }
  void Face(const std::string& Ident, std::string& Value, const std::string& Default) {
    std::optional<std::string> V = Text(Ident);
    Value = V && !V->empty() && V->size() <= L::MaxFontName ? std::move(*V) : Default;
  }
  void DefaultEntry(const TOrlimoFontSpec& MsgFont, TOrlimoKindStyles& Styles) { SetDefaultKindStyle(Styles, MsgFont); }

private:
  std::optional<std::string> Text(const std::string& Ident) {
    try {
      return FStore.Read(FSection, Ident);
    } catch (const std::exception&) {
      return std::nullopt;  // unreadable is missing
    }
  }
  std::optional<std::int32_t> Number(const std::string& Ident) {
    const std::optional<std::string> T = Text(Ident);
    return T ? ParseSettingsInt(*T) : std::nullopt;
  }
  TSettingsStore& FStore;
  std::string FSection;
};

class TWriter {
public:
  explicit TWriter(TSettingsStore& Store) : FStore(Store) {}
  void Section(const char* Name) { FSection = Name; }
  void Flag(const std::string& Ident, bool Value, bool) { FStore.Write(FSection, Ident, Value ? "1" : "0"); }
  void Int(const std::string& Ident, std::int32_t Value, std::int32_t Default, std::int32_t Lo, std::int32_t Hi) {
    FStore.Write(FSection, Ident, std::to_string(InRange(Value, Lo, Hi) ? Value : Default));
  }
  void Color(const std::string& Ident, std::int32_t Value, std::int32_t Default) {
    FStore.Write(FSection, Ident, std::to_string(IsValidSettingsColor(Value) ? Value : Default));
  }
  void Style(const std::string& Ident, std::uint8_t Value) {
    FStore.Write(FSection, Ident, std::to_string(StyleToStored(Value)));
  }
  template <std::size_t N>
  void Choice(const std::string& Ident, std::int32_t Value, std::int32_t Default, const char* const (&Names)[N]) {
    const bool Valid = Value >= 0 && static_cast<std::size_t>(Value) < N;
    FStore.Write(FSection, Ident, Names[Valid ? Value : Default]);
  }
  void Face(const std::string& Ident, const std::string& Value, const std::string& Default) {
    FStore.Write(FSection, Ident, !Value.empty() && Value.size() <= L::MaxFontName ? Value : Default);
  }
  void DefaultEntry(const TOrlimoFontSpec&, const TOrlimoKindStyles&) {}

private:
  TSettingsStore& FStore;
  std::string FSection;
};

}  // namespace

void ReadSettings(TSettingsStore& Store, TOrlimoSettings& Settings, TOrlimoKindStyles& Styles) {
  TReader Reader(Store);
  VisitSettings(Settings, Styles, Reader);
}

void WriteSettings(TSettingsStore& Store, const TOrlimoSettings& Settings, const TOrlimoKindStyles& Styles) {
  TWriter Writer(Store);
  VisitSettings(Settings, Styles, Writer);
}

void WriteThemeSetting(TSettingsStore& Store, std::int32_t Theme) {
  TWriter Writer(Store);
  Writer.Section("View");
  Writer.Int("Theme", Theme, Defaults().Theme, 0, 2);
}
