#include "AlertQueryWorker.h"

#include "ComInitialization.h"
#include "ThreadBoxes.h"

#include <cwchar>

CAlertQueryWorker::CAlertQueryWorker(DWORD delayMs, std::function<void()> query)
    : m_delayMs(delayMs), m_query(std::move(query)), m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{}

CAlertQueryWorker::~CAlertQueryWorker()
{
    Stop();
}

DWORD CAlertQueryWorker::ConfiguredDelay()
{
    wchar_t value[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(kDelayVariable, value, 16);
    if (length == 0 || length >= 16) return kDelayMs;
    wchar_t* end = nullptr;
    const unsigned long ms = std::wcstoul(value, &end, 10);
    return (end != value && *end == L'\0' && ms <= kDelayMs) ? static_cast<DWORD>(ms) : kDelayMs;
}

void CAlertQueryWorker::Start()
{
    if (!m_stop || IsRunning()) return;
    m_thread.reset();
    ::ResetEvent(m_stop.get());
    m_thread.reset(::CreateThread(nullptr, 0, &CAlertQueryWorker::ThreadMain, this, 0, &m_threadId));
}

void CAlertQueryWorker::Stop()
{
    if (!m_thread) return;
    ::SetEvent(m_stop.get());
    AnswerThreadBoxes(m_thread.get(), m_threadId);
    m_thread.reset();
}

bool CAlertQueryWorker::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread.get(), 0) == WAIT_TIMEOUT;
}

DWORD WINAPI CAlertQueryWorker::ThreadMain(void* self)
{
    auto& worker = *static_cast<CAlertQueryWorker*>(self);
    const ComInitialization com;
    if (!com.Initialised()) return 0;
    if (::WaitForSingleObject(worker.m_stop.get(), worker.m_delayMs) == WAIT_TIMEOUT) worker.m_query();
    return 0;
}
