#pragma once
#include "Dialog.h"

#include <string>

class COSBatteryClass;

// "Battery Information": a battery's name, identifier, manufacturer and
// chemistry, with a Close button.
class CBattInfo : public CDialog {
public:
    CBattInfo();

    // Shows the battery's identity as it was last read.
    INT_PTR Show(HWND owner, const COSBatteryClass& battery);

protected:
    BOOL OnInitDialog() override;

private:
    std::wstring m_values[4];
};
