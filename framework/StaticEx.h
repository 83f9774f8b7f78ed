#pragma once
#include "Static.h"
#include "UniqueHandle.h"

// A label that can act as a hyperlink in a dialog: it takes mouse messages
// (SS_NOTIFY), draws its text in a font of its own with ClearType, in the
// link colour when it is a link, without painting a background, and shows
// the hand over its text when it is a link (the busy arrow while busy).
// The font it replaced is handed back to the label before its own goes.
class CStaticEx : public CStatic {
public:
    static constexpr COLORREF kDefaultLinkColour = 0x00EE0000;
    static constexpr int kSmallSize = 12;
    static constexpr int kNormalHeight = 16;
    static constexpr int kWeight = FW_NORMAL;
    // Face names longer than this are cut.
    static constexpr size_t kMaxFaceLength = LF_FACESIZE - 1;

    // size: kSmallSize gives a 12-pixel font, anything else 16.
    CStaticEx(CDialog& owner, UINT id, int size = kNormalHeight);
    ~CStaticEx() override;

    void SetLink(bool link);
    bool IsLink() const { return m_link; }
    void SetBusy(bool busy);
    bool IsBusy() const { return m_busy; }
    void SetLinkColour(COLORREF colour);
    void SetNormalColour(COLORREF colour);
    COLORREF TextColour() const;

    // Replaces the font with the face (cut to kMaxFaceLength), height and
    // weight, underlined when the label is a link. False when detached or
    // the font could not be made (the old one stays).
    bool SetFont(const wchar_t* face, int height, int weight);
    HFONT Font() const { return static_cast<HFONT>(m_font.get()); }

    // The cursor (an IDC_* id) for a point in the label's client coordinates.
    LPCWSTR CursorAt(POINT client) const;

    HBRUSH ReflectedColor(HDC dc) override;

protected:
    void OnAttached() override;
    void OnDetaching() override;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self);
    bool UseFont(const LOGFONTW& font);
    void Repaint() const;
    void Release();

    int m_size;
    bool m_link = false;
    bool m_busy = false;
    COLORREF m_linkColour = kDefaultLinkColour;
    bool m_hasNormalColour = false;
    COLORREF m_normalColour = 0;
    UniqueGdiObject m_font;
    HFONT m_originalFont = nullptr;
    bool m_subclassed = false;
};
