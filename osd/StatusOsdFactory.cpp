#include "StatusOsdFactory.h"

#include "KbdDialog1.h"
#include "KbdDialog2.h"
#include "KbdDialog3.h"
#include "RadioDlg1.h"
#include "RadioDlg2.h"
#include "RadioDlg3.h"
#include "RadioDlg4_K7.h"

std::unique_ptr<CRadioDlg> CreateRadioDlg(int osdStyle, const RadioDlgParams& params)
{
    switch (osdStyle) {
    case 0:
        return std::make_unique<CRadioDlg1>(params);
    case 1:
        return std::make_unique<CRadioDlg2>(params);
    case 3:
        return std::make_unique<CRadioDlg4_K7>(params);
    default:
        return std::make_unique<CRadioDlg3>(params);
    }
}

std::unique_ptr<CKbdDialog> CreateKbdDialog(int osdStyle, const KbdDialogParams& params)
{
    switch (osdStyle) {
    case 0:
        return std::make_unique<CKbdDialog1>(params);
    case 1:
        return std::make_unique<CKbdDialog2>(params);
    default:
        return std::make_unique<CKbdDialog3>(params);
    }
}
