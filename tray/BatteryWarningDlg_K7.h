#pragma once
#include "BatteryWarningDlg.h"

#include <array>
#include <string>

// The battery-health pop-up of the newer style: it also tells of charging
// held off (health 4), in one text whose starred word is the link, laid out
// to the length of that text.
class CBatteryWarningDlg_K7 : public CBatteryWarningDlg {
public:
    explicit CBatteryWarningDlg_K7(MeterLauncher launchMeter) : CBatteryWarningDlg(std::move(launchMeter)) {}

    struct StarredText {
        std::wstring body; // the whole text without its stars
        std::wstring link; // the part between the first two stars
    };
    // Fewer than two stars: all of it is the body, the link is empty.
    static StarredText SplitAtStars(const std::wstring& text);

    // The window height for a body of that width on one line: two line
    // heights for every full window width the text spans, and a margin.
    static int HeightFor(int textWidth, int windowWidth, int lineHeight);

protected:
    bool SetUpTexts() override;
    void Place() override;

private:
    void MeasureTexts(const StarredText& texts);
    void KeepTemplateLayout();

    std::array<CControl*, 2> m_laidOut{&m_body, &m_link};
    std::array<RECT, 2> m_templateRects{};
    bool m_templateLayoutKept = false;

    SIZE m_bodyExtent{};
    SIZE m_linkExtent{};
    int m_lineHeight = 0;
};
