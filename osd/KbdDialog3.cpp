#include "KbdDialog3.h"

bool CKbdDialog3::Refresh(bool absolute)
{
    if (!absolute) {
        const CKeyboardFunctionBios::LightState state = Bios().ReadLightState(false);
        SetLevel(state.answered ? state.level : 0);
    }
    return false;
}
