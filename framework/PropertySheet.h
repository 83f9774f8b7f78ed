#pragma once
#include "MessagePreFilter.h"
#include "Wnd.h"
#include <string>
#include <vector>

class CPropertyPage;

// A property sheet over the system's, modal or modeless, whose pages are
// CPropertyPage objects added and removed also while it is open. The sheet
// does not own its pages; a page leaving takes itself out. The sheet's own
// window is wrapped: its messages reach WindowProc and the CWnd handlers
// (OnTimer, OnCommand, OnDestroy; OnClose cancels). An open modeless sheet
// is in the thread's message-filter chain, which gives it its keyboard and
// destroys it once OK or Cancel ended it.
class CPropertySheet : public CWnd, private IMessagePreFilter {
public:
    // flags: further PSH_* flags (for example PSH_NOAPPLYNOW).
    explicit CPropertySheet(std::wstring title, DWORD flags = 0, HINSTANCE module = nullptr);
    ~CPropertySheet() override;

    // Appended after the pages there are; false when it is in a sheet already
    // or the open sheet refused it.
    bool AddPage(CPropertyPage& page);
    bool RemovePage(CPropertyPage& page);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // -1 when the page is not in this sheet.
    int PageIndex(const CPropertyPage& page) const;

    // Before opening: the page shown first.
    bool SetActivePage(int index);
    // -1 when the sheet is not open.
    int ActivePageIndex() const;

    // The system's result (above 0 when OK or Apply applied the pages, 0
    // when cancelled); -1 when it could not be shown; 0 and brought forward
    // when already open.
    INT_PTR DoModal(HWND owner);
    // Opens the sheet and returns at once, or brings it forward.
    bool CreateModeless(HWND owner);
    bool IsModal() const { return m_modal; }

protected:
    // The sheet's window exists and is not shown yet (hide or move buttons).
    virtual void OnInitSheet() {}
    void OnClose() override;

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    HWND Open(HWND owner, bool modeless, INT_PTR& result);
    void Wrap(HWND hwnd);
    void Unwrap();
    void NoteEnd() const;
    bool PreTranslateMessage(MSG& msg) override;
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
    static LRESULT CALLBACK SheetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    std::wstring m_title;
    DWORD m_flags;
    HINSTANCE m_module;
    std::vector<CPropertyPage*> m_pages;
    int m_startPage = 0;
    bool m_modal = false;
    WNDPROC m_sheetProc = nullptr;
};
