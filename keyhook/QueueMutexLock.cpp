#include "QueueMutexLock.h"

QueueMutexLock::QueueMutexLock(DWORD timeoutMs)
    : mutex_(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kName)) {
    if (!mutex_) return;
    const DWORD wait = ::WaitForSingleObject(mutex_.get(), timeoutMs);
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

QueueMutexLock::~QueueMutexLock() {
    if (held_) ::ReleaseMutex(mutex_.get());
}
