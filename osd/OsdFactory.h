#pragma once
#include "BrightnessDlg.h"
#include "EjectDialog.h"
#include "KbdLedDialog.h"
#include "VolumeDlg.h"

#include <memory>

// The brightness and volume displays of an OSD style (0..3; any other
// value gives the default style 2). Their windows are made on demand.
std::unique_ptr<CBrightnessDlg> CreateBrightnessDlg(int osdStyle, const BrightnessDlgParams& params);
std::unique_ptr<CVolumeDlg> CreateVolumeDlg(int osdStyle, HWND owner);
// The lock-key display of a style: none in the dialog style.
std::unique_ptr<CKbdLedDialog> CreateKbdLedDlg(int osdStyle, const LockKeyChoice& choice,
                                               ILockIndicators& indicators);
// The eject display: only the bitmap and outline styles have one.
std::unique_ptr<CEjectDialog> CreateEjectDlg(int osdStyle);
