// The bytes of a log as the loader takes them: chunk after chunk, each with
// room before it for the start of a record that began in the chunk before.
// A source that may be read from any thread is read ahead on a thread of its
// own while the loader decodes (the next chunks come from the disk while the
// list is built); any other source is read on the loader's thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class TOrlimoLogSource;

struct TLogChunk {
  char* Data = nullptr;    // TLogChunks::Reserve bytes before Data are the loader's to use
  std::size_t Size = 0;    // 0: no more bytes
  std::size_t Buffer = 0;  // which of the buffers (0..TLogChunks::BufferCount-1) holds it
};

// What is done to each chunk as soon as it is read, in the order the chunks
// are read, on the thread that reads (the loader's own when the source is not
// read ahead): the loader then takes chunks already cut into records. Until
// the loader has taken the chunk and asked for the next one, what Prepare made
// of it is the loader's; an exception fails the load like a failed read.
class TLogChunkWork {
public:
  virtual ~TLogChunkWork() = default;
  virtual void Prepare(const TLogChunk& Chunk) = 0;
};

class TLogChunks {
public:
  static constexpr std::size_t Reserve = std::size_t{64} * 1024;
  // How many buffers chunks of Source come in.
  static std::size_t BufferCount(const TOrlimoLogSource& Source);
  // Chunks of up to ChunkSize bytes (at least 1), each given to Work (when
  // there is one) before the loader takes it.
  TLogChunks(TOrlimoLogSource& Source, std::size_t ChunkSize, TLogChunkWork* Work = nullptr);
  // Stops reading ahead (after the read in progress) and waits for the reader.
  ~TLogChunks();
  TLogChunks(const TLogChunks&) = delete;
  TLogChunks& operator=(const TLogChunks&) = delete;

  // The next chunk; the one before goes back to the reader. Rethrows what the
  // source (or the work) threw. After the end it gives empty chunks that were
  // not prepared.
  TLogChunk Next();

private:
  struct TFilled {
    std::size_t Buffer = 0;
    std::size_t Size = 0;
    std::exception_ptr Error;
  };
  char* Chunk(std::size_t Buffer) { return FBuffers[Buffer].get() + Reserve; }
  void ReadAhead();

  TOrlimoLogSource& FSource;
  std::size_t FChunkSize;
  TLogChunkWork* FWork;
  std::vector<std::unique_ptr<char[]>> FBuffers;
  bool FEnded = false;
  // Reading ahead: buffers free for the reader, chunks read and not yet taken.
  std::mutex FLock;
  std::condition_variable FChanged;
  std::vector<bool> FFree;
  std::deque<TFilled> FFilled;
  std::size_t FCurrent = 0;  // the buffer the loader has (reading ahead: valid when FHolding)
  bool FHolding = false;
  bool FStopping = false;
  std::thread FReader;
};
