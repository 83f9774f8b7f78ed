#pragma once
#include <string>

#include "SimMachine.h"
#include "UniqueHandle.h"

namespace sim {

// This process's view of the shared machine block. The block lives in a file
// under the common application-data folder, so it outlives every process of a
// run; a named mutex guards each read-modify-write.
class CMachineState {
public:
    CMachineState();
    CMachineState(const CMachineState&) = delete;
    CMachineState& operator=(const CMachineState&) = delete;

    bool IsOpen() const { return machine_ != nullptr; }
    static std::wstring FilePath();

    // Holds the machine mutex for one scope. Check Held() before use: a
    // holder that never lets go makes the wait give up.
    class Lock {
    public:
        explicit Lock(CMachineState& state);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        bool Held() const { return machine_ != nullptr; }
        SimMachine& operator*() const { return *machine_; }
        SimMachine* operator->() const { return machine_; }

    private:
        HANDLE mutex_ = nullptr;
        SimMachine* machine_ = nullptr;
    };

private:
    void ResetWhenForeign();

    UniqueHandle mutex_;
    UniqueFileHandle file_;
    UniqueHandle mapping_;
    UniqueView view_;
    SimMachine* machine_ = nullptr;
};

} // namespace sim
