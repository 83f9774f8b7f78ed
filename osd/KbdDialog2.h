#pragma once
#include "DibSection.h"
#include "KbdDialog.h"
#include "OsdGeometry.h"

// Panel style: the keyboard symbol lit or dark on the radio display's
// panel, with the level number when the light has several levels. Not shown
// when the firmware reports no keyboard light; closes 2 s after the last key.
class CKbdDialog2 : public CKbdDialog {
public:
    explicit CKbdDialog2(const KbdDialogParams& params);
    ~CKbdDialog2() override;

    bool Refresh(bool absolute) override;

protected:
    BOOL OnInitDialog() override;
    void OnShowDisplay() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void Draw();

    osd_geometry::OsdRect m_place;
    CDibSection m_buffer;
};
