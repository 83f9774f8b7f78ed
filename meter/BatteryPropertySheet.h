#pragma once
#include "BatteryOrderDlg.h"
#include "DockBatteryPage.h"
#include "MeterCommandLine.h"
#include "MeterStatusPage.h"
#include "PropertySheet.h"

#include <memory>
#include <string>

class IBiosCalls;
class IDeviceTree;
class CSettings;

// The classic battery meter sheet: status page, health page while a battery
// reports its health, dock page while the docking station holds a battery.
// Every 5 seconds it reads the batteries again; it quits on "Stop Tavrin" and
// reads the health again on the tray's refresh message.
class CBatteryPropertySheet : public CPropertySheet {
public:
    CBatteryPropertySheet(IBiosCalls& bios, IDeviceTree& tree, const CSettings& settings, std::wstring title,
                          const CMeterCommandLine& commandLine);

    // Builds the page set, chooses the first page and opens the sheet. It
    // runs in the program's own message loop (which gives it the keyboard,
    // Ctrl+Tab included) and ends that loop when its window goes.
    bool Open();

    int HealthPageIndex() const { return PageIndex(*m_health); }
    int DockPageIndex() const { return PageIndex(m_dock); }
    // -1: this sheet has none.
    virtual int DesktopModePageIndex() const { return -1; }

protected:
    // The K7 variant's pages and flags.
    CBatteryPropertySheet(IBiosCalls& bios, const CSettings& settings, std::wstring title,
                          const CMeterCommandLine& commandLine, std::unique_ptr<CMeterStatusPage> status,
                          std::unique_ptr<CBatteryOrderDlg> health, DWORD flags);

    virtual bool IsK7() const { return false; }
    // The variant's own messages; true when handled (result set).
    virtual bool OnSheetMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, LRESULT& /*result*/)
    {
        return false;
    }

    void OnInitSheet() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    CMeterStatusPage& Status() { return *m_status; }
    CBatteryOrderDlg& Health() { return *m_health; }
    const CMeterCommandLine& CommandLine() const { return m_commandLine; }
    bool SelectPage(int index) { return index >= 0 && SetActivePage(index); }

private:
    void Refresh();
    void UpdateDockPage();
    void OnHealthRefresh();
    void PutOkInPlaceOfCancel();
    CMeterCommandLine::Pages PageSet() const;

    const CMeterCommandLine& m_commandLine;
    std::unique_ptr<CMeterStatusPage> m_status;
    std::unique_ptr<CBatteryOrderDlg> m_health;
    CDockBatteryPage m_dock;
    UINT m_stopMessage = 0;
    UINT m_refreshMessage = 0;
};
