#include "ComInitialization.h"

#include <objbase.h>

ComInitialization::ComInitialization()
    : m_initialised(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
{}

ComInitialization::~ComInitialization()
{
    if (m_initialised) ::CoUninitialize();
}
