#pragma once
#include "BrightnessDlg.h"
#include "DibSection.h"
#include "OsdGeometry.h"

#include <optional>

// Panel style: the sun on a translucent blue panel over fifteen level bars,
// with the light sensor's state when the firmware answers for it. Closes
// 2 s after the last change.
class CBrightnessDlg2 : public CBrightnessDlg {
public:
    explicit CBrightnessDlg2(const BrightnessDlgParams& params);
    ~CBrightnessDlg2() override;

    void ShowLevel(int level) override;

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void Place();

    osd_geometry::OsdSize m_screen;
    osd_geometry::PanelLayout m_layout;
    osd_geometry::OsdSize m_symbol;
    bool m_alsAnswered = false;
    CDibSection m_buffer;
};
