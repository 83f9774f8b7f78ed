#include "QueueMutexLock.h"

QueueMutexLock::QueueMutexLock(DWORD timeoutMs)
    : m_mutex(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kName))
{
    if (!m_mutex) return;
    const DWORD wait = ::WaitForSingleObject(m_mutex.get(), timeoutMs);
    m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

QueueMutexLock::~QueueMutexLock()
{
    if (m_held) ::ReleaseMutex(m_mutex.get());
}
