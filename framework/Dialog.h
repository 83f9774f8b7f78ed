#pragma once
#include "ControlRoutes.h"
#include "MessagePreFilter.h"
#include "Wnd.h"
#include <vector>

class CControl;

// A dialog from a template resource, modal or modeless. Messages reach one
// virtual handler, DialogMessage, whose default gives them to the handlers
// CWnd offers (OnTimer, OnClose, OnDestroy, OnCommand) and to the handlers
// bound to control ids: WM_COMMAND first to the bound handler, then
// OnCommand, with IDOK and IDCANCEL ending in OnOK and OnCancel; WM_NOTIFY,
// WM_HSCROLL and WM_CTLCOLOR* to their bound handlers (WM_CTLCOLOR* with no
// handler to the control's wrapper). A dialog starts in
// OnInitDialog (it sees no WM_CREATE). A dialog that is already open is
// brought forward, never opened twice. An open modeless dialog is in the
// thread's message-filter chain, which gives it its keyboard messages.
class CDialog : public CWnd, private IMessagePreFilter {
public:
    explicit CDialog(UINT templateId, HINSTANCE module = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or EndDialog's result; -1 when it could not be shown.
    // When the dialog is already open it is brought forward and 0 returned.
    INT_PTR DoModal(HWND owner);
    // Opens the dialog without a loop of its own, or brings it forward.
    bool CreateModeless(HWND owner);
    bool IsModal() const { return m_modal; }

    // Closes the dialog with a result (modal) or destroys it (modeless).
    void EndDialog(INT_PTR result);

protected:
    // Binding an id again replaces its handler (usually bound in the constructor).
    void OnCommandId(UINT id, CControlRoutes::CommandHandler handler);
    void OnNotifyId(UINT id, UINT code, CControlRoutes::NotifyHandler handler);
    void OnScrollId(UINT id, CControlRoutes::ScrollHandler handler);
    void OnColorId(UINT id, CControlRoutes::ColorHandler handler);

    // TRUE when the message was handled.
    virtual INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Return value as WM_INITDIALOG's (TRUE: default focus). The dialog's
    // control wrappers are attached by then.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Closing by the caption button or Alt+F4 cancels.
    void OnClose() override { OnCancel(); }

    UINT TemplateId() const { return m_templateId; }
    HINSTANCE Module() const { return m_module; }

    // For derived dialog kinds whose system procedure hands `this` over
    // differently (property pages): lp of WM_INITDIALOG must be the CDialog*.
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    friend class CControl;
    void AddControl(CControl& control);
    void RemoveControl(CControl& control);
    void AttachControls(HWND hwnd);

    static CDialog* Attach(HWND hwnd, CDialog* self);
    bool PreTranslateMessage(MSG& msg) override;
    INT_PTR Command(UINT id, UINT code, HWND control);
    INT_PTR Notify(const NMHDR& header);
    // The bound handler's brush, else the control wrapper's own.
    HBRUSH Color(HWND control, HDC dc);
    void Forget();

    UINT m_templateId;
    HINSTANCE m_module;
    bool m_modal = false;
    CControlRoutes m_routes;
    std::vector<CControl*> m_controls;
};
