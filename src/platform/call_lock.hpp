// The one process-wide lock that every exported entry point holds for the
// whole of its call, so that calls from several threads run one after
// another: the log handle, the quick-entry result arrays, the .NET entry's
// buffers, the Vogel reference values and the fit's scratch storage are
// shared by every call. Not recursive: an entry point never calls another.
// POSIX: a std::mutex. Win32: a slim reader/writer lock taken exclusively
// (the compiler's win32 thread model has no std::mutex).
#pragma once

namespace dlv::platform {

// Holds the lock from construction to destruction.
class CallLock {
 public:
  CallLock();
  ~CallLock();
  CallLock(const CallLock&) = delete;
  CallLock& operator=(const CallLock&) = delete;
};

}  // namespace dlv::platform
