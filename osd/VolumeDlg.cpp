#include "VolumeDlg.h"

CVolumeDlg::CVolumeDlg(HWND owner) : COsdDialog(kTemplateId, owner) {}
