#pragma once
#include "BatteryOrderDlg.h"

// The K7 sheet's "Battery Health" page: its own template and the K7 texts.
class CBatteryOrderDlg_K7 : public CBatteryOrderDlg {
public:
    CBatteryOrderDlg_K7(IBiosCalls& bios, const CSettings& settings);
};
