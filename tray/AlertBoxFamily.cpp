#include "AlertBoxFamily.h"

#include "ThreadBoxes.h"

#include <algorithm>
#include <memory>

struct CAlertBoxFamily::Job {
    CAlertBoxFamily& family;
    // The thread's own copy: the family's last text may be replaced meanwhile.
    std::wstring text;
};

CAlertBoxFamily::CAlertBoxFamily(Box box, Box inPlace) : m_box(std::move(box)), m_inPlace(std::move(inPlace))
{}

CAlertBoxFamily::~CAlertBoxFamily()
{
    std::vector<Thread> threads;
    {
        CriticalSectionLock lock(m_lock);
        threads.swap(m_threads);
    }
    for (const Thread& thread : threads) AnswerThreadBoxes(thread.handle.get(), thread.id);
}

bool CAlertBoxFamily::Show(const std::wstring& text)
{
    auto job = std::make_unique<Job>(Job{*this, text});
    {
        CriticalSectionLock lock(m_lock);
        if (m_open != 0 && text == m_lastText) return false;
        m_lastText = text;
        ForgetEnded();
        ++m_open;
        Thread thread;
        thread.handle.reset(
            ::CreateThread(nullptr, 0, &CAlertBoxFamily::ThreadMain, job.get(), 0, &thread.id));
        if (thread.handle) {
            static_cast<void>(job.release()); // the thread owns it now
            m_threads.push_back(std::move(thread));
            return true;
        }
        --m_open;
    }
    m_inPlace(text);
    return true;
}

void CAlertBoxFamily::ForgetEnded()
{
    m_threads.erase(std::remove_if(m_threads.begin(), m_threads.end(),
                                   [](const Thread& thread) {
                                       return ::WaitForSingleObject(thread.handle.get(), 0) == WAIT_OBJECT_0;
                                   }),
                    m_threads.end());
}

DWORD WINAPI CAlertBoxFamily::ThreadMain(void* parameter)
{
    const std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    job->family.m_box(job->text);
    --job->family.m_open;
    return 0;
}
