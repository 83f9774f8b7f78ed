#pragma once
#include "BrightnessDlg.h"
#include "VolumeDlg.h"

#include <memory>

// The brightness and volume displays of an OSD style (0..3; any other
// value gives the default style 2). Their windows are made on demand.
std::unique_ptr<CBrightnessDlg> CreateBrightnessDlg(int osdStyle, const BrightnessDlgParams& params);
std::unique_ptr<CVolumeDlg> CreateVolumeDlg(int osdStyle, HWND owner);
