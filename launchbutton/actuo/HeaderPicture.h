#pragma once
#include <windows.h>
#include <ole2.h>
#include <gdiplus.h>
#include <wrl/client.h>

#include <memory>

// The header artwork: a PNG resource of the program, drawn scaled with its
// alpha. GDI+ must be running while the picture lives.
class CHeaderPicture {
public:
    CHeaderPicture(HINSTANCE module, UINT resourceId);

    bool Loaded() const { return m_bitmap != nullptr; }
    // The largest square that fits the frame from (left, top), inset by one
    // pixel; side = the smaller of 9/10 of each distance.
    static RECT Square(const RECT& frame, int listTop, int textLeft);
    void Draw(HDC dc, const RECT& square) const;

private:
    // GDI+ reads the picture from its stream for as long as the bitmap lives.
    Microsoft::WRL::ComPtr<IStream> m_stream;
    std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
};
