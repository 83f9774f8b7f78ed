#include "ScreenShot.h"

#include "UniqueHandle.h"

#include <vector>

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

bool WriteAll(HANDLE file, const void* data, DWORD bytes)
{
    DWORD written = 0;
    return ::WriteFile(file, data, bytes, &written, nullptr) && written == bytes;
}

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
    const DWORD imageBytes = static_cast<DWORD>(m_pixels.Stride() * Height());
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = Width();
    info.biHeight = -Height(); // top-down, as the pixels lie
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + imageBytes;

    const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // The screen leaves alpha 0, which viewers take for transparent.
    std::vector<uint32_t> opaque(m_pixels.Bits(), m_pixels.Bits() + Width() * Height());
    for (uint32_t& pixel : opaque) pixel |= 0xFF000000;
    return WriteAll(file.get(), &header, sizeof(header)) && WriteAll(file.get(), &info, sizeof(info))
           && WriteAll(file.get(), opaque.data(), imageBytes);
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
