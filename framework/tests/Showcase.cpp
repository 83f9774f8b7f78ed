// Opens a two-page sheet (on the given page) and a display window and keeps
// them up for the given seconds, for screenshots of the framework's windows
// at any DPI. Arguments: seconds, page index.
#include "App.h"
#include "ComboBox.h"
#include "Dpi.h"
#include "FrameworkTestIds.h"
#include "LayeredWnd.h"
#include "ListView.h"
#include "PropertyPage.h"
#include "PropertySheet.h"
#include "TrackBar.h"
#include <commctrl.h>
#include <cstdio>
#include <cwchar>

namespace {

class GeneralPage : public CPropertyPage {
public:
    GeneralPage() : CPropertyPage(IDD_TEST_PAGE_GENERAL) {}
};

class DetailsPage : public CPropertyPage {
public:
    DetailsPage() : CPropertyPage(IDD_TEST_PAGE_DETAILS) {}

protected:
    BOOL OnInitDialog() override
    {
        m_fan.SetRange(0, 8);
        m_fan.SetPosition(3);
        return TRUE;
    }

private:
    CTrackBar m_fan{*this, IDC_PAGE_SLIDER};
};

class ShowcaseApp : public CApp {
protected:
    bool InitInstance() override
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&init);
        m_sheet.AddPage(m_general);
        m_sheet.AddPage(m_details);
        m_sheet.SetActivePage(m_page);
        if (!m_sheet.CreateModeless(nullptr)) return false;
        ::SetWindowPos(m_sheet.GetSafeHwnd(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

        CDpi dpi(m_sheet.GetSafeHwnd());
        std::printf("sheet dpi %d\n", dpi.Value());
        const int width = dpi.Scale(200);
        const int height = dpi.Scale(60);
        RECT place{700, 500, 700 + width, 500 + height};
        if (!m_display.Create(place)) return false;
        Draw(dpi);
        m_display.SetColorKey(RGB(0, 0, 0));
        m_display.Present(178);
        ::SetTimer(nullptr, 0, static_cast<UINT>(m_seconds * 1000), &Quit);
        return true;
    }

public:
    int m_seconds = 10;
    int m_page = 0;

private:
    void Draw(const CDpi& dpi)
    {
        CDibSection& surface = m_display.Surface();
        surface.Fill(0xFF34679A);
        HDC dc = surface.Dc();
        // Rounded corners: the key colour (black) outside the panel.
        HRGN panel = ::CreateRoundRectRgn(0, 0, surface.Width() + 1, surface.Height() + 1, dpi.Scale(16),
                                          dpi.Scale(16));
        HRGN outside = ::CreateRectRgn(0, 0, surface.Width(), surface.Height());
        ::CombineRgn(outside, outside, panel, RGN_DIFF);
        ::FillRgn(dc, outside, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::DeleteObject(outside);
        ::DeleteObject(panel);
        HFONT font = ::CreateFontW(-dpi.Scale(18), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                   L"Tahoma");
        HGDIOBJ previous = ::SelectObject(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(255, 255, 255));
        RECT text{0, 0, surface.Width(), surface.Height()};
        ::DrawTextW(dc, L"Brightness 5 of 8", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, previous);
        ::DeleteObject(font);
    }
    static VOID CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); }

    GeneralPage m_general;
    DetailsPage m_details;
    CPropertySheet m_sheet{L"Vantor 14 Settings"};
    CLayeredWnd m_display;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    ShowcaseApp app;
    if (argc > 1) app.m_seconds = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
    if (argc > 2) app.m_page = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    return app.Main(::GetModuleHandleW(nullptr));
}
