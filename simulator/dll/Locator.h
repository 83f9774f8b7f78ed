#pragma once
#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include "ComObject.h"

namespace sim {

// A WMI locator whose root\wmi is the simulated one; every other namespace is
// connected through Windows' own locator.
class CLocator final : public IWbemLocator, public CComObject {
public:
    static Microsoft::WRL::ComPtr<CLocator> Create();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR resource, const BSTR user, const BSTR password,
                                            const BSTR locale, LONG flags, const BSTR authority,
                                            IWbemContext* context, IWbemServices** services) override;

    // root\wmi, also written with a local-machine prefix or forward slashes.
    static bool IsFirmwareNamespace(const wchar_t* resource);

private:
    CLocator() = default;
};

} // namespace sim
