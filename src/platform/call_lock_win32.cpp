#include <windows.h>

#include "platform/call_lock.hpp"

namespace dlv::platform {

namespace {
// Statically initialised; needs no creation or destruction.
SRWLOCK call_lock = SRWLOCK_INIT;
}  // namespace

CallLock::CallLock() { AcquireSRWLockExclusive(&call_lock); }
CallLock::~CallLock() { ReleaseSRWLockExclusive(&call_lock); }

}  // namespace dlv::platform
