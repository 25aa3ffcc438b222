#include "model/ExportLine.h"

#include "model/MsgList.h"
#include "model/OrlimoMsg.h"
#include "model/TimeText.h"

std::string_view KindLabel(std::int32_t Kind) {
  static constexpr std::string_view Labels[] = {
      "Info\t\t: ",      "Warning\t\t: ",   "Error\t\t: ",  "CheckPoint\t: ", "Object\t\t: ",
      "Stream\t\t: ",    "String List\t: ", "Property\t: ", "Note\t\t: ",     "Method -->>\t: ",
      "Method <<--\t: ", "--------\t: ",    "========\t: ",
  };
  if (Kind < 0 || Kind >= static_cast<std::int32_t>(std::size(Labels))) return {};
  return Labels[Kind];
}

namespace {

// The one description of the export line. Out takes its parts: Out(text)
// and Out(count, character).
template <class TOut>
void EmitExportLine(TOut& Out, const TOrlimoMsgInfo& Info, TTimeBase& TimeBase, const TExportOptions& Options) {
  if (Options.ViewTimeStamp) {
    Out(std::string_view(TimeBase.TickCountToTime(Info.TickCount())));
    Out(std::string_view("\t"));
  }
  if (Options.ViewIcons) Out(KindLabel(Info.MsgType()));
  if (Info.IndentLevel() > 0) Out(static_cast<std::size_t>(Info.IndentLevel()) * 4, ' ');
  Out(Info.Text());
}

struct TAppender {
  std::string& Line;
  void operator()(std::string_view Part) { Line += Part; }
  void operator()(std::size_t Count, char C) { Line.append(Count, C); }
};

struct TCounter {
  std::size_t Size = 0;
  void operator()(std::string_view Part) { Size += Part.size(); }
  void operator()(std::size_t Count, char) { Size += Count; }
};

constexpr std::string_view LineBreak = "\r\n";

}  // namespace

void AppendExportLine(std::string& Out, const TOrlimoMsgInfo& Info, TTimeBase& TimeBase,
                      const TExportOptions& Options) {
  TAppender A{Out};
  EmitExportLine(A, Info, TimeBase, Options);
}

std::string PrepareLine(const TOrlimoMsgInfo& Info, TTimeBase& TimeBase, const TExportOptions& Options) {
  std::string Line;
  AppendExportLine(Line, Info, TimeBase, Options);
  return Line;
}

std::string PrepareLine(TOrlimoMsgList& List, std::int32_t Position, const TExportOptions& Options) {
  return PrepareLine(List.GetItemMsgInfo(Position), List.TimeBase(), Options);
}

std::string FormatHeaderLine(std::string_view HeaderFormat, std::string_view DateText) {
  std::string Out;
  Out.reserve(HeaderFormat.size() + DateText.size());
  for (std::size_t I = 0; I < HeaderFormat.size(); ++I) {
    if (HeaderFormat[I] == '%' && I + 1 < HeaderFormat.size()) {
      if (HeaderFormat[I + 1] == 's') {
        Out += DateText;
        ++I;
        continue;
      }
      if (HeaderFormat[I + 1] == '%') {
        Out += '%';
        ++I;
        continue;
      }
    }
    Out += HeaderFormat[I];
  }
  return Out;
}

std::string BuildTextExport(TOrlimoMsgList& List, std::string_view HeaderFormat, std::string_view DateText,
                            const TExportOptions& Options) {
  return BuildTextExport(List, HeaderFormat, DateText, Options, List.Count(), [](std::int32_t I) { return I; });
}

std::string BuildTextExport(TOrlimoMsgList& List, std::string_view HeaderFormat, std::string_view DateText,
                            const TExportOptions& Options, std::int32_t Count,
                            const std::function<std::int32_t(std::int32_t)>& PositionOf) {
  const std::string Header = FormatHeaderLine(HeaderFormat, DateText);
  const std::int32_t N = Count;
  // Measure on a copy of the time base: it moves exactly as the real one
  // will while the lines are written, so every line has the measured size.
  TCounter Measured;
  {
    TTimeBase Base = List.TimeBase();
    for (std::int32_t I = 0; I < N; ++I) EmitExportLine(Measured, List.GetItemMsgInfo(PositionOf(I)), Base, Options);
  }
  std::string Out;
  Out.reserve(Header.size() + 2 * LineBreak.size() + Measured.Size + static_cast<std::size_t>(N) * LineBreak.size());
  Out += Header;
  Out += LineBreak;
  Out += LineBreak;
  TAppender A{Out};
  for (std::int32_t I = 0; I < N; ++I) {
    EmitExportLine(A, List.GetItemMsgInfo(PositionOf(I)), List.TimeBase(), Options);
    Out += LineBreak;
  }
  return Out;
}
