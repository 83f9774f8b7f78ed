#pragma once
#include "Dialog.h"
#include <prsht.h>
#include <string>

class CPropertySheet;

// A page of a CPropertySheet from a child dialog template (its caption is
// the tab's text). The sheet's notices reach OnSetActive, OnKillActive,
// OnApply and OnReset. Its window exists from the first time the page is
// shown until it is removed or the sheet closes; the object outlives that
// and may be added again.
class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, HINSTANCE module = nullptr);
    // Takes the page out of the sheet it is in.
    ~CPropertyPage() override;

    CPropertySheet* Sheet() const { return m_sheet; }
    // The tab's text instead of the template's caption; taken when the page
    // is next added to an open sheet or the sheet opens.
    void SetTitle(std::wstring title) { m_title = std::move(title); }
    const std::wstring& Title() const { return m_title; }
    // Enables the sheet's Apply button for this page, or withdraws that.
    void SetModified(bool changed = true);

protected:
    // false: the page refuses to become active.
    virtual bool OnSetActive() { return true; }
    // false: the user stays on this page (invalid input).
    virtual bool OnKillActive() { return true; }
    // OK or Apply; false keeps the sheet open on this page.
    virtual bool OnApply() { return true; }
    // Cancel.
    virtual void OnReset() {}

    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class CPropertySheet;
    PROPSHEETPAGEW Description();
    bool IsSheetNotice(const NMHDR& header) const;
    INT_PTR SheetNotice(const NMHDR& header);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    CPropertySheet* m_sheet = nullptr;
    std::wstring m_title;
};
