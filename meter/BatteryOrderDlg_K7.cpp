#include "BatteryOrderDlg_K7.h"

#include "MeterIds.h"

CBatteryOrderDlg_K7::CBatteryOrderDlg_K7(IBiosCalls& bios, const CSettings& settings)
    : CBatteryOrderDlg(IDD_HEALTH_K7, bios, settings, true)
{}
