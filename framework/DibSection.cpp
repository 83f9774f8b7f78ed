#include "DibSection.h"
#include <algorithm>

CDibSection::~CDibSection()
{
    Release();
}

bool CDibSection::Create(int width, int height)
{
    Release();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_dc = ::CreateCompatibleDC(nullptr);
    if (!m_bitmap || !m_dc || !bits) {
        Release();
        return false;
    }
    m_previous = ::SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<uint32_t*>(bits);
    m_width = width;
    m_height = height;
    Fill(0);
    return true;
}

void CDibSection::Release()
{
    if (m_dc) {
        if (m_previous) ::SelectObject(m_dc, m_previous);
        ::DeleteDC(m_dc);
    }
    if (m_bitmap) ::DeleteObject(m_bitmap);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_previous = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

void CDibSection::Fill(uint32_t pixel)
{
    if (!m_bits) return;
    // GDI may still be drawing into the bitmap.
    ::GdiFlush();
    std::fill(m_bits, m_bits + static_cast<size_t>(m_width) * static_cast<size_t>(m_height), pixel);
}

void CDibSection::MakeOpaque()
{
    if (!m_bits) return;
    ::GdiFlush();
    for (uint32_t *pixel = m_bits,
                  *end = m_bits + static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
         pixel != end; ++pixel)
        *pixel |= 0xFF000000u;
}

void CDibSection::SetPixel(int x, int y, uint32_t pixel)
{
    if (Contains(x, y))
        m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)] = pixel;
}

uint32_t CDibSection::Pixel(int x, int y) const
{
    if (!Contains(x, y)) return 0;
    ::GdiFlush();
    return m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
}
