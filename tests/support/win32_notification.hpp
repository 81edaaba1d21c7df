// GoogleTest's Notification for a compiler without std::mutex (mingw-w64's
// win32 thread model): force-included ahead of GoogleTest, which then skips
// its own. Only GoogleTest's thread starts use it.
#pragma once

#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing::internal {

class Notification {
 public:
  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) Sleep(0);
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
