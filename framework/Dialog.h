#pragma once
#include "Wnd.h"
#include <functional>
#include <vector>

// A dialog from a template resource, modal or modeless. Messages reach one
// virtual handler, DialogMessage; WM_COMMAND goes to the handler bound to the
// control id, with IDOK and IDCANCEL ending in OnOK and OnCancel. A dialog
// that is already open is brought forward, never opened twice.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HINSTANCE module = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or EndDialog's result; -1 when it could not be shown.
    // When the dialog is already open it is brought forward and 0 returned.
    INT_PTR DoModal(HWND owner);
    // Opens the dialog without a loop of its own, or brings it forward.
    bool CreateModeless(HWND owner);
    bool IsModal() const { return m_modal; }
    void BringToFront() const;

    // Closes the dialog with a result (modal) or destroys it (modeless).
    void EndDialog(INT_PTR result);

    // Gives a keyboard message to the modeless dialog it belongs to; true
    // when the dialog took it.
    static bool PreTranslateMessage(MSG& msg);

protected:
    using CommandHandler = std::function<void(UINT code)>;
    // Binds a control id to a handler (usually in the constructor).
    void OnCommandId(UINT id, CommandHandler handler);

    // TRUE when the message was handled. The default runs OnInitDialog and
    // the command table.
    virtual INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp);
    // Return value as WM_INITDIALOG's (TRUE: default focus).
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // For derived dialog kinds whose system procedure hands `this` over
    // differently (property pages): store it and route to DialogMessage.
    static CDialog* Attach(HWND hwnd, CDialog* self);
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

private:
    bool RunCommand(UINT id, UINT code);
    void Forget();

    struct Binding {
        UINT id;
        CommandHandler handler;
    };
    UINT m_templateId;
    HINSTANCE m_module;
    bool m_modal = false;
    std::vector<Binding> m_commands;
};
