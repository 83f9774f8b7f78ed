#include "ScreenShot.h"

#include "UniqueHandle.h"

#include <vector>

#include <ole2.h>
#include <gdiplus.h>

namespace {

// The screen's DC for the life of the object.
class CScreenDc {
public:
    CScreenDc() : m_dc(::GetDC(nullptr)) {}
    ~CScreenDc()
    {
        if (m_dc) ::ReleaseDC(nullptr, m_dc);
    }
    CScreenDc(const CScreenDc&) = delete;
    CScreenDc& operator=(const CScreenDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

} // namespace

bool CScreenShot::Take(const RECT& place)
{
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const CScreenDc screen;
    if (!screen.Get() || !m_pixels.Create(width, height)) return false;
    return ::BitBlt(m_pixels.Dc(), 0, 0, width, height, screen.Get(), place.left, place.top,
                    SRCCOPY | CAPTUREBLT)
           != FALSE;
}

COLORREF CScreenShot::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return CLR_INVALID;
    const uint32_t pixel = m_pixels.Pixel(x, y);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool CScreenShot::SameAs(const CScreenShot& other) const
{
    if (Width() != other.Width() || Height() != other.Height() || !m_pixels.IsValid()) return false;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (At(x, y) != other.At(x, y)) return false;
    return true;
}

bool CScreenShot::Save(const std::wstring& path) const
{
    if (!m_pixels.IsValid()) return false;
    // The screen leaves alpha 0, which viewers take for transparent.
    std::vector<uint32_t> opaque(m_pixels.Bits(), m_pixels.Bits() + Width() * Height());
    for (uint32_t& pixel : opaque) pixel |= 0xFF000000;
    Gdiplus::Bitmap picture(Width(), Height(), Width() * 4, PixelFormat32bppARGB,
                            reinterpret_cast<BYTE*>(opaque.data()));
    return picture.Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    auto close = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
    return a != CLR_INVALID && b != CLR_INVALID && close(GetRValue(a), GetRValue(b))
           && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

COLORREF Blend(COLORREF over, COLORREF under, int alpha)
{
    auto mix = [alpha](int o, int u) { return (o * alpha + u * (255 - alpha)) / 255; };
    return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
               mix(GetBValue(over), GetBValue(under)));
}
