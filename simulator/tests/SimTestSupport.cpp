#include "SimTestSupport.h"

#include <psapi.h>

#include "MachineProfile.h"
#include "PlatformSeams.h"
#include "ProgramRun.h"

namespace simtest {

SimctlResult RunSimctl(const std::wstring& arguments)
{
    ProgramResult run = RunProgram(L"simctl.exe", arguments);
    return {run.exitCode, std::move(run.output)};
}

bool LoadSharedMachine(sim::CMachineState& state, const wchar_t* profile)
{
    sim::CMachineState::Lock machine(state);
    return machine.Held() && sim::LoadProfile(profile, *machine);
}

ComPtr<IWbemServices> ConnectFirmware()
{
    ComPtr<IWbemLocator> locator;
    ComPtr<IWbemServices> services;
    if (FAILED(seams::CreateWbemLocator(&locator))) return services;
    locator->ConnectServer(Bstr(L"root\\wmi").get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                           &services);
    return services;
}

bool GetBytes(IWbemClassObject* object, const wchar_t* name, std::vector<uint8_t>& bytes)
{
    Variant value;
    return SUCCEEDED(object->Get(name, 0, value.put(), nullptr, nullptr)) && CopyBytes(*value, bytes);
}

HRESULT ExecDoBFn(IWbemServices* services, const std::vector<uint8_t>& request, std::vector<uint8_t>& answer)
{
    ComPtr<IWbemClassObject> dataClass, data, callClass, inSignature, in, out;
    HRESULT hr = services->GetObject(Bstr(L"BDat").get(), 0, nullptr, &dataClass, nullptr);
    if (FAILED(hr) || FAILED(hr = dataClass->SpawnInstance(0, &data))) return hr;
    if (FAILED(hr = services->GetObject(Bstr(L"BFn").get(), 0, nullptr, &callClass, nullptr))) return hr;
    if (FAILED(hr = callClass->GetMethod(L"DoBFn", 0, &inSignature, nullptr))) return hr;
    if (FAILED(hr = inSignature->SpawnInstance(0, &in))) return hr;

    Variant bytes = Variant::FromBytes(request);
    if (FAILED(hr = data->Put(L"Bytes", 0, bytes.get(), 0))) return hr;
    Variant object = Variant::FromUnknown(data.Get());
    if (FAILED(hr = in->Put(L"Data", 0, object.get(), 0))) return hr;

    hr = services->ExecMethod(Bstr(L"BFn.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"").get(),
                              Bstr(L"DoBFn").get(), 0, nullptr, in.Get(), &out, nullptr);
    if (hr != S_OK) return hr;
    Variant answerData;
    if (FAILED(hr = out->Get(L"Data", 0, answerData.put(), nullptr, nullptr))) return hr;
    ComPtr<IWbemClassObject> answerObject;
    if (answerData.type() != VT_UNKNOWN || !(*answerData).punkVal) return E_UNEXPECTED;
    if (FAILED(hr = (*answerData).punkVal->QueryInterface(IID_PPV_ARGS(&answerObject)))) return hr;
    return GetBytes(answerObject.Get(), L"Bytes", answer) ? S_OK : E_UNEXPECTED;
}

void SimulatedMachineTest::SetUp()
{
    // The seams pick the simulated machine once per process, on first use.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"corvane-default"));
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)));
    ASSERT_TRUE(state.IsOpen());
    Load(L"corvane-default");
}

void SimulatedMachineTest::TearDown()
{
    services.Reset();
    ::CoUninitialize();
}

void SimulatedMachineTest::Load(const wchar_t* profile)
{
    ASSERT_TRUE(LoadSharedMachine(state, profile));
    services = ConnectFirmware();
    ASSERT_TRUE(services);
}

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters)) {
        return 0;
    }
    // Wine 8 leaves PrivateUsage at 0; PagefileUsage is the same commit charge.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

} // namespace simtest
