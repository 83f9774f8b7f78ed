#pragma once
#include "K7_Outline.h"
#include "RadioDlg3.h"

// Outline style: the radio symbol, on or off, centred on a rounded panel of
// the screen's size class, placed like the level displays.
class CRadioDlg4_K7 : public CRadioDlg3, public K7_Outline {
public:
    explicit CRadioDlg4_K7(const RadioDlgParams& params);
    ~CRadioDlg4_K7() override;

    void PlaceBitmap(UINT pictureId) override;
    void DrawBitmap(HWND window, UINT tile) override;
    void FadeBitmap(HWND window, int percent) override;
};
