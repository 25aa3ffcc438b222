// Feeds arbitrary bytes to the syslog stream splitter in chunks the input
// itself chooses, and parses every message cut from it. Frames stay within
// the size limit, the same bytes in one chunk give the same frames, and every
// parsed message that carries the element re-encodes to one that parses the
// same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/SyslogCodec.h"

namespace {

void Check(bool Ok) {
  if (!Ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  // The first byte chooses the chunk size.
  const std::size_t Chunk = 1 + Data[0] % 64;
  const char* Bytes = reinterpret_cast<const char*>(Data + 1);
  const std::size_t Len = Size - 1;

  TSyslogSplitter Whole, Parts;
  std::vector<TSyslogFrame> A, B;
  Whole.Feed(Bytes, Len, A);
  for (std::size_t P = 0; P < Len; P += Chunk) {
    const std::size_t N = Len - P < Chunk ? Len - P : Chunk;
    const std::string Copy(Bytes + P, N);  // exact bounds for the sanitizer
    Parts.Feed(Copy.data(), Copy.size(), B);
  }
  Check(A.size() == B.size() && Whole.Malformed() == Parts.Malformed());
  for (std::size_t I = 0; I < A.size(); ++I) Check(A[I].Message == B[I].Message && A[I].Cut == B[I].Cut);

  const TAnsiCodec& Codec = PortableAnsiCodec();
  // The whole input as one datagram too.
  A.push_back({std::string(Bytes, Len), false});
  for (const TSyslogFrame& F : A) {
    Check(F.Message.size() <= SyslogMaxMessage || &F == &A.back());
    TSyslogMessage M;
    if (!ParseSyslogMessage(F.Message, "viewer", Codec, M, F.Cut) || !M.FromElement || F.Cut) continue;
    TSyslogRecord R{M.Kind, M.AppName, M.TypeName, M.Text, M.Details};
    TSyslogMessage Back;
    Check(ParseSyslogMessage(EncodeSyslogMessage(R, {}, Codec), "viewer", Codec, Back));
    Check(Back.Kind == M.Kind && Back.AppName == M.AppName && Back.TypeName == M.TypeName && Back.Text == M.Text &&
          Back.Details == M.Details);
  }
  return 0;
}
