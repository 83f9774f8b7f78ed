#include "TextFit.h"

#include "LanguageCatalogue.h"
#include "RcTable.h"
#include "UniqueHandle.h"

#include <cstring>
#include <memory>

namespace text_fit {
namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(
            static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

struct WindowCloser {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
using UniqueDialog = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

// A window's device context with a font selected, both given back on exit.
class FontDc {
public:
    FontDc(HWND window, HGDIOBJ font)
        : m_window(window), m_dc(::GetDC(window)), m_previous(::SelectObject(m_dc, font))
    {}
    ~FontDc()
    {
        ::SelectObject(m_dc, m_previous);
        ::ReleaseDC(m_window, m_dc);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;

    RECT Measure(const std::wstring& text, int width, UINT flags) const
    {
        RECT needed{0, 0, width, 0};
        ::DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &needed, flags | DT_CALCRECT);
        return needed;
    }

private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The style of a template, plain or extended (whose style follows the
// signature, help id and extended style).
DWORD TemplateStyle(const DLGTEMPLATE* layout)
{
    const auto* words = reinterpret_cast<const WORD*>(layout);
    if (words[1] != 0xFFFF) return layout->style;
    DWORD style = 0;
    std::memcpy(&style, words + 6, sizeof(style));
    return style;
}

// A hidden window that child templates (property pages) are created in.
HWND PageParent()
{
    static const UniqueDialog parent(
        ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr));
    return parent.get();
}

UniqueDialog CreateHidden(HMODULE module, WORD dialog)
{
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(dialog), RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const auto* layout = static_cast<const DLGTEMPLATE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!layout) return {};
    const HWND parent = (TemplateStyle(layout) & WS_CHILD) != 0 ? PageParent() : nullptr;
    return UniqueDialog(::CreateDialogIndirectParamW(module, layout, parent, QuietDialog, 0));
}

// How the control lays out its text: the room it has and DrawText's flags.
struct Layout {
    bool measured;
    int width;
    UINT flags;
};

Layout LayoutOf(HWND control)
{
    wchar_t className[32] = {};
    ::GetClassNameW(control, className, ARRAYSIZE(className));
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    RECT client{};
    ::GetClientRect(control, &client);
    const int width = client.right;
    if (_wcsicmp(className, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)
            return {true, width, DT_WORDBREAK | DT_EXPANDTABS | prefix};
        if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) return {true, width, DT_SINGLELINE | prefix};
        return {false, 0, 0};
    }
    if (_wcsicmp(className, L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        if (type == BS_GROUPBOX) return {true, width - 2 * ::GetSystemMetrics(SM_CXMENUCHECK), DT_SINGLELINE};
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            return {true, width - 4 * ::GetSystemMetrics(SM_CXEDGE), lines};
        return {true, width - ::GetSystemMetrics(SM_CXMENUCHECK) - 4, lines};
    }
    // A drop-down list shows one entry beside its arrow button.
    if (_wcsicmp(className, L"ComboBox") == 0)
        return {true, width - ::GetSystemMetrics(SM_CXVSCROLL) - 4 * ::GetSystemMetrics(SM_CXEDGE),
                DT_SINGLELINE | DT_NOPREFIX};
    return {false, 0, 0};
}

} // namespace

std::vector<WORD> Dialogs(HMODULE module)
{
    std::vector<WORD> dialogs;
    ::EnumResourceNamesW(module, RT_DIALOG, CollectDialog, reinterpret_cast<LONG_PTR>(&dialogs));
    return dialogs;
}

std::vector<ControlText> TemplateTexts(HMODULE module, WORD dialog)
{
    std::vector<ControlText> texts;
    const UniqueDialog window = CreateHidden(module, dialog);
    if (!window) return texts;
    int index = 0;
    for (HWND child = ::GetWindow(window.get(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[1024] = {};
        ::GetWindowTextW(child, text, ARRAYSIZE(text));
        texts.push_back({index++, static_cast<WORD>(::GetDlgCtrlID(child)), text});
    }
    return texts;
}

std::vector<std::string> DialogMisfits(HMODULE module, WORD dialog, const std::vector<ControlText>& texts)
{
    const UniqueDialog window = CreateHidden(module, dialog);
    if (!window) return {"dialog " + std::to_string(dialog) + " cannot be created"};
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window.get(), WM_GETFONT, 0, 0));
    std::vector<std::string> misfits;
    const FontDc dc(window.get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& [index, id, text] : texts) {
        HWND control = ::GetWindow(window.get(), GW_CHILD);
        for (int i = 0; i < index && control; ++i) control = ::GetWindow(control, GW_HWNDNEXT);
        const std::string where = "dialog " + std::to_string(dialog) + " control " + std::to_string(id);
        if (!control || static_cast<WORD>(::GetDlgCtrlID(control)) != id) {
            misfits.push_back(where + ": no such control");
            continue;
        }
        if (text.empty()) continue;
        const Layout layout = LayoutOf(control);
        if (!layout.measured) continue;
        RECT client{};
        ::GetClientRect(control, &client);
        const RECT needed = dc.Measure(text, layout.width, layout.flags);
        if (needed.right > layout.width || needed.bottom > client.bottom)
            misfits.push_back(where + ": \"" + rc_table::Utf8(text) + "\" needs "
                              + std::to_string(needed.right) + "x" + std::to_string(needed.bottom)
                              + " px, has " + std::to_string(layout.width) + "x"
                              + std::to_string(client.bottom));
    }
    return misfits;
}

int MenuTextWidth(const std::wstring& text)
{
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return -1;
    const UniqueGdiObject font(::CreateFontIndirectW(&metrics.lfMenuFont));
    if (!font) return -1;
    return FontDc(nullptr, font.get()).Measure(text, 0, DT_SINGLELINE).right;
}

std::vector<LANGID> Languages(bool withPseudoLanguage)
{
    constexpr LANGID kEnglish = 1033;
    constexpr LANGID kPseudoLanguage = 0x0501;
    std::vector<LANGID> ids{kEnglish};
    for (const auto& language : language_catalogue::Translations()) ids.push_back(language.id);
    if (withPseudoLanguage) ids.push_back(kPseudoLanguage);
    return ids;
}

UniqueModule LoadProgramImage(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, length);
    file.erase(file.find_last_of(L"\\/") + 1);
    return UniqueModule(::LoadLibraryExW((file + name).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

} // namespace text_fit
