// The link label of the notification dialogs: its font, colours and cursor,
// in a small dialog shown on the test screen.
#include "Dialog.h"
#include "FrameworkTestIds.h"
#include "StaticEx.h"
#include "TestPump.h"
#include "UniqueHandle.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// Counts the colour requests of its paints, so a test can wait for one.
class CountingLink : public CStaticEx {
public:
    using CStaticEx::CStaticEx;
    HBRUSH ReflectedColor(HDC dc) override
    {
        ++colourRequests;
        return CStaticEx::ReflectedColor(dc);
    }
    int colourRequests = 0;
};

class LinkDialog : public CDialog {
public:
    LinkDialog() : CDialog(IDD_TEST_LINK) {}

    CountingLink link{*this, IDC_LINK_LABEL};
    CStaticEx small{*this, IDC_LINK_SMALL, CStaticEx::kSmallSize};
    CStatic plain{*this, IDC_LINK_PLAIN};
    // A label that goes while the dialog stays.
    std::unique_ptr<CStaticEx> shortLived = std::make_unique<CStaticEx>(*this, IDC_LINK_PLAIN);

    void BindLinkColour(HBRUSH brush)
    {
        OnColorId(IDC_LINK_LABEL, [brush](HDC) { return brush; });
    }
};

uintptr_t CursorId(LPCWSTR id)
{
    return reinterpret_cast<uintptr_t>(id);
}

LOGFONTW FontOf(HWND control)
{
    LOGFONTW font{};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    EXPECT_NE(handle, nullptr);
    EXPECT_NE(::GetObjectW(handle, sizeof(font), &font), 0);
    return font;
}

class LinkLabel : public ::testing::Test {
protected:
    void Open()
    {
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        ::SetWindowPos(dialog.GetSafeHwnd(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::UpdateWindow(dialog.GetSafeHwnd());
        dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog.GetSafeHwnd(), WM_GETFONT, 0, 0));
    }

    // The brush and DC state the dialog answers for a label's colours.
    struct Colours {
        HBRUSH brush;
        COLORREF text;
        int mode;
    };
    Colours ColoursFor(const CControl& label)
    {
        UniqueDc dc(::CreateCompatibleDC(nullptr));
        ::SetTextColor(dc.get(), RGB(1, 2, 3));
        ::SetBkMode(dc.get(), OPAQUE);
        auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(dialog.GetSafeHwnd(), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc.get()),
                                                             reinterpret_cast<LPARAM>(label.GetSafeHwnd())));
        return {brush, ::GetTextColor(dc.get()), ::GetBkMode(dc.get())};
    }

    LinkDialog dialog;
    HFONT dialogFont = nullptr;
};

TEST_F(LinkLabel, TakesTheMouseAndAClearTypeFontOfItsOwnSize)
{
    Open();
    if (HasFatalFailure()) return;
    const LONG_PTR linkStyle = ::GetWindowLongPtrW(dialog.link.GetSafeHwnd(), GWL_STYLE);
    EXPECT_TRUE(linkStyle & SS_NOTIFY);
    RECT area{};
    ::GetWindowRect(dialog.link.GetSafeHwnd(), &area);
    const LPARAM centre = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    EXPECT_EQ(::SendMessageW(dialog.link.GetSafeHwnd(), WM_NCHITTEST, 0, centre), HTCLIENT);

    LOGFONTW original{};
    ASSERT_NE(::GetObjectW(dialogFont, sizeof(original), &original), 0);
    const LOGFONTW link = FontOf(dialog.link.GetSafeHwnd());
    EXPECT_EQ(link.lfHeight, 16);
    EXPECT_EQ(link.lfWeight, FW_NORMAL);
    EXPECT_EQ(link.lfQuality, CLEARTYPE_QUALITY);
    EXPECT_EQ(std::wstring(link.lfFaceName), std::wstring(original.lfFaceName))
        << "a copy of the dialog's font";
    EXPECT_FALSE(link.lfUnderline);
    EXPECT_EQ(FontOf(dialog.small.GetSafeHwnd()).lfHeight, 12);
    EXPECT_NE(reinterpret_cast<HFONT>(::SendMessageW(dialog.link.GetSafeHwnd(), WM_GETFONT, 0, 0)),
              dialogFont);
    EXPECT_EQ(dialog.link.Font(),
              reinterpret_cast<HFONT>(::SendMessageW(dialog.link.GetSafeHwnd(), WM_GETFONT, 0, 0)));
}

TEST_F(LinkLabel, TheSecondSetUpMakesTheFontAskedForUnderlinedWhenALink)
{
    EXPECT_FALSE(dialog.link.SetFont(L"Tahoma", 15, 500)) << "no window yet";
    Open();
    if (HasFatalFailure()) return;
    dialog.link.SetLink(true);
    ASSERT_TRUE(dialog.link.SetFont(L"Tahoma", 15, 500));
    LOGFONTW font = FontOf(dialog.link.GetSafeHwnd());
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
    EXPECT_EQ(font.lfHeight, 15);
    EXPECT_EQ(font.lfWeight, 500);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);

    ASSERT_TRUE(dialog.small.SetFont(L"Tahoma", 11, 700));
    EXPECT_FALSE(FontOf(dialog.small.GetSafeHwnd()).lfUnderline) << "not a link";

    const std::wstring longFace(40, L'Q');
    ASSERT_TRUE(dialog.small.SetFont(longFace.c_str(), 11, 400));
    EXPECT_EQ(std::wstring(FontOf(dialog.small.GetSafeHwnd()).lfFaceName),
              longFace.substr(0, CStaticEx::kMaxFaceLength));
    ASSERT_TRUE(dialog.small.SetFont(nullptr, 11, 400));
}

TEST_F(LinkLabel, HandsBackTheFontItReplacedWhenItGoes)
{
    Open();
    if (HasFatalFailure()) return;
    HWND label = dialog.shortLived->GetSafeHwnd();
    ASSERT_NE(reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), dialogFont);
    dialog.shortLived.reset();
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), dialogFont);
    // Nothing of the wrapper answers for the label any more.
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    ::SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(LinkLabel, TextIsDrawnTransparentlyInTheLinkOrNormalColour)
{
    Open();
    if (HasFatalFailure()) return;
    Colours colours = ColoursFor(dialog.link);
    EXPECT_EQ(colours.brush, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(colours.mode, TRANSPARENT);
    EXPECT_EQ(colours.text, ::GetSysColor(COLOR_BTNTEXT));

    dialog.link.SetLink(true);
    EXPECT_EQ(ColoursFor(dialog.link).text, COLORREF(0x00EE0000));
    dialog.link.SetLinkColour(RGB(0, 128, 0));
    EXPECT_EQ(ColoursFor(dialog.link).text, RGB(0, 128, 0));
    dialog.link.SetLink(false);
    dialog.link.SetNormalColour(RGB(90, 20, 30));
    EXPECT_EQ(ColoursFor(dialog.link).text, RGB(90, 20, 30));

    // A handler the dialog binds wins; a plain label keeps the system's colours.
    HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    dialog.BindLinkColour(black);
    EXPECT_EQ(ColoursFor(dialog.link).brush, black);
    dialog.shortLived.reset();
    colours = ColoursFor(dialog.plain);
    EXPECT_NE(colours.brush, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(colours.mode, OPAQUE);
}

TEST_F(LinkLabel, ALinkIsPaintedInBlueOnTheScreen)
{
    dialog.link.SetLink(true);
    Open();
    if (HasFatalFailure()) return;
    ::RedrawWindow(dialog.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    dialog.link.colourRequests = 0;
    ASSERT_TRUE(PumpUntil([this] { return dialog.link.colourRequests > 0; }))
        << "the label was never painted";

    // Count the label's pixels by their hue, straight from its window.
    auto countPixels = [](HWND label, int& blue, int& dark) {
        RECT area{};
        ::GetClientRect(label, &area);
        HDC dc = ::GetDC(label);
        blue = dark = 0;
        for (int y = 0; y < area.bottom; ++y) {
            for (int x = 0; x < area.right; ++x) {
                const COLORREF c = ::GetPixel(dc, x, y);
                if (GetBValue(c) > 150 && GetRValue(c) < 90 && GetGValue(c) < 90) ++blue;
                if (GetBValue(c) < 70 && GetRValue(c) < 70 && GetGValue(c) < 70) ++dark;
            }
        }
        ::ReleaseDC(label, dc);
    };
    int blue = 0, dark = 0;
    countPixels(dialog.link.GetSafeHwnd(), blue, dark);
    EXPECT_GT(blue, 20) << "the link's text";
    EXPECT_EQ(dark, 0) << "nothing of it in the normal colour";
    countPixels(dialog.small.GetSafeHwnd(), blue, dark);
    EXPECT_EQ(blue, 0);
    EXPECT_GT(dark, 10) << "a label that is no link in the normal colour";
}

TEST_F(LinkLabel, TheCursorIsTheHandOverALinkAndTheBusyArrowWhileBusy)
{
    Open();
    if (HasFatalFailure()) return;
    RECT client{};
    ::GetClientRect(dialog.link.GetSafeHwnd(), &client);
    const POINT inside{client.right / 2, client.bottom / 2};
    const POINT outside{client.right + 5, client.bottom / 2};
    EXPECT_EQ(CursorId(dialog.link.CursorAt(inside)), CursorId(IDC_ARROW)) << "not a link yet";
    dialog.link.SetLink(true);
    EXPECT_EQ(CursorId(dialog.link.CursorAt(inside)), CursorId(IDC_HAND));
    EXPECT_EQ(CursorId(dialog.link.CursorAt(outside)), CursorId(IDC_ARROW));
    dialog.link.SetBusy(true);
    EXPECT_EQ(CursorId(dialog.link.CursorAt(inside)), CursorId(IDC_APPSTARTING));
    EXPECT_EQ(CursorId(dialog.link.CursorAt(outside)), CursorId(IDC_APPSTARTING));
    dialog.link.SetBusy(false);

    // The label sets it itself when the system asks, with the mouse over its middle.
    HWND label = dialog.link.GetSafeHwnd();
    POINT centre = inside;
    ::ClientToScreen(label, &centre);
    ASSERT_TRUE(::SetCursorPos(centre.x, centre.y));
    const auto ask = [label] {
        return ::SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_EQ(ask(), TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    dialog.link.SetBusy(true);
    ask();
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_APPSTARTING));
    dialog.link.SetBusy(false);
    dialog.link.SetLink(false);
    ask();
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace
