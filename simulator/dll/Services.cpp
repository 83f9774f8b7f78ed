#include "Services.h"

#include <new>
#include <vector>

#include "ComValues.h"
#include "EventHub.h"
#include "FirmwareClasses.h"
#include "FirmwareModel.h"
#include "InstanceEnum.h"
#include "Machine.h"
#include "SmbiosBuilder.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace fc = firmware_classes;
namespace {

bool Same(const BSTR a, const wchar_t* b)
{
    return a && _wcsicmp(a, b) == 0;
}

struct MachineView {
    bool noAcpiWmi = false;
    bool smbiosFails = false;
    uint32_t dataBufferSize = 0;
    std::vector<uint8_t> smbiosTable;
};

MachineView Snapshot(bool withTable = false)
{
    MachineView view;
    CMachineState::Lock machine(Machine());
    if (!machine.Held()) return view;
    view.noAcpiWmi = machine->faults.noAcpiWmi != 0;
    view.smbiosFails = machine->faults.smbiosFails != 0;
    view.dataBufferSize = machine->firmware.dataBufferSize;
    if (withTable) view.smbiosTable = BuildSmbiosTable(machine->smbios);
    return view;
}

// The paths of the firmware's objects in root\wmi.
struct FirmwarePath {
    const wchar_t* path;
    fc::Object (*make)(const MachineView&);
};
const FirmwarePath kFirmwarePaths[] = {
    {fc::kDataClass, [](const MachineView&) { return fc::DataClass(); }},
    {fc::kCallClass, [](const MachineView&) { return fc::CallClass(); }},
    {fc::kCallInstancePath, [](const MachineView&) { return fc::CallInstance(); }},
    {fc::kEventClass, [](const MachineView&) { return fc::EventClass(); }},
    {fc::kQueryInstancePath, [](const MachineView& m) { return fc::QueryInstance(m.dataBufferSize); }},
};

const FirmwarePath* FindFirmwarePath(const BSTR path)
{
    for (const FirmwarePath& p : kFirmwarePaths) {
        if (Same(path, p.path)) return &p;
    }
    return nullptr;
}

// The request bytes inside the DoBFn in-parameters: Data -> Bytes.
bool RequestBytes(IWbemClassObject* in, std::vector<uint8_t>& bytes)
{
    Variant data;
    if (!in || FAILED(in->Get(L"Data", 0, data.get(), nullptr, nullptr))) return false;
    ComPtr<IWbemClassObject> object;
    if (data.type() != VT_UNKNOWN || !(*data).punkVal
        || FAILED((*data).punkVal->QueryInterface(IID_PPV_ARGS(&object)))) {
        return false;
    }
    Variant value;
    return SUCCEEDED(object->Get(L"Bytes", 0, value.get(), nullptr, nullptr)) && CopyBytes(*value, bytes);
}

enum class CallOutcome { Answered, Failed, Rejected };

CallOutcome AnswerFromMachine(const std::vector<uint8_t>& request, std::vector<uint8_t>& answer)
{
    CMachineState::Lock machine(Machine());
    if (!machine.Held()) return CallOutcome::Failed;
    if (machine->faults.failNext > 0) {
        --machine->faults.failNext;
        return CallOutcome::Failed;
    }
    answer = AnswerCall(*machine, request.data(), request.size());
    return answer.empty() ? CallOutcome::Rejected : CallOutcome::Answered;
}

} // namespace

ComPtr<CServices> CServices::Create()
{
    return Adopt(new (std::nothrow) CServices());
}

HRESULT CServices::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IWbemServices) {
        *object = static_cast<IWbemServices*>(this);
    } else if (riid == IID_IClientSecurity) {
        *object = static_cast<IClientSecurity*>(this);
    } else if (riid == IID_IMarshal) {
        return QueryMarshaler(static_cast<IWbemServices*>(this), object);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ComPtr<IWbemServices> CServices::Real()
{
    CriticalSectionLock lock(m_lock);
    if (m_realTried) return m_real;
    m_realTried = true;
    ComPtr<IWbemLocator> locator;
    if (FAILED(
            ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&locator)))) {
        return m_real;
    }
    const Bstr ns(L"root\\wmi");
    locator->ConnectServer(ns.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, &m_real);
    return m_real;
}

HRESULT CServices::GetObject(const BSTR path, LONG flags, IWbemContext* context, IWbemClassObject** object,
                             IWbemCallResult** result)
{
    if (result) *result = nullptr;
    if (!object || !path) return WBEM_E_INVALID_PARAMETER;
    *object = nullptr;
    if (const FirmwarePath* firmware = FindFirmwarePath(path)) {
        MachineView machine = Snapshot();
        if (machine.noAcpiWmi) return WBEM_E_NOT_FOUND;
        fc::Object found = firmware->make(machine);
        if (!found) return WBEM_E_OUT_OF_MEMORY;
        *object = found.Detach();
        return WBEM_S_NO_ERROR;
    }
    ComPtr<IWbemServices> real = Real();
    return real ? real->GetObject(path, flags, context, object, result)
                : static_cast<HRESULT>(WBEM_E_NOT_FOUND);
}

HRESULT CServices::CreateInstanceEnum(const BSTR className, LONG flags, IWbemContext* context,
                                      IEnumWbemClassObject** result)
{
    if (!result || !className) return WBEM_E_INVALID_PARAMETER;
    *result = nullptr;
    if (!Same(className, fc::kSmbiosClass)) {
        ComPtr<IWbemServices> real = Real();
        return real ? real->CreateInstanceEnum(className, flags, context, result)
                    : static_cast<HRESULT>(WBEM_E_INVALID_CLASS);
    }
    MachineView machine = Snapshot(true);
    fc::Object smbios = fc::SmbiosInstance(machine.smbiosTable, machine.smbiosFails);
    ComPtr<CInstanceEnum> made = CInstanceEnum::Create({smbios});
    if (!smbios || !made) return WBEM_E_OUT_OF_MEMORY;
    *result = made.Detach();
    return WBEM_S_NO_ERROR;
}

HRESULT CServices::ExecQuery(const BSTR language, const BSTR query, LONG flags, IWbemContext* context,
                             IEnumWbemClassObject** result)
{
    if (result) *result = nullptr;
    ComPtr<IWbemServices> real = Real();
    return real ? real->ExecQuery(language, query, flags, context, result)
                : static_cast<HRESULT>(WBEM_E_INVALID_QUERY);
}

HRESULT CServices::ExecNotificationQuery(const BSTR language, const BSTR query, LONG flags,
                                         IWbemContext* context, IEnumWbemClassObject** result)
{
    if (result) *result = nullptr;
    ComPtr<IWbemServices> real = Real();
    return real ? real->ExecNotificationQuery(language, query, flags, context, result)
                : static_cast<HRESULT>(WBEM_E_INVALID_QUERY);
}

HRESULT CServices::ExecNotificationQueryAsync(const BSTR language, const BSTR query, LONG flags,
                                              IWbemContext* context, IWbemObjectSink* sink)
{
    if (!sink) return WBEM_E_INVALID_PARAMETER;
    EventStream stream = EventStream::Firmware;
    if (CEventHub::SelectsEvents(language, query, stream)) {
        // The monitor's events come from the display driver, not the firmware's ACPI-WMI.
        if (stream == EventStream::Firmware && Snapshot().noAcpiWmi) return WBEM_E_INVALID_CLASS;
        return CEventHub::Get().Subscribe(sink, stream);
    }
    ComPtr<IWbemServices> real = Real();
    return real ? real->ExecNotificationQueryAsync(language, query, flags, context, sink)
                : static_cast<HRESULT>(WBEM_E_INVALID_QUERY);
}

HRESULT CServices::CancelAsyncCall(IWbemObjectSink* sink)
{
    if (!sink) return WBEM_E_INVALID_PARAMETER;
    if (CEventHub::Get().Cancel(sink)) return WBEM_S_NO_ERROR;
    ComPtr<IWbemServices> real = Real();
    return real ? real->CancelAsyncCall(sink) : static_cast<HRESULT>(WBEM_E_NOT_FOUND);
}

HRESULT CServices::ExecMethod(const BSTR path, const BSTR method, LONG, IWbemContext*, IWbemClassObject* in,
                              IWbemClassObject** out, IWbemCallResult** result)
{
    if (result) *result = nullptr;
    if (out) *out = nullptr;
    if (Snapshot().noAcpiWmi) return WBEM_E_NOT_FOUND;
    if (!Same(path, fc::kCallInstancePath)) return WBEM_E_INVALID_OBJECT_PATH;
    if (!Same(method, fc::kCallMethod)) return WBEM_E_INVALID_METHOD;
    std::vector<uint8_t> request;
    if (!RequestBytes(in, request)) return WBEM_E_INVALID_METHOD_PARAMETERS;

    std::vector<uint8_t> answer;
    switch (AnswerFromMachine(request, answer)) {
    case CallOutcome::Failed:
        return WBEM_E_FAILED;
    case CallOutcome::Rejected:
        return WBEM_E_INVALID_METHOD_PARAMETERS;
    case CallOutcome::Answered:
        break;
    }
    if (out) {
        fc::Object parameters = fc::CallOutParameters(answer);
        if (!parameters) return WBEM_E_OUT_OF_MEMORY;
        *out = parameters.Detach();
    }
    return WBEM_S_NO_ERROR;
}

} // namespace sim
