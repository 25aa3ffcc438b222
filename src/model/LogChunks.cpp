#include "model/LogChunks.h"

#include "model/LogFile.h"

namespace {

// One buffer with the loader, the others filled meanwhile.
constexpr std::size_t AheadBuffers = 3;

}  // namespace

std::size_t TLogChunks::BufferCount(const TOrlimoLogSource& Source) { return Source.ReadsAhead() ? AheadBuffers : 1; }

TLogChunks::TLogChunks(TOrlimoLogSource& Source, std::size_t ChunkSize, TLogChunkWork* Work)
    : FSource(Source), FChunkSize(ChunkSize < 1 ? 1 : ChunkSize), FWork(Work) {
  const std::size_t Count = BufferCount(Source);
  for (std::size_t I = 0; I < Count; ++I) FBuffers.push_back(std::make_unique<char[]>(Reserve + FChunkSize));
  if (Count > 1) {
    FFree.assign(Count, true);
    FReader = std::thread([this] { ReadAhead(); });
  }
}

TLogChunks::~TLogChunks() {
  if (!FReader.joinable()) return;
  {
    std::lock_guard<std::mutex> Hold(FLock);
    FStopping = true;
  }
  FChanged.notify_all();
  FReader.join();
}

void TLogChunks::ReadAhead() {
  for (std::size_t I = 0;; I = (I + 1) % FBuffers.size()) {
    {
      std::unique_lock<std::mutex> Hold(FLock);
      FChanged.wait(Hold, [&] { return FStopping || FFree[I]; });
      if (FStopping) return;
      FFree[I] = false;
    }
    TFilled F;
    F.Buffer = I;
    try {
      F.Size = FSource.Read(Chunk(I), FChunkSize);
      if (FWork) FWork->Prepare(TLogChunk{Chunk(I), F.Size, I});
    } catch (...) {
      F.Error = std::current_exception();
    }
    const bool Last = F.Size == 0 || F.Error;
    {
      std::lock_guard<std::mutex> Hold(FLock);
      FFilled.push_back(std::move(F));
    }
    FChanged.notify_all();
    if (Last) return;
  }
}

TLogChunk TLogChunks::Next() {
  if (FEnded) return {Chunk(0), 0, 0};
  if (!FReader.joinable()) {
    FSource.BetweenChunks();
    const TLogChunk C{Chunk(0), FSource.Read(Chunk(0), FChunkSize), 0};
    FEnded = C.Size == 0;
    if (FWork) FWork->Prepare(C);
    return C;
  }
  {
    std::lock_guard<std::mutex> Hold(FLock);
    if (FHolding) FFree[FCurrent] = true;
    FHolding = false;
  }
  FChanged.notify_all();
  FSource.BetweenChunks();
  TFilled F;
  {
    std::unique_lock<std::mutex> Hold(FLock);
    FChanged.wait(Hold, [&] { return !FFilled.empty(); });
    F = std::move(FFilled.front());
    FFilled.pop_front();
    FCurrent = F.Buffer;
    FHolding = true;
  }
  if (F.Error) {
    FEnded = true;
    std::rethrow_exception(F.Error);
  }
  FEnded = F.Size == 0;
  return {Chunk(F.Buffer), F.Size, F.Buffer};
}
