#pragma once
#include <windows.h>

// COM for the constructing thread, with the process's default call security.
// Uninitialises on destruction only when this object initialised COM.
class ComInitialization {
public:
    ComInitialization();
    ~ComInitialization();
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

    HRESULT Result() const { return result_; }
    bool Initialised() const { return initialised_; }

private:
    HRESULT result_ = E_FAIL;
    bool initialised_ = false;
};
