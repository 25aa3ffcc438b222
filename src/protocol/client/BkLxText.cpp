// SenderText, the text channel, and the short calls for the usual messages.
#include "BkLxIntf.h"

#include <algorithm>
#include <cstring>
#include <streambuf>

namespace {

// The characters a thread has written to SenderText and not yet sent: up to
// a full buffer, and room for one CR after it that waits to see whether a LF
// follows.
struct TBkLxLine {
  char Data[BkLxSenderTextBuffer + 1];
  std::size_t Length;
};

// Sends the first Count buffered characters of Line as one Info message and
// keeps the rest. They leave the buffer first, so a failed send does not send
// them again.
void SendHead(TBkLxLine& L, std::size_t Count) {
  const std::string Text(L.Data, Count);
  L.Length -= Count;
  if (L.Length) std::memmove(L.Data, L.Data + Count, L.Length);
  DefaultSender().SendMsg(lxmInfo, Text.c_str(), std::string());
}

// A line ended: everything buffered goes, without a CR that ends it.
void SendLine(TBkLxLine& L) {
  std::size_t Length = L.Length;
  if (Length > 0 && L.Data[Length - 1] == '\r') --Length;
  L.Length = 0;
  const std::string Text(L.Data, Length);
  DefaultSender().SendMsg(lxmInfo, Text.c_str(), std::string());
}

// Sends whatever is buffered, a full buffer at a time.
void SendBuffered(TBkLxLine& L) {
  while (L.Length > 0) SendHead(L, std::min(L.Length, BkLxSenderTextBuffer));
}

// What a thread left unended goes when the thread ends, and the finishing
// thread's when the unit ends. No exception leaves a thread's end.
void SendBufferedAtEnd(TBkLxLine& L) noexcept {
  try {
    SendBuffered(L);
  } catch (...) {
    L.Length = 0;
  }
}

// Each thread's buffer is a fiber-local value, allocated when the thread first
// writes, with a callback that the system runs as the thread ends, before the
// system's libraries let go of the thread: it sends what is left and frees
// the buffer. A thread_local buffer cannot be used for this: the runtime may
// free a thread's thread_local storage before that callback runs, and the
// callback would then read freed memory. Only when no fiber-local index can
// be had does a thread_local buffer serve (its leftovers then go unsent).
DWORD SenderLineSlot = FLS_OUT_OF_INDEXES;
bool SenderTextEnded = false;
thread_local TBkLxLine SenderLineFallback{};

void WINAPI SenderLineEnd(void* Line) {
  if (!Line) return;
  auto* L = static_cast<TBkLxLine*>(Line);
  if (!SenderTextEnded) SendBufferedAtEnd(*L);
  delete L;
}

TBkLxLine& ThreadLine() {
  if (SenderLineSlot == FLS_OUT_OF_INDEXES) return SenderLineFallback;
  if (void* Line = ::FlsGetValue(SenderLineSlot)) return *static_cast<TBkLxLine*>(Line);
  auto* L = new TBkLxLine{};
  if (!::FlsSetValue(SenderLineSlot, L)) {
    delete L;
    return SenderLineFallback;
  }
  return *L;
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
    SendBuffered(ThreadLine());
    return 0;
  }

private:
  // A full buffer goes when the next character comes, so a line of exactly
  // 128 characters arrives as one message. A CR after a full buffer waits for
  // the next character: with a LF it ends the line of 128 (no empty message
  // after it), with anything else it starts the next message.
  static void Put(char C) {
    TBkLxLine& L = ThreadLine();
    if (C == '\n') {
      SendLine(L);
      return;
    }
    if (L.Length > BkLxSenderTextBuffer || (L.Length == BkLxSenderTextBuffer && C != '\r'))
      SendHead(L, BkLxSenderTextBuffer);
    L.Data[L.Length++] = C;
  }
};

TBkLxTextBuf SenderTextBuf;

void Send(std::int32_t Kind, const std::string& Text, const std::string& Details, const std::string& TypeName) {
  DefaultSender().SendMsgWithDetails(Kind, Text.c_str(), Details.c_str(), TypeName);
}

}  // namespace

std::ostream SenderText(&SenderTextBuf);

namespace {
// A failed send reaches the writer as its exception. At the unit's end, the
// text the finishing thread left unended is sent (its thread's end may come
// later than the unit's, or not at all).
struct TBkLxSenderTextOpen {
  TBkLxSenderTextOpen() {
    SenderText.exceptions(std::ios::badbit);
    SenderLineSlot = ::FlsAlloc(SenderLineEnd);
  }
  ~TBkLxSenderTextOpen() {
    if (SenderLineSlot == FLS_OUT_OF_INDEXES)
      SendBufferedAtEnd(SenderLineFallback);
    else if (void* Line = ::FlsGetValue(SenderLineSlot))
      SendBufferedAtEnd(*static_cast<TBkLxLine*>(Line));
    // The callback goes with the unit (it is in a DLL that may be unloaded);
    // what other threads still hold is lost, their buffers freed by FlsFree.
    SenderTextEnded = true;
    if (SenderLineSlot != FLS_OUT_OF_INDEXES) ::FlsFree(SenderLineSlot);
  }
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
