#include "OsdFactory.h"

#include "BrightnessDlg1.h"
#include "BrightnessDlg2.h"
#include "BrightnessDlg3.h"
#include "BrightnessDlg4_K7.h"
#include "EjectDialog3.h"
#include "KbdLedDialog2.h"
#include "KbdLedDialog3.h"
#include "KbdLedDialog4_K7.h"
#include "VolumeDlg1.h"
#include "VolumeDlg2.h"
#include "VolumeDlg3.h"
#include "VolumeDlg4_K7.h"

std::unique_ptr<CBrightnessDlg> CreateBrightnessDlg(int osdStyle, const BrightnessDlgParams& params)
{
    switch (osdStyle) {
    case 0:
        return std::make_unique<CBrightnessDlg1>(params);
    case 1:
        return std::make_unique<CBrightnessDlg2>(params);
    case 3:
        return std::make_unique<CBrightnessDlg4_K7>(params);
    default:
        return std::make_unique<CBrightnessDlg3>(params);
    }
}

std::unique_ptr<CVolumeDlg> CreateVolumeDlg(int osdStyle, HWND owner)
{
    switch (osdStyle) {
    case 0:
        return std::make_unique<CVolumeDlg1>(owner);
    case 1:
        return std::make_unique<CVolumeDlg2>(owner);
    case 3:
        return std::make_unique<CVolumeDlg4_K7>(owner);
    default:
        return std::make_unique<CVolumeDlg3>(owner);
    }
}

std::unique_ptr<CKbdLedDialog> CreateKbdLedDlg(int osdStyle, const LockKeyChoice& choice,
                                               ILockIndicators& indicators)
{
    switch (osdStyle) {
    case 0:
        return nullptr;
    case 1:
        return std::make_unique<CKbdLedDialog2>(choice, indicators);
    case 3:
        return std::make_unique<CKbdLedDialog4_K7>(choice, indicators);
    default:
        return std::make_unique<CKbdLedDialog3>(choice, indicators);
    }
}

std::unique_ptr<CEjectDialog> CreateEjectDlg(int osdStyle)
{
    if (osdStyle == 0 || osdStyle == 1) return nullptr;
    return std::make_unique<CEjectDialog3>();
}
