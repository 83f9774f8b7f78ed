#pragma once
#include <windows.h>

// COM for the constructing thread, apartment-threaded. Uninitialises on
// destruction only when this object initialised COM. The process's call
// security is set apart, once (InitializeComSecurity).
class ComInitialization {
public:
    ComInitialization();
    ~ComInitialization();
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

    bool Initialised() const { return m_initialised; }

private:
    bool m_initialised = false;
};
