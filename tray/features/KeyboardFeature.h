#pragma once
#include "KeyboardDll.h"
#include "OemKeyList.h"
#include "TrayContext.h"
#include "TrayFeature.h"

// The keyboard DLL with its hook and key reader, where the installation asks for it.
class CKeyboardFeature : public ITrayFeature {
public:
    explicit CKeyboardFeature(const TrayContext& context) : m_context(context) {}

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void Start() override;
    void Stop() override { m_keyboard.Stop(); }

private:
    const TrayContext& m_context;
    COemKeyList m_oemKeys;
    CKeyboardDll m_keyboard;
};
