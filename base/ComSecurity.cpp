#include "ComSecurity.h"

#include <windows.h>

#include <objbase.h>

bool InitializeComSecurity()
{
    const HRESULT result = ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_CONNECT,
                                                  RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
    return SUCCEEDED(result) || result == RPC_E_TOO_LATE;
}
