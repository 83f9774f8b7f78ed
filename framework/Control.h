#pragma once
#include <string>
#include <windows.h>

class CDialog;

// A control of a dialog's template, reached by its id. The dialog owns the
// control's window and attaches every wrapper it owns when its window is
// made, detaching them when it goes; a detached wrapper does nothing and
// answers empty values.
class CControl {
public:
    // Registers with the owning dialog, which must outlive the wrapper.
    CControl(CDialog& owner, UINT id);
    virtual ~CControl();
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    UINT Id() const { return m_id; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsAttached() const { return m_hWnd != nullptr; }

    bool SetText(const std::wstring& text);
    std::wstring Text() const;
    void Enable(bool enable);
    bool IsEnabled() const;
    void Show(bool show);
    bool IsVisible() const;

    // The brush for a WM_CTLCOLOR* message this control sends its dialog
    // when the dialog bound no handler to its id; null leaves the default.
    virtual HBRUSH ReflectedColor(HDC) { return nullptr; }

protected:
    // Once the wrapper has its window (when the dialog's window is made), and
    // before it lets the window go. A wrapper made while its dialog is open
    // is attached before it is complete and sees no OnAttached.
    virtual void OnAttached() {}
    virtual void OnDetaching() {}

    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
    // A count the control answers to msg; 0 when detached or on an error.
    int SendCount(UINT msg) const;

private:
    friend class CDialog;
    void Attach(HWND dialog);

    CDialog& m_owner;
    UINT m_id;
    HWND m_hWnd = nullptr;
};
