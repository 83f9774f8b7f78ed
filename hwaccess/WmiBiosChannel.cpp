#include "WmiBiosChannel.h"

#include <cstring>
#include <vector>

#include "PlatformSeams.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kNamespace[] = L"root\\wmi";
constexpr wchar_t kCallClass[] = L"BFn";
constexpr wchar_t kCallMethod[] = L"DoBFn";
constexpr wchar_t kCallPath[] = L"BFn.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"";
constexpr wchar_t kDataClass[] = L"BDat";
constexpr wchar_t kQueryPath[] = L"WMI_Query.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"";
constexpr wchar_t kSmbiosClass[] = L"MSSmBios_RawSMBiosTables";
constexpr long kSmbiosNextTimeoutMs = 10000;

// Identity of the caller on every call to the firmware's method.
void SetCallSecurity(IUnknown* proxy)
{
    // Fails harmlessly on objects that are not proxies.
    ::CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

// The class object an embedded-object property holds, or null.
ComPtr<IWbemClassObject> EmbeddedObject(const Variant& value)
{
    ComPtr<IWbemClassObject> object;
    const VARIANT* v = value.get();
    IUnknown* unknown = v->vt == VT_UNKNOWN ? v->punkVal : v->vt == VT_DISPATCH ? v->pdispVal : nullptr;
    if (unknown) unknown->QueryInterface(IID_PPV_ARGS(&object));
    return object;
}

// The byte-array property name of object, copied into bytes.
bool GetBytes(IWbemClassObject* object, const wchar_t* name, Variant& bytes)
{
    return object && SUCCEEDED(object->Get(name, 0, bytes.put(), nullptr, nullptr)) && bytes.IsByteArray();
}

// The property name of object as an unsigned number, when it is one.
bool GetUnsigned(IWbemClassObject* object, const wchar_t* name, ULONG& number)
{
    Variant value;
    Variant converted;
    if (FAILED(object->Get(name, 0, value.put(), nullptr, nullptr))) return false;
    if (FAILED(::VariantChangeType(converted.get(), value.get(), 0, VT_UI4))) return false;
    number = converted.get()->ulVal;
    return true;
}

} // namespace

CWmiBiosChannel::CWmiBiosChannel()
    : m_className(kCallClass), m_methodName(kCallMethod), m_objectPath(kCallPath)
{
    m_lock.emplace();
}

CWmiBiosChannel::~CWmiBiosChannel()
{
    ReleaseWmiObjects();
    m_lock.reset();
    if (m_git && m_cookie) m_git->RevokeInterfaceFromGlobal(m_cookie);
    m_git.Reset();
}

void CWmiBiosChannel::ReleaseWmiObjects()
{
    m_bdatClass.Reset();
    m_services.Reset();
    m_bdatInstance.Reset();
    m_outParams.Reset();
    m_inParams.Reset();
    m_bfnClass.Reset();
    m_inSignature.Reset();
    m_outSignature.Reset();
}

bool CWmiBiosChannel::Connect()
{
    ::CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_git));
    ComPtr<IWbemLocator> locator;
    if (FAILED(seams::CreateWbemLocator(&locator)) || !locator) return false;
    const Bstr wmiNamespace(kNamespace);
    if (FAILED(locator->ConnectServer(wmiNamespace.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                      &m_services))
        || !m_services) {
        m_services.Reset();
        return false;
    }
    SetCallSecurity(m_services.Get());
    if (m_git) m_git->RegisterInterfaceInGlobal(m_services.Get(), IID_IWbemServices, &m_cookie);
    return true;
}

bool CWmiBiosChannel::ReadSmbiosTables(const TableSink& sink)
{
    if (!m_services) return false;
    const Bstr smbiosClass(kSmbiosClass);
    ComPtr<IEnumWbemClassObject> tables;
    if (FAILED(m_services->CreateInstanceEnum(smbiosClass.get(), WBEM_FLAG_SHALLOW, nullptr, &tables))
        || !tables) {
        return false;
    }
    for (;;) {
        ComPtr<IWbemClassObject> table;
        ULONG returned = 0;
        const HRESULT hr = tables->Next(kSmbiosNextTimeoutMs, 1, &table, &returned);
        if (returned != 1 || !table) return hr == WBEM_S_FALSE || hr == WBEM_S_NO_ERROR;

        Variant data;
        if (!GetBytes(table.Get(), L"SMBiosData", data)) return false;
        std::vector<uint8_t> copy;
        {
            SafeArrayBytes bytes(data.get()->parray);
            if (!bytes.ok()) return false;
            // Never trust the stated size beyond the bytes that are there.
            ULONG size = 0;
            const size_t length
                = GetUnsigned(table.Get(), L"Size", size) && size < bytes.size() ? size : bytes.size();
            copy.assign(bytes.data(), bytes.data() + length);
        }
        sink(copy.size(), copy.data());
    }
}

bool CWmiBiosChannel::ReadDataBufferSize()
{
    if (!m_services) return false;
    const Bstr queryPath(kQueryPath);
    ComPtr<IWbemClassObject> query;
    if (FAILED(m_services->GetObject(queryPath.get(), 0, nullptr, &query, nullptr)) || !query) return false;
    Variant qdata;
    if (FAILED(query->Get(L"QDATA", 0, qdata.put(), nullptr, nullptr))) return false;
    Variant bytes;
    if (!GetBytes(EmbeddedObject(qdata).Get(), L"Bytes", bytes)) return false;
    SafeArrayBytes access(bytes.get()->parray);
    if (!access.ok() || access.size() < sizeof(uint32_t)) return false;
    uint32_t size = 0;
    std::memcpy(&size, access.data(), sizeof size);
    if (size > static_cast<uint32_t>(kMaxDataBufferSize)) return false;
    m_dataBufferSize = static_cast<int>(size);
    return true;
}

bool CWmiBiosChannel::PrepareCallObjects()
{
    if (!m_services) return false;
    const Bstr dataClass(kDataClass);
    if (FAILED(m_services->GetObject(dataClass.get(), 0, nullptr, &m_bdatClass, nullptr)) || !m_bdatClass)
        return false;
    if (FAILED(m_services->GetObject(m_className.get(), 0, nullptr, &m_bfnClass, nullptr)) || !m_bfnClass)
        return false;
    if (FAILED(m_bfnClass->GetMethod(m_methodName.get(), 0, &m_inSignature, &m_outSignature))
        || !m_inSignature || !m_outSignature) {
        return false;
    }
    return SUCCEEDED(m_bdatClass->SpawnInstance(0, &m_bdatInstance)) && m_bdatInstance
           && SUCCEEDED(m_inSignature->SpawnInstance(0, &m_inParams)) && m_inParams
           && SUCCEEDED(m_outSignature->SpawnInstance(0, &m_outParams)) && m_outParams;
}

bool CWmiBiosChannel::PerformSmi(BiosCallBuffer& buffer, int extraBytes)
{
    CriticalSectionLock hold(*m_lock);
    buffer.cbRes1 = kBiosNoAnswer;
    if (!m_bdatInstance || !m_inParams) return false;
    // A request that does not fit the firmware's buffer is never sent.
    const size_t capacity = static_cast<size_t>(m_dataBufferSize);
    if (extraBytes < 0 || capacity < kBiosCallWireSize
        || static_cast<size_t>(extraBytes) > capacity - kBiosCallWireSize) {
        return false;
    }
    if (!SendRequest(buffer, kBiosCallWireSize + static_cast<size_t>(extraBytes))) return false;
    if (!CallFirmware()) return false;
    return ReadAnswer(buffer);
}

bool CWmiBiosChannel::SendRequest(const BiosCallBuffer& buffer, size_t sendLength)
{
    std::vector<uint8_t> request(static_cast<size_t>(m_dataBufferSize), 0);
    std::memcpy(request.data(), &buffer, sendLength);
    Variant bytes = Variant::FromBytes(request);
    if (FAILED(m_bdatInstance->Put(L"Bytes", 0, bytes.get(), 0))) return false;
    Variant data = Variant::FromUnknown(m_bdatInstance.Get());
    return SUCCEEDED(m_inParams->Put(L"Data", 0, data.get(), 0));
}

bool CWmiBiosChannel::CallFirmware()
{
    m_outParams.Reset();
    ComPtr<IWbemServices> services;
    if (!m_git || FAILED(m_git->GetInterfaceFromGlobal(m_cookie, IID_PPV_ARGS(&services))) || !services) {
        return false;
    }
    SetCallSecurity(services.Get());
    return services->ExecMethod(m_objectPath.get(), m_methodName.get(), 0, nullptr, m_inParams.Get(),
                                &m_outParams, nullptr)
           == S_OK;
}

bool CWmiBiosChannel::ReadAnswer(BiosCallBuffer& buffer)
{
    if (!m_outParams) return false;
    Variant data;
    if (FAILED(m_outParams->Get(L"Data", 0, data.put(), nullptr, nullptr))) return false;
    Variant bytes;
    if (!GetBytes(EmbeddedObject(data).Get(), L"Bytes", bytes)) return false;
    SafeArrayBytes answer(bytes.get()->parray);
    // A short answer is refused whole rather than half copied.
    if (!answer.ok() || answer.size() < kBiosCallWireSize) return false;
    std::memcpy(static_cast<void*>(&buffer), answer.data(), kBiosCallWireSize);
    return true;
}
