#pragma once
#include "RadioDlg.h"
#include "UniqueHandle.h"

#include <algorithm>
#include <array>
#include <vector>

// Dialog style: one picture per installed radio, on or off, side by side on
// a pale face (without the radio function, one picture of the older radio
// state). The user may drag it; it closes 2 s after the last key and comes
// back where it was left.
class CRadioDlg1 : public CRadioDlg {
public:
    explicit CRadioDlg1(const RadioDlgParams& params);
    ~CRadioDlg1() override;

    void Refresh() override;
    void Start() override;
    // Without the radio function, or without an installed radio, the older state's picture.
    bool HasPictures() const override { return true; }

    static constexpr int kMaxPictures = 3;
    // The picture controls in use, left to right (for the tests).
    int PictureCount() const { return m_count; }

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void RestartTimer();
    void SavePosition();

    std::vector<UINT> m_pictures;
    bool m_legacy = false;
    std::array<HWND, kMaxPictures> m_controls{};
    std::array<UniqueGdiObject, kMaxPictures> m_bitmaps;
    UniqueGdiObject m_face;
    POINT m_saved{};
    int m_count = 0;
    bool m_timerRunning = false;
};
