#pragma once
#include <cstdint>
#include <windows.h>

// A 32-bit top-down DIB section selected into a memory DC of its own: the
// picture of a layered window. Pixels are 0xAARRGGBB (premultiplied when
// shown with per-pixel alpha); GDI and GDI+ draw through Dc() or Bits().
// Owns the bitmap and the DC; empty after a failed Create.
class CDibSection {
public:
    CDibSection() = default;
    ~CDibSection();
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    // Replaces the picture by a cleared one of the size; false (and empty)
    // for a size not above 0 or when the system refuses.
    bool Create(int width, int height);
    void Release();

    bool IsValid() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    uint32_t* Bits() const { return m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_width * 4; }

    void Fill(uint32_t pixel);
    // Sets every pixel's alpha byte to 255 (GDI leaves it 0).
    void MakeOpaque();
    // Pixels outside the picture are not touched and read as 0.
    void SetPixel(int x, int y, uint32_t pixel);
    uint32_t Pixel(int x, int y) const;

private:
    bool Contains(int x, int y) const { return m_bits && x >= 0 && y >= 0 && x < m_width && y < m_height; }

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};
