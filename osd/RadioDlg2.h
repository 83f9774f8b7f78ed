#pragma once
#include "DibSection.h"
#include "OsdGeometry.h"
#include "RadioDlg.h"

// Panel style: the installed radios' symbols, on or off, side by side on a
// translucent slate-blue panel. Not shown without an installed radio;
// closes 3 s after the last key.
class CRadioDlg2 : public CRadioDlg {
public:
    explicit CRadioDlg2(const RadioDlgParams& params);
    ~CRadioDlg2() override;

    void Refresh() override;
    void Start() override;

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void Place();

    std::vector<UINT> m_pictures;
    osd_geometry::OsdSize m_screen;
    osd_geometry::OsdRect m_place;
    CDibSection m_buffer;
};
