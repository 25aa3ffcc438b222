// The reference-counted interface base: objects handed between modules (a
// host and its plug-ins) live as long as someone holds a reference.
#pragma once

class TInterface {
public:
  TInterface() = default;
  TInterface(const TInterface&) = delete;
  TInterface& operator=(const TInterface&) = delete;
  virtual ~TInterface() = default;

  // Takes a reference; returns the new count.
  virtual int AddRef() { return ++FRefCount; }
  // Gives one back; the object deletes itself when the last one goes.
  virtual int Release() {
    const int Count = --FRefCount;
    if (Count <= 0) delete this;
    return Count;
  }
  // The interface's version, for a host that knows several.
  virtual int GetVersion() const { return 1; }

  int RefCount() const { return FRefCount; }

private:
  int FRefCount = 0;
};
