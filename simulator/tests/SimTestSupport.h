#pragma once
#include <windows.h>

#include <gtest/gtest.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "ComValues.h"
#include "MachineState.h"

namespace simtest {

using Microsoft::WRL::ComPtr;

struct SimctlResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // stdout, line ends as written
};
// Runs bin/simctl.exe with the arguments and waits for it.
SimctlResult RunSimctl(const std::wstring& arguments);

// Resets the shared machine from a profile.
bool LoadSharedMachine(sim::CMachineState& state, const wchar_t* profile);

// root\wmi through the product's seam (simulated when the environment says so).
ComPtr<IWbemServices> ConnectFirmware();

// One DoBFn call made the way the product makes it: request bytes into a BDat
// instance, that into the in-parameters, ExecMethod, answer bytes out of Data.
HRESULT ExecDoBFn(IWbemServices* services, const std::vector<uint8_t>& request, std::vector<uint8_t>& answer);

// Bytes of a byte-array property; false when Get fails or the type differs.
bool GetBytes(IWbemClassObject* object, const wchar_t* name, std::vector<uint8_t>& bytes);

// This process's private memory (commit charge), in bytes.
size_t PrivateBytes();

// Pumps this thread's messages until `done` holds or the time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// A test against the shared simulated machine: COM on this thread, the
// default notebook freshly loaded, root\wmi connected through the seam.
class SimulatedMachineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Reloads the machine from another profile and connects again.
    void Load(const wchar_t* profile);

    sim::CMachineState state;
    ComPtr<IWbemServices> services;
};

} // namespace simtest
