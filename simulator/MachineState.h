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

    bool IsOpen() const { return m_machine != nullptr; }
    static std::wstring FilePath();

    // Holds the machine mutex for one scope. Check Held() before use: a
    // holder that never lets go makes the wait give up.
    class Lock {
    public:
        explicit Lock(CMachineState& state);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        bool Held() const { return m_machine != nullptr; }
        SimMachine& operator*() const { return *m_machine; }
        SimMachine* operator->() const { return m_machine; }

    private:
        HANDLE m_mutex = nullptr;
        SimMachine* m_machine = nullptr;
    };

private:
    void ResetWhenForeign();

    UniqueHandle m_mutex;
    UniqueFileHandle m_file;
    UniqueHandle m_mapping;
    UniqueView m_view;
    SimMachine* m_machine = nullptr;
};

} // namespace sim
