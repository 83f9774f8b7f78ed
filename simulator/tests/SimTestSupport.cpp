#include "SimTestSupport.h"

#include "MachineProfile.h"
#include "PlatformSeams.h"
#include "ProgramRun.h"

namespace simtest {

SimctlResult RunSimctl(const std::wstring& arguments) {
    ProgramResult run = RunProgram(L"simctl.exe", arguments);
    return {run.exitCode, std::move(run.output)};
}

bool LoadSharedMachine(sim::CMachineState& state, const wchar_t* profile) {
    sim::CMachineState::Lock machine(state);
    return machine.Held() && sim::LoadProfile(profile, *machine);
}

ComPtr<IWbemServices> ConnectFirmware() {
    ComPtr<IWbemLocator> locator;
    ComPtr<IWbemServices> services;
    if (FAILED(seams::CreateWbemLocator(&locator))) return services;
    locator->ConnectServer(Text(L"root\\wmi"), nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
    return services;
}

bool GetBytes(IWbemClassObject* object, const wchar_t* name, std::vector<uint8_t>& bytes) {
    VARIANT value;
    ::VariantInit(&value);
    if (FAILED(object->Get(name, 0, &value, nullptr, nullptr))) return false;
    bool ok = value.vt == (VT_ARRAY | VT_UI1);
    if (ok) {
        void* data = nullptr;
        LONG low = 0, high = -1;
        ::SafeArrayGetLBound(value.parray, 1, &low);
        ::SafeArrayGetUBound(value.parray, 1, &high);
        ::SafeArrayAccessData(value.parray, &data);
        bytes.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + (high - low + 1));
        ::SafeArrayUnaccessData(value.parray);
    }
    ::VariantClear(&value);
    return ok;
}

HRESULT ExecDoBFn(IWbemServices* services, const std::vector<uint8_t>& request, std::vector<uint8_t>& answer) {
    ComPtr<IWbemClassObject> dataClass, data, callClass, inSignature, in, out;
    HRESULT hr = services->GetObject(Text(L"BDat"), 0, nullptr, &dataClass, nullptr);
    if (FAILED(hr) || FAILED(hr = dataClass->SpawnInstance(0, &data))) return hr;
    if (FAILED(hr = services->GetObject(Text(L"BFn"), 0, nullptr, &callClass, nullptr))) return hr;
    if (FAILED(hr = callClass->GetMethod(L"DoBFn", 0, &inSignature, nullptr))) return hr;
    if (FAILED(hr = inSignature->SpawnInstance(0, &in))) return hr;

    VARIANT bytes;
    bytes.vt = VT_ARRAY | VT_UI1;
    bytes.parray = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(request.size()));
    void* target = nullptr;
    ::SafeArrayAccessData(bytes.parray, &target);
    std::copy(request.begin(), request.end(), static_cast<uint8_t*>(target));
    ::SafeArrayUnaccessData(bytes.parray);
    hr = data->Put(L"Bytes", 0, &bytes, 0);
    ::VariantClear(&bytes);
    if (FAILED(hr)) return hr;
    VARIANT object;
    object.vt = VT_UNKNOWN;
    object.punkVal = data.Get();
    if (FAILED(hr = in->Put(L"Data", 0, &object, 0))) return hr;

    hr = services->ExecMethod(Text(L"BFn.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\""), Text(L"DoBFn"), 0, nullptr,
                              in.Get(), &out, nullptr);
    if (hr != S_OK) return hr;
    VARIANT answerData;
    ::VariantInit(&answerData);
    if (FAILED(hr = out->Get(L"Data", 0, &answerData, nullptr, nullptr))) return hr;
    ComPtr<IWbemClassObject> answerObject;
    if (answerData.vt != VT_UNKNOWN) return E_UNEXPECTED;
    hr = answerData.punkVal->QueryInterface(IID_PPV_ARGS(&answerObject));
    ::VariantClear(&answerData);
    if (FAILED(hr)) return hr;
    return GetBytes(answerObject.Get(), L"Bytes", answer) ? S_OK : E_UNEXPECTED;
}

void SimulatedMachineTest::SetUp() {
    // The seams pick the simulated machine once per process, on first use.
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"corvane-default"));
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)));
    ASSERT_TRUE(state.IsOpen());
    Load(L"corvane-default");
}

void SimulatedMachineTest::TearDown() {
    services.Reset();
    ::CoUninitialize();
}

void SimulatedMachineTest::Load(const wchar_t* profile) {
    ASSERT_TRUE(LoadSharedMachine(state, profile));
    services = ConnectFirmware();
    ASSERT_TRUE(services);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
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
