#pragma once
#include "KbdDialog.h"
#include "RadioDlg.h"

#include <memory>

// The radio and keyboard-light displays of an OSD style (0..3; any other
// value gives the default style 2). Their windows are made on demand.
std::unique_ptr<CRadioDlg> CreateRadioDlg(int osdStyle, const RadioDlgParams& params);
std::unique_ptr<CKbdDialog> CreateKbdDialog(int osdStyle, const KbdDialogParams& params);
