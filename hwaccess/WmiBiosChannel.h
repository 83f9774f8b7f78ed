#pragma once
#include <windows.h>

#include <objidl.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "BiosCallBuffer.h"
#include "ComValues.h"
#include "CriticalSection.h"

// The WMI side of BIOS calls: the root\wmi connection (also registered in the
// Global Interface Table so that any thread can call), the firmware's call
// objects prepared once, and the lock that serialises calls.
class CWmiBiosChannel {
public:
    using TableSink = std::function<void(size_t length, const uint8_t* data)>;

    // Largest firmware data buffer accepted; larger reports are not trusted.
    static constexpr int kMaxDataBufferSize = 64 * 1024;

    CWmiBiosChannel();
    ~CWmiBiosChannel();
    CWmiBiosChannel(const CWmiBiosChannel&) = delete;
    CWmiBiosChannel& operator=(const CWmiBiosChannel&) = delete;

    bool Connect();
    // Hands every raw SMBIOS table to sink; true when the enumeration ended normally.
    bool ReadSmbiosTables(const TableSink& sink);
    bool ReadDataBufferSize();
    bool PrepareCallObjects();
    bool PerformSmi(BiosCallBuffer& buffer, int extraBytes);
    void ReleaseWmiObjects();

    int DataBufferSize() const { return m_dataBufferSize; }

private:
    bool CallFirmware();
    bool SendRequest(const BiosCallBuffer& buffer, size_t sendLength);
    bool ReadAnswer(BiosCallBuffer& buffer);

    Microsoft::WRL::ComPtr<IWbemClassObject> m_bdatClass;
    Microsoft::WRL::ComPtr<IWbemServices> m_services;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_bdatInstance;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_outParams;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_inParams;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_bfnClass;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_inSignature;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_outSignature;
    Bstr m_className;
    Bstr m_methodName;
    Bstr m_objectPath;
    int m_dataBufferSize = 0;
    Microsoft::WRL::ComPtr<IGlobalInterfaceTable> m_git;
    DWORD m_cookie = 0;
    std::optional<CriticalSection> m_lock;
};
