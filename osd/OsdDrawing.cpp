#include "OsdDrawing.h"

#include "UniqueHandle.h"

namespace osd_drawing {

osd_geometry::OsdSize DesktopSize()
{
    RECT desktop{};
    if (!::GetWindowRect(::GetDesktopWindow(), &desktop)) return {};
    return {desktop.right - desktop.left, desktop.bottom - desktop.top};
}

namespace {

UniqueGdiObject LoadBitmapResource(UINT id, HMODULE module)
{
    return UniqueGdiObject(::LoadImageW(module ? module : ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadPicture(UINT id, HMODULE module)
{
    UniqueGdiObject bitmap = LoadBitmapResource(id, module);
    if (!bitmap) return nullptr;
    // GDI+ copies the pixels, so the GDI bitmap can go at once.
    auto picture = std::make_unique<Gdiplus::Bitmap>(static_cast<HBITMAP>(bitmap.get()), nullptr);
    if (picture->GetLastStatus() != Gdiplus::Ok || picture->GetWidth() == 0) return nullptr;
    return picture;
}

osd_geometry::OsdSize PictureSize(UINT id, HMODULE module)
{
    UniqueGdiObject bitmap = LoadBitmapResource(id, module);
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap.get(), sizeof(info), &info) != sizeof(info)) return {};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

CCanvas::CCanvas(CDibSection& surface)
{
    if (!surface.IsValid()) return;
    ::GdiFlush();
    m_target
        = std::make_unique<Gdiplus::Bitmap>(surface.Width(), surface.Height(), surface.Stride(),
                                            PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(surface.Bits()));
    if (m_target->GetLastStatus() != Gdiplus::Ok) return;
    m_graphics = std::make_unique<Gdiplus::Graphics>(m_target.get());
    if (m_graphics->GetLastStatus() != Gdiplus::Ok) return;
    m_graphics->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    m_graphics->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

void CCanvas::DrawPicture(Gdiplus::Bitmap* picture, const osd_geometry::OsdRect& place,
                          Gdiplus::ImageAttributes* attributes)
{
    if (!picture || !IsReady()) return;
    const Gdiplus::Rect target(place.x, place.y, place.width, place.height);
    m_graphics->DrawImage(picture, target, 0, 0, static_cast<INT>(picture->GetWidth()),
                          static_cast<INT>(picture->GetHeight()), Gdiplus::UnitPixel, attributes);
}

void CCanvas::DrawPicture(Gdiplus::Bitmap* picture, POINT at, Gdiplus::ImageAttributes* attributes)
{
    if (!picture) return;
    DrawPicture(picture,
                {at.x, at.y, static_cast<int>(picture->GetWidth()), static_cast<int>(picture->GetHeight())},
                attributes);
}

std::unique_ptr<Gdiplus::FontFamily> FindFontFamily(std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        auto family = std::make_unique<Gdiplus::FontFamily>(name);
        if (family->GetLastStatus() == Gdiplus::Ok && family->IsAvailable()) return family;
    }
    return nullptr;
}

bool Present(HWND window, const CDibSection& surface, POINT at, const BLENDFUNCTION& blend, COLORREF key,
             DWORD flags)
{
    if (!window || !surface.IsValid()) return false;
    ::GdiFlush();
    SIZE size{surface.Width(), surface.Height()};
    POINT origin{0, 0};
    BLENDFUNCTION copy = blend;
    return ::UpdateLayeredWindow(window, nullptr, &at, &size, surface.Dc(), &origin, key, &copy, flags)
           != FALSE;
}

void MakeDrawnOpaque(CDibSection& surface)
{
    if (!surface.IsValid()) return;
    ::GdiFlush();
    uint32_t* pixel = surface.Bits();
    uint32_t* const end
        = pixel + static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height());
    for (; pixel != end; ++pixel)
        if (*pixel != 0) *pixel |= 0xFF000000u;
}

} // namespace osd_drawing
