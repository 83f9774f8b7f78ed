#include "MachineState.h"

#include <shlobj.h>

#include <cstring>

namespace sim {
namespace {

constexpr wchar_t kMappingName[] = L"TavrinSimulatedMachine";
constexpr wchar_t kMutexName[] = L"TavrinSimulatedMachineLock";
constexpr DWORD kLockTimeoutMs = 10000;

} // namespace

std::wstring CMachineState::FilePath()
{
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder))) {
        ::GetTempPathW(MAX_PATH, folder);
    }
    std::wstring path(folder);
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path += L"TavrinSim";
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\machine.bin";
}

CMachineState::CMachineState()
{
    m_mutex.reset(::CreateMutexW(nullptr, FALSE, kMutexName));
    if (!m_mutex) return;
    m_file.reset(::CreateFileW(FilePath().c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file) return;
    m_mapping.reset(
        ::CreateFileMappingW(m_file.get(), nullptr, PAGE_READWRITE, 0, sizeof(SimMachine), kMappingName));
    if (!m_mapping) return;
    m_view.reset(::MapViewOfFile(m_mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SimMachine)));
    if (!m_view) return;
    m_machine = static_cast<SimMachine*>(m_view.get());
    ResetWhenForeign();
}

// A block written by another layout (or a fresh, zero-filled file) starts
// over empty; the next user loads a profile into it.
void CMachineState::ResetWhenForeign()
{
    Lock lock(*this);
    if (!lock.Held()) return;
    if (lock->magic == kSimMachineMagic && lock->version == kSimMachineVersion
        && lock->size == sizeof(SimMachine)) {
        return;
    }
    std::memset(m_machine, 0, sizeof(SimMachine));
    m_machine->magic = kSimMachineMagic;
    m_machine->version = kSimMachineVersion;
    m_machine->size = sizeof(SimMachine);
}

CMachineState::Lock::Lock(CMachineState& state)
{
    if (!state.m_machine || !state.m_mutex) return;
    DWORD wait = ::WaitForSingleObject(state.m_mutex.get(), kLockTimeoutMs);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return;
    m_mutex = state.m_mutex.get();
    m_machine = state.m_machine;
}

CMachineState::Lock::~Lock()
{
    if (m_mutex) ::ReleaseMutex(m_mutex);
}

} // namespace sim
