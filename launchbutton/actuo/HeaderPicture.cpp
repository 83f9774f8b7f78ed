#include "HeaderPicture.h"

#include <shlwapi.h>

#include <algorithm>

CHeaderPicture::CHeaderPicture(HINSTANCE module, UINT resourceId)
{
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) return;
    m_stream.Attach(::SHCreateMemStream(static_cast<const BYTE*>(bytes), ::SizeofResource(module, found)));
    if (!m_stream) return;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(m_stream.Get());
    if (bitmap->GetLastStatus() == Gdiplus::Ok) m_bitmap = std::move(bitmap);
}

RECT CHeaderPicture::Square(const RECT& frame, int listTop, int textLeft)
{
    const LONG down = (listTop - frame.top) * 9 / 10;
    const LONG across = (textLeft - frame.left) * 9 / 10;
    const LONG side = std::max(0L, std::min(down, across));
    const LONG left = frame.left + 1;
    const LONG top = frame.top + 1;
    return RECT{left, top, left + side, top + side};
}

void CHeaderPicture::Draw(HDC dc, const RECT& square) const
{
    if (!m_bitmap) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(m_bitmap.get(), Gdiplus::Rect(square.left, square.top, square.right - square.left,
                                                     square.bottom - square.top));
}
