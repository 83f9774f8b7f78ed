#include "AlertBoxes.h"

#include "MessageCatalogue.h"
#include "TavrinStrings.h"
#include "TextLoader.h"

namespace {

void ShowOnItsThread(const std::wstring& text)
{
    ::MessageBoxW(nullptr, text.c_str(), messages::kTrayTitle, MB_SYSTEMMODAL | MB_ICONWARNING);
}

} // namespace

CAlertBoxes::CAlertBoxes(std::function<HWND()> window)
    : m_window(std::move(window))
    , m_adapter(&ShowOnItsThread, [this](const std::wstring& text) { ShowInPlace(text); })
    , m_battery(&ShowOnItsThread, [this](const std::wstring& text) { ShowInPlace(text); })
{}

bool CAlertBoxes::Show(AlertBox box, const std::wstring& text)
{
    switch (box) {
    case AlertBox::Adapter:
        return m_adapter.Show(text);
    case AlertBox::Battery:
        return m_battery.Show(text);
    case AlertBox::Dock:
        ShowInPlace(text);
        return true;
    case AlertBox::Numbered:
        ::MessageBoxW(Owner(), text.c_str(), texts::LoadSelected(IDS_APP_TITLE).c_str(), MB_OK);
        return true;
    }
    return true;
}

HWND CAlertBoxes::Owner() const
{
    const HWND window = m_window();
    if (window == nullptr || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    return window;
}

void CAlertBoxes::ShowInPlace(const std::wstring& text) const
{
    ::MessageBoxW(Owner(), text.c_str(), messages::kTrayTitle, MB_ICONWARNING | MB_TOPMOST);
}
