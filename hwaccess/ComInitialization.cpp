#include "ComInitialization.h"

#include <objbase.h>

ComInitialization::ComInitialization() {
    result_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(result_)) return;
    initialised_ = true;
    // Someone else in the process may have set security first; that is fine.
    const HRESULT security = ::CoInitializeSecurity(
        nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_CONNECT, RPC_C_IMP_LEVEL_IDENTIFY,
        nullptr, EOAC_NONE, nullptr);
    if (SUCCEEDED(security) || security == RPC_E_TOO_LATE) return;
    result_ = E_FAIL;
    ::CoUninitialize();
    initialised_ = false;
}

ComInitialization::~ComInitialization() {
    if (initialised_) ::CoUninitialize();
}
