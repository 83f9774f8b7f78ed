#include "StaticEx.h"

#include <commctrl.h>
#include <cwchar>

namespace {

// Any number that is this class's own on the label.
constexpr UINT_PTR kSubclassId = 0x5E7A;

} // namespace

CStaticEx::CStaticEx(CDialog& owner, UINT id, int size) : CStatic(owner, id), m_size(size) {}

CStaticEx::~CStaticEx()
{
    // The dialog's window may outlive its members: leave it as it was.
    Release();
}

void CStaticEx::OnAttached()
{
    HWND hwnd = GetSafeHwnd();
    ::SetWindowLongPtrW(hwnd, GWL_STYLE, ::GetWindowLongPtrW(hwnd, GWL_STYLE) | SS_NOTIFY);
    m_subclassed
        = ::SetWindowSubclass(hwnd, &CStaticEx::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));

    m_originalFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    HGDIOBJ current
        = m_originalFont ? static_cast<HGDIOBJ>(m_originalFont) : ::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTW font{};
    if (!::GetObjectW(current, sizeof(font), &font)) return;
    font.lfHeight = m_size == kSmallSize ? kSmallSize : kNormalHeight;
    font.lfWidth = 0;
    font.lfWeight = kWeight;
    font.lfQuality = CLEARTYPE_QUALITY;
    UseFont(font);
}

void CStaticEx::OnDetaching()
{
    Release();
}

void CStaticEx::Release()
{
    HWND hwnd = GetSafeHwnd();
    if (!hwnd) return;
    if (m_subclassed) ::RemoveWindowSubclass(hwnd, &CStaticEx::SubclassProc, kSubclassId);
    m_subclassed = false;
    if (m_font) Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_originalFont), FALSE);
    m_font.reset();
    m_originalFont = nullptr;
}

bool CStaticEx::UseFont(const LOGFONTW& font)
{
    UniqueGdiObject made(::CreateFontIndirectW(&font));
    if (!made) return false;
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
    // The label draws with the new font from now on; the old one can go.
    m_font = std::move(made);
    return true;
}

bool CStaticEx::SetFont(const wchar_t* face, int height, int weight)
{
    if (!IsAttached() || !m_font) return false;
    LOGFONTW font{};
    if (!::GetObjectW(m_font.get(), sizeof(font), &font)) return false;
    std::wmemset(font.lfFaceName, L'\0', LF_FACESIZE);
    if (face) std::wcsncpy(font.lfFaceName, face, kMaxFaceLength);
    font.lfHeight = height;
    font.lfWidth = 0;
    font.lfWeight = weight;
    font.lfUnderline = m_link ? TRUE : FALSE;
    font.lfQuality = CLEARTYPE_QUALITY;
    return UseFont(font);
}

void CStaticEx::Repaint() const
{
    if (IsAttached()) ::InvalidateRect(GetSafeHwnd(), nullptr, TRUE);
}

void CStaticEx::SetLink(bool link)
{
    m_link = link;
    Repaint();
}

void CStaticEx::SetBusy(bool busy)
{
    m_busy = busy;
}

void CStaticEx::SetLinkColour(COLORREF colour)
{
    m_linkColour = colour;
    Repaint();
}

void CStaticEx::SetNormalColour(COLORREF colour)
{
    m_normalColour = colour;
    m_hasNormalColour = true;
    Repaint();
}

COLORREF CStaticEx::TextColour() const
{
    if (m_link) return m_linkColour;
    return m_hasNormalColour ? m_normalColour : ::GetSysColor(COLOR_BTNTEXT);
}

LPCWSTR CStaticEx::CursorAt(POINT client) const
{
    if (m_busy) return IDC_APPSTARTING;
    RECT area{};
    const bool inside = IsAttached() && ::GetClientRect(GetSafeHwnd(), &area) && ::PtInRect(&area, client);
    return m_link && inside ? IDC_HAND : IDC_ARROW;
}

HBRUSH CStaticEx::ReflectedColor(HDC dc)
{
    ::SetTextColor(dc, TextColour());
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK CStaticEx::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self)
{
    if (msg == WM_SETCURSOR && self) {
        POINT point{};
        ::GetCursorPos(&point);
        ::ScreenToClient(hwnd, &point);
        ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<CStaticEx*>(self)->CursorAt(point)));
        return TRUE;
    }
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}
