// The export line: the one-line text form of a list item, used by text
// export, printing and copying to the clipboard.
//
// It is, in this order: the time text and one TAB (when the time-stamp column
// is shown), the kind label (when icons are shown; a kind without a label
// gives none), four blanks per indent level, and the item's text. The
// application name is never part of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TOrlimoMsgInfo;
class TOrlimoMsgList;
class TTimeBase;

struct TExportOptions {
  bool ViewTimeStamp = false;
  bool ViewIcons = true;
};

// The label that stands in for the kind's icon ("Info\t\t: " ...), empty for
// codes outside 0..12.
std::string_view KindLabel(std::int32_t Kind);

// The export line of a record whose display text is Info.Text(). The time
// text comes from TimeBase, which may move back (TTimeBase::TickCountToTime).
std::string PrepareLine(const TOrlimoMsgInfo& Info, TTimeBase& TimeBase, const TExportOptions& Options);
// The export line of the item at Position (0..Count()-1).
std::string PrepareLine(TOrlimoMsgList& List, std::int32_t Position, const TExportOptions& Options);
// Appends the export line of Info to Out (no line break).
void AppendExportLine(std::string& Out, const TOrlimoMsgInfo& Info, TTimeBase& TimeBase, const TExportOptions& Options);

// The header line of a text export or a printout: HeaderFormat (the viewer's
// string, "... Saved on %s") with DateText in place of its "%s" ("%%" is one
// "%").
std::string FormatHeaderLine(std::string_view HeaderFormat, std::string_view DateText);

// The text export: the header line, an empty line, then one export line per
// item in display order; every line ends with CR LF. The text is built in one
// buffer of exactly its size (the lines are measured first), so the export
// holds no more than that one copy of the text.
std::string BuildTextExport(TOrlimoMsgList& List, std::string_view HeaderFormat, std::string_view DateText,
                            const TExportOptions& Options);
// The same over Count items of the list: the I-th line is the item at PositionOf(I).
std::string BuildTextExport(TOrlimoMsgList& List, std::string_view HeaderFormat, std::string_view DateText,
                            const TExportOptions& Options, std::int32_t Count,
                            const std::function<std::int32_t(std::int32_t)>& PositionOf);
