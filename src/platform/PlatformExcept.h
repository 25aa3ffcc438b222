// Exceptions raised by the platform layer. Every one derives from
// EPlatformError, itself one of the program's exceptions (Exception), so the
// application's exception display (TApplication::HandleException) shows its text.
#pragma once

#include "model/OrlimoExcept.h"

#include <string>

class EPlatformError : public Exception {
public:
  explicit EPlatformError(const std::string& Msg) : Exception(Msg) {}
};

// A Win32 call failed (window, GDI object, device context could not be made).
class EOutOfResources : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};

// An operation that is not allowed in the object's current state
// (showing a visible form modally, a control without a parent window...).
class EInvalidOperation : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};

// A named resource (bitmap, string) is missing from the module.
class EResNotFound : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};

class ERegistryException : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};

class EClipboardException : public EPlatformError {
public:
  using EPlatformError::EPlatformError;
};

// The text of the calling thread's last Win32 error, for exception messages.
std::string SysErrorMessage(unsigned long ErrorCode);
std::string LastErrorMessage();
