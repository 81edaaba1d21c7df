#include <mutex>

#include "platform/call_lock.hpp"

namespace dlv::platform {

namespace {
// Constant-initialised: usable before any static constructor runs.
constinit std::mutex call_mutex;
}  // namespace

CallLock::CallLock() { call_mutex.lock(); }
CallLock::~CallLock() { call_mutex.unlock(); }

}  // namespace dlv::platform
