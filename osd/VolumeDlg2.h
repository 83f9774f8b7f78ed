#pragma once
#include "DibSection.h"
#include "OsdGeometry.h"
#include "VolumeDlg.h"

// Panel style: the speaker (crossed when muted) on a translucent blue panel
// over a bar of 25 segments. Closes 2 s after the last change.
class CVolumeDlg2 : public CVolumeDlg {
public:
    explicit CVolumeDlg2(HWND owner);
    ~CVolumeDlg2() override;

    void ShowVolume(int level, int range, bool muted) override;

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void Place();

    osd_geometry::OsdSize m_screen;
    osd_geometry::PanelLayout m_layout;
    CDibSection m_buffer;
};
