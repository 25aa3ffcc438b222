// SenderText, the text channel, and the short calls for the usual messages.
#include "BkLxIntf.h"

#include <streambuf>

namespace {

// The characters a thread has written to SenderText and not yet sent.
struct TBkLxLine {
  char Data[BkLxSenderTextBuffer];
  std::size_t Length;
};
thread_local TBkLxLine SenderLine{};

// Sends the thread's buffered characters as one Info message. The buffer is
// emptied first, so a failed send does not send them again.
void SendLine(bool LineEnd) {
  std::size_t Length = SenderLine.Length;
  // A line written with CR LF ends the same as one written with LF.
  if (LineEnd && Length > 0 && SenderLine.Data[Length - 1] == '\r') --Length;
  const std::string Text(SenderLine.Data, Length);
  SenderLine.Length = 0;
  DefaultSender().SendMsg(lxmInfo, Text.c_str(), std::string());
}

// No put area: every character reaches the thread's own buffer.
class TBkLxTextBuf : public std::streambuf {
protected:
  int_type overflow(int_type C) override {
    if (traits_type::eq_int_type(C, traits_type::eof())) return traits_type::not_eof(C);
    Put(traits_type::to_char_type(C));
    return C;
  }
  std::streamsize xsputn(const char* S, std::streamsize N) override {
    for (std::streamsize I = 0; I < N; ++I) Put(S[I]);
    return N;
  }
  int sync() override {
    if (SenderLine.Length > 0) SendLine(false);
    return 0;
  }

private:
  // A full buffer goes when the next character comes, so a line of exactly
  // 128 characters arrives as one message.
  static void Put(char C) {
    if (C == '\n') {
      SendLine(true);
      return;
    }
    if (SenderLine.Length == BkLxSenderTextBuffer) SendLine(false);
    SenderLine.Data[SenderLine.Length++] = C;
  }
};

TBkLxTextBuf SenderTextBuf;

void Send(std::int32_t Kind, const std::string& Text, const std::string& Details, const std::string& TypeName) {
  DefaultSender().SendMsgWithDetails(Kind, Text.c_str(), Details.c_str(), TypeName);
}

}  // namespace

std::ostream SenderText(&SenderTextBuf);

namespace {
// A failed send reaches the writer as its exception.
struct TBkLxSenderTextOpen {
  TBkLxSenderTextOpen() { SenderText.exceptions(std::ios::badbit); }
} const SenderTextOpen;
}  // namespace

namespace Orlimo {

void Info(const std::string& Text, const std::string& TypeName) { Send(lxmInfo, Text, {}, TypeName); }
void Warning(const std::string& Text, const std::string& TypeName) { Send(lxmWarning, Text, {}, TypeName); }
void Error(const std::string& Text, const std::string& TypeName) { Send(lxmError, Text, {}, TypeName); }
void Note(const std::string& Text, const std::string& TypeName) { Send(lxmNote, Text, {}, TypeName); }
void CheckPoint() { Send(lxmCheckPoint, {}, {}, {}); }
void Separator() { Send(lxmSeparator, {}, {}, {}); }

void Object(const std::string& Text, const TProperties& Properties, const std::string& TypeName) {
  std::string Details;
  for (const auto& P : Properties) {
    if (!Details.empty()) Details += "\r\n";
    Details += P.first;
    Details += '\t';
    Details += P.second;
  }
  Send(lxmObject, Text, Details, TypeName);
}

void Stream(const std::string& Text, const std::string& Contents, const std::string& TypeName) {
  Send(lxmStream, Text, Contents, TypeName);
}

void StringList(const std::string& Text, const std::vector<std::string>& Lines, const std::string& TypeName) {
  std::string Details;
  for (std::size_t I = 0; I < Lines.size(); ++I) {
    if (I) Details += "\r\n";
    Details += Lines[I];
  }
  Send(lxmStringList, Text, Details, TypeName);
}

void ScratchPad(int Line, const std::string& Text) { Send(lxmScratchPad, std::to_string(Line) + "@" + Text, {}, {}); }
void Clear() { Send(lxmClear, {}, {}, {}); }
void SaveLog(const std::string& FileName) { Send(lxmSaveLog, FileName, {}, {}); }

TMethod::TMethod(std::string Name, std::string TypeName) : FName(std::move(Name)), FTypeName(std::move(TypeName)) {
  Send(lxmEnterMethod, FName, {}, FTypeName);
}

TMethod::~TMethod() {
  try {
    Send(lxmExitMethod, FName, {}, FTypeName);
  } catch (...) {
    // A destructor must not throw, least of all while an exception unwinds.
  }
}

}  // namespace Orlimo
