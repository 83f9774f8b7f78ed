#include "MachineState.h"

#include <shlobj.h>

#include <cstring>

namespace sim {
namespace {

constexpr wchar_t kMappingName[] = L"TavrinSimulatedMachine";
constexpr wchar_t kMutexName[] = L"TavrinSimulatedMachineLock";
constexpr DWORD kLockTimeoutMs = 10000;

} // namespace

std::wstring CMachineState::FilePath() {
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

CMachineState::CMachineState() {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, kMutexName));
    if (!mutex_) return;
    file_.reset(::CreateFileW(FilePath().c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return;
    mapping_.reset(::CreateFileMappingW(file_.get(), nullptr, PAGE_READWRITE, 0,
                                        sizeof(SimMachine), kMappingName));
    if (!mapping_) return;
    view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SimMachine)));
    if (!view_) return;
    machine_ = static_cast<SimMachine*>(view_.get());
    ResetWhenForeign();
}

// A block written by another layout (or a fresh, zero-filled file) starts
// over empty; the next user loads a profile into it.
void CMachineState::ResetWhenForeign() {
    Lock lock(*this);
    if (!lock.Held()) return;
    if (lock->magic == kSimMachineMagic && lock->version == kSimMachineVersion &&
        lock->size == sizeof(SimMachine)) {
        return;
    }
    std::memset(machine_, 0, sizeof(SimMachine));
    machine_->magic = kSimMachineMagic;
    machine_->version = kSimMachineVersion;
    machine_->size = sizeof(SimMachine);
}

CMachineState::Lock::Lock(CMachineState& state) {
    if (!state.machine_ || !state.mutex_) return;
    DWORD wait = ::WaitForSingleObject(state.mutex_.get(), kLockTimeoutMs);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) return;
    mutex_ = state.mutex_.get();
    machine_ = state.machine_;
}

CMachineState::Lock::~Lock() {
    if (mutex_) ::ReleaseMutex(mutex_);
}

} // namespace sim
