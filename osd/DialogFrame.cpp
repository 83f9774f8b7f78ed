#include "DialogFrame.h"

#include "DraggedDialog.h"

#include "OsdGeometry.h"
#include "Settings.h"

namespace {

constexpr int kCorner = 10;
constexpr int kBorderWidth = 2;

} // namespace

CDialogFrame::CDialogFrame(const Look& look)
    : m_look(look)
    , m_background(::CreateSolidBrush(look.background))
    , m_border(::CreateSolidBrush(look.border))
{}

UniqueGdiObject CDialogFrame::Shape(HWND dialog)
{
    RECT window{};
    ::GetWindowRect(dialog, &window);
    return UniqueGdiObject(
        ::CreateRoundRectRgn(0, 0, window.right - window.left, window.bottom - window.top, kCorner, kCorner));
}

void CDialogFrame::SetUp(HWND dialog)
{
    UniqueGdiObject shape = Shape(dialog);
    // The window owns the region once it took it.
    if (shape && ::SetWindowRgn(dialog, static_cast<HRGN>(shape.get()), FALSE)) shape.release();

    RECT window{};
    ::GetWindowRect(dialog, &window);
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const CSettings settings;
    // A failed read leaves (0, 0), which means the default place.
    const POINT saved{static_cast<LONG>(settings.ReadDword(m_look.xSetting, 0)),
                      static_cast<LONG>(settings.ReadDword(m_look.ySetting, 0))};
    const POINT place = osd_geometry::DialogPosition(
        saved, {window.right - window.left, window.bottom - window.top}, desktop);
    ::SetWindowPos(dialog, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CDialogFrame::PaintBorder(HWND dialog) const
{
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(dialog, &paint);
    if (dc) {
        UniqueGdiObject shape = Shape(dialog);
        if (shape)
            ::FrameRgn(dc, static_cast<HRGN>(shape.get()), static_cast<HBRUSH>(m_border.get()), kBorderWidth,
                       kBorderWidth);
    }
    ::EndPaint(dialog, &paint);
}

void CDialogFrame::SavePosition(HWND dialog) const
{
    dragged_dialog::SavePosition(dialog, m_look.xSetting, m_look.ySetting);
}

bool CDialogFrame::OnMessage(HWND dialog, UINT msg, LPARAM lp, const std::function<void()>& restartTimer,
                             INT_PTR& result) const
{
    switch (msg) {
    case WM_PAINT:
        PaintBorder(dialog);
        result = TRUE;
        return true;
    default:
        return dragged_dialog::OnMessage(dialog, msg, lp, restartTimer, result);
    }
}
