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

std::string PrepareLine(const TOrlimoMsgInfo& Info, TTimeBase& TimeBase, const TExportOptions& Options) {
  std::string Line;
  if (Options.ViewTimeStamp) {
    Line = TimeBase.TickCountToTime(Info.TickCount());
    Line += '\t';
  }
  if (Options.ViewIcons) Line += KindLabel(Info.MsgType());
  if (Info.IndentLevel() > 0) Line.append(static_cast<std::size_t>(Info.IndentLevel()) * 4, ' ');
  Line += Info.Text();
  return Line;
}

std::string PrepareLine(TOrlimoMsgList& List, std::int32_t Position, const TExportOptions& Options) {
  return PrepareLine(List.GetItemMsgInfo(Position), List.TimeBase(), Options);
}

std::string BuildTextExport(TOrlimoMsgList& List, std::string_view DateText, const TExportOptions& Options) {
  std::string Out = "Orlimo Message Log - Saved on ";
  Out += DateText;
  Out += "\r\n\r\n";
  for (std::int32_t I = 0, N = List.Count(); I < N; ++I) {
    Out += PrepareLine(List, I, Options);
    Out += "\r\n";
  }
  return Out;
}
