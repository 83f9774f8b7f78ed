#include "BatteryPropertySheet.h"

#include "BatteryStatusPage.h"
#include "MessageCatalogue.h"
#include "MeterTimerIds.h"

#include <commctrl.h>

CBatteryPropertySheet::CBatteryPropertySheet(IBiosCalls& bios, IDeviceTree& tree, const CSettings& settings,
                                             std::wstring title, const CMeterCommandLine& commandLine)
    : CBatteryPropertySheet(bios, settings, std::move(title), commandLine,
                            std::make_unique<CBatteryStatusPage>(tree, bios),
                            std::make_unique<CBatteryOrderDlg>(bios, settings), PSH_NOAPPLYNOW)
{}

CBatteryPropertySheet::CBatteryPropertySheet(IBiosCalls& bios, const CSettings&, std::wstring title,
                                             const CMeterCommandLine& commandLine,
                                             std::unique_ptr<CMeterStatusPage> status,
                                             std::unique_ptr<CBatteryOrderDlg> health, DWORD flags)
    : CPropertySheet(std::move(title), flags)
    , m_commandLine(commandLine)
    , m_status(std::move(status))
    , m_health(std::move(health))
    , m_dock(bios)
{
    if (m_commandLine.HealthIndex())
        m_health->OverrideHealth(*m_commandLine.HealthIndex(), m_health->SecondaryHealth());
    if (m_commandLine.PermanentFailure()) m_health->OverridePrimaryPermanentFailure(1);
}

CMeterCommandLine::Pages CBatteryPropertySheet::PageSet() const
{
    CMeterCommandLine::Pages pages;
    pages.count = PageCount();
    pages.health = PageIndex(*m_health);
    pages.desktopMode = DesktopModePageIndex();
    return pages;
}

bool CBatteryPropertySheet::Open()
{
    AddPage(*m_status);
    if (m_health->HasHealth()) AddPage(*m_health);
    m_status->RefreshBatteries();
    UpdateDockPage();
    SetActivePage(m_commandLine.FirstPage(PageSet(), IsK7()));
    return CreateModeless(nullptr);
}

void CBatteryPropertySheet::OnDestroy()
{
    ::PostQuitMessage(0);
}

void CBatteryPropertySheet::OnInitSheet()
{
    PutOkInPlaceOfCancel();
    m_stopMessage = messages::Register(messages::kStopTavrin);
    m_refreshMessage = messages::Register(messages::kTvrToBhmRefresh);
    SetTimer(static_cast<UINT_PTR>(MeterTimer::Refresh), kMeterRefreshMs);
    // Brought in front of whatever started it, without staying on top.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CBatteryPropertySheet::PutOkInPlaceOfCancel()
{
    const HWND ok = ::GetDlgItem(m_hWnd, IDOK);
    const HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
    if (!ok || !cancel) return;
    RECT place{};
    ::GetWindowRect(cancel, &place);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    ::ShowWindow(cancel, SW_HIDE);
    ::SetWindowPos(ok, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBatteryPropertySheet::OnTimer(UINT_PTR id)
{
    if (id == static_cast<UINT_PTR>(MeterTimer::Refresh)) Refresh();
}

void CBatteryPropertySheet::Refresh()
{
    UpdateDockPage();
    m_status->RefreshBatteries();
    const int active = ActivePageIndex();
    if (active >= 0 && active == PageIndex(m_dock))
        m_dock.ShowBattery();
    else
        m_status->ShowBatteries();
}

void CBatteryPropertySheet::UpdateDockPage()
{
    const bool present = m_dock.Update();
    const bool inSheet = PageIndex(m_dock) >= 0;
    if (present && !inSheet) AddPage(m_dock);
    if (!present && inSheet) RemovePage(m_dock);
}

void CBatteryPropertySheet::OnHealthRefresh()
{
    const int index = PageIndex(*m_health);
    if (index < 0) {
        // Added only once a battery reports a health; an empty page helps nobody.
        m_health->QueryHealth();
        if (m_health->HasHealth()) AddPage(*m_health);
        return;
    }
    if (ActivePageIndex() == index) m_health->RefreshHealth();
}

LRESULT CBatteryPropertySheet::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (messages::Matches(msg, m_stopMessage)) {
        ::PostQuitMessage(0);
        return 0;
    }
    if (messages::Matches(msg, m_refreshMessage)) {
        OnHealthRefresh();
        return 0;
    }
    LRESULT result = 0;
    if (OnSheetMessage(msg, wp, lp, result)) return result;
    return CPropertySheet::WindowProc(msg, wp, lp);
}
