// The exported checksum functions, over the button-scheme tree in the
// 64-bit view of HKLM.
#include "BrsChecksum.h"

namespace {
constexpr const wchar_t* kBriscoKey = L"SOFTWARE\\Corvane Computer Corporation\\Brisco";

// Made per call: a function-local static would need the C++ runtime's guard.
BrsChecksum Brisco()
{
    return BrsChecksum(HKEY_LOCAL_MACHINE, kBriscoKey);
}

bool ValidNumber(int n)
{
    return n >= 1;
}
} // namespace

extern "C" {

BOOL WINAPI SetButtonCheckSum(int scheme, int button)
{
    return ValidNumber(scheme) && ValidNumber(button) && Brisco().SetButtonCheckSum(scheme, button);
}

BOOL WINAPI SetSchemeCheckSum(int scheme)
{
    return ValidNumber(scheme) && Brisco().SetSchemeCheckSum(scheme);
}

BOOL WINAPI SetBRSCheckSum(int mode)
{
    return Brisco().SetBRSCheckSum(mode);
}

BOOL WINAPI VerifyBRSCheckSum()
{
    return Brisco().VerifyBRSCheckSum();
}

} // extern "C"
