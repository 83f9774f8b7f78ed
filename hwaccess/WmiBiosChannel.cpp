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
void SetCallSecurity(IUnknown* proxy) {
    // Fails harmlessly on objects that are not proxies.
    ::CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

// The class object an embedded-object property holds, or null.
ComPtr<IWbemClassObject> EmbeddedObject(const Variant& value) {
    ComPtr<IWbemClassObject> object;
    const VARIANT* v = value.get();
    IUnknown* unknown = v->vt == VT_UNKNOWN ? v->punkVal : v->vt == VT_DISPATCH ? v->pdispVal : nullptr;
    if (unknown) unknown->QueryInterface(IID_PPV_ARGS(&object));
    return object;
}

// The byte-array property name of object, copied into bytes.
bool GetBytes(IWbemClassObject* object, const wchar_t* name, Variant& bytes) {
    return object && SUCCEEDED(object->Get(name, 0, bytes.put(), nullptr, nullptr)) && bytes.IsByteArray();
}

// The property name of object as an unsigned number, when it is one.
bool GetUnsigned(IWbemClassObject* object, const wchar_t* name, ULONG& number) {
    Variant value;
    Variant converted;
    if (FAILED(object->Get(name, 0, value.put(), nullptr, nullptr))) return false;
    if (FAILED(::VariantChangeType(converted.get(), value.get(), 0, VT_UI4))) return false;
    number = converted.get()->ulVal;
    return true;
}

} // namespace

CWmiBiosChannel::CWmiBiosChannel()
    : className_(kCallClass), methodName_(kCallMethod), objectPath_(kCallPath) {
    lock_.emplace();
}

CWmiBiosChannel::~CWmiBiosChannel() {
    ReleaseWmiObjects();
    lock_.reset();
    if (git_ && cookie_) git_->RevokeInterfaceFromGlobal(cookie_);
    git_.Reset();
}

void CWmiBiosChannel::ReleaseWmiObjects() {
    bdatClass_.Reset();
    services_.Reset();
    bdatInstance_.Reset();
    outParams_.Reset();
    inParams_.Reset();
    bfnClass_.Reset();
    inSignature_.Reset();
    outSignature_.Reset();
}

bool CWmiBiosChannel::Connect() {
    ::CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(&git_));
    ComPtr<IWbemLocator> locator;
    if (FAILED(seams::CreateWbemLocator(&locator)) || !locator) return false;
    const Bstr wmiNamespace(kNamespace);
    if (FAILED(locator->ConnectServer(wmiNamespace.get(), nullptr, nullptr, nullptr, 0, nullptr,
                                      nullptr, &services_)) ||
        !services_) {
        services_.Reset();
        return false;
    }
    SetCallSecurity(services_.Get());
    if (git_) git_->RegisterInterfaceInGlobal(services_.Get(), IID_IWbemServices, &cookie_);
    return true;
}

bool CWmiBiosChannel::ReadSmbiosTables(const TableSink& sink) {
    if (!services_) return false;
    const Bstr smbiosClass(kSmbiosClass);
    ComPtr<IEnumWbemClassObject> tables;
    if (FAILED(services_->CreateInstanceEnum(smbiosClass.get(), WBEM_FLAG_SHALLOW, nullptr, &tables)) ||
        !tables) {
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
            const size_t length = GetUnsigned(table.Get(), L"Size", size) && size < bytes.size()
                                      ? size
                                      : bytes.size();
            copy.assign(bytes.data(), bytes.data() + length);
        }
        sink(copy.size(), copy.data());
    }
}

bool CWmiBiosChannel::ReadDataBufferSize() {
    if (!services_) return false;
    const Bstr queryPath(kQueryPath);
    ComPtr<IWbemClassObject> query;
    if (FAILED(services_->GetObject(queryPath.get(), 0, nullptr, &query, nullptr)) || !query) return false;
    Variant qdata;
    if (FAILED(query->Get(L"QDATA", 0, qdata.put(), nullptr, nullptr))) return false;
    Variant bytes;
    if (!GetBytes(EmbeddedObject(qdata).Get(), L"Bytes", bytes)) return false;
    SafeArrayBytes access(bytes.get()->parray);
    if (!access.ok() || access.size() < sizeof(uint32_t)) return false;
    uint32_t size = 0;
    std::memcpy(&size, access.data(), sizeof size);
    if (size > static_cast<uint32_t>(kMaxDataBufferSize)) return false;
    dataBufferSize_ = static_cast<int>(size);
    return true;
}

bool CWmiBiosChannel::PrepareCallObjects() {
    if (!services_) return false;
    const Bstr dataClass(kDataClass);
    if (FAILED(services_->GetObject(dataClass.get(), 0, nullptr, &bdatClass_, nullptr)) || !bdatClass_) return false;
    if (FAILED(services_->GetObject(className_.get(), 0, nullptr, &bfnClass_, nullptr)) || !bfnClass_) return false;
    if (FAILED(bfnClass_->GetMethod(methodName_.get(), 0, &inSignature_, &outSignature_)) || !inSignature_ ||
        !outSignature_) {
        return false;
    }
    return SUCCEEDED(bdatClass_->SpawnInstance(0, &bdatInstance_)) && bdatInstance_ &&
           SUCCEEDED(inSignature_->SpawnInstance(0, &inParams_)) && inParams_ &&
           SUCCEEDED(outSignature_->SpawnInstance(0, &outParams_)) && outParams_;
}

bool CWmiBiosChannel::PerformSmi(BiosCallBuffer& buffer, int extraBytes) {
    CriticalSectionLock hold(*lock_);
    buffer.cbRes1 = kBiosNoAnswer;
    if (!bdatInstance_ || !inParams_) return false;
    // A request that does not fit the firmware's buffer is never sent.
    const size_t capacity = static_cast<size_t>(dataBufferSize_);
    if (extraBytes < 0 || capacity < kBiosCallWireSize ||
        static_cast<size_t>(extraBytes) > capacity - kBiosCallWireSize) {
        return false;
    }
    if (!SendRequest(buffer, kBiosCallWireSize + static_cast<size_t>(extraBytes))) return false;
    if (!CallFirmware()) return false;
    return ReadAnswer(buffer);
}

bool CWmiBiosChannel::SendRequest(const BiosCallBuffer& buffer, size_t sendLength) {
    std::vector<uint8_t> request(static_cast<size_t>(dataBufferSize_), 0);
    std::memcpy(request.data(), &buffer, sendLength);
    Variant bytes = Variant::FromBytes(request);
    if (FAILED(bdatInstance_->Put(L"Bytes", 0, bytes.get(), 0))) return false;
    Variant data = Variant::FromUnknown(bdatInstance_.Get());
    return SUCCEEDED(inParams_->Put(L"Data", 0, data.get(), 0));
}

bool CWmiBiosChannel::CallFirmware() {
    outParams_.Reset();
    ComPtr<IWbemServices> services;
    if (!git_ || FAILED(git_->GetInterfaceFromGlobal(cookie_, IID_PPV_ARGS(&services))) || !services) {
        return false;
    }
    SetCallSecurity(services.Get());
    return services->ExecMethod(objectPath_.get(), methodName_.get(), 0, nullptr, inParams_.Get(),
                                &outParams_, nullptr) == S_OK;
}

bool CWmiBiosChannel::ReadAnswer(BiosCallBuffer& buffer) {
    if (!outParams_) return false;
    Variant data;
    if (FAILED(outParams_->Get(L"Data", 0, data.put(), nullptr, nullptr))) return false;
    Variant bytes;
    if (!GetBytes(EmbeddedObject(data).Get(), L"Bytes", bytes)) return false;
    SafeArrayBytes answer(bytes.get()->parray);
    // A short answer is refused whole rather than half copied.
    if (!answer.ok() || answer.size() < kBiosCallWireSize) return false;
    std::memcpy(static_cast<void*>(&buffer), answer.data(), kBiosCallWireSize);
    return true;
}
