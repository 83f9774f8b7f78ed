#include "EjectWorker.h"

#include "OpticalDrives.h"
#include "PlatformSeams.h"

namespace {

constexpr DWORD kExitWaitMs = 10000;

void EjectOpticalDrives()
{
    optical_drives::EjectOpticalDrives(seams::DeviceTree());
}

} // namespace

CEjectWorker::CEjectWorker(Eject eject)
    : m_eject(eject ? std::move(eject) : Eject(&EjectOpticalDrives))
    , m_idle(::CreateEventW(nullptr, TRUE, TRUE, nullptr))
{}

CEjectWorker::~CEjectWorker()
{
    if (m_thread) ::WaitForSingleObject(m_thread.get(), kExitWaitMs);
}

bool CEjectWorker::IsRunning() const
{
    return m_idle && ::WaitForSingleObject(m_idle.get(), 0) != WAIT_OBJECT_0;
}

CEjectWorker::Start CEjectWorker::StartEject()
{
    if (!m_idle) return Start::Failed;
    if (IsRunning()) return Start::AlreadyRunning;
    ::ResetEvent(m_idle.get());
    // The last worker signalled the event as its last act: its thread is done with this object.
    if (m_thread) ::WaitForSingleObject(m_thread.get(), kExitWaitMs);
    m_thread.reset(::CreateThread(nullptr, 0, &CEjectWorker::Run, this, 0, nullptr));
    if (!m_thread) {
        ::SetEvent(m_idle.get());
        return Start::Failed;
    }
    return Start::Started;
}

DWORD WINAPI CEjectWorker::Run(void* self)
{
    auto* worker = static_cast<CEjectWorker*>(self);
    worker->m_eject();
    ::SetEvent(worker->m_idle.get());
    return 0;
}
