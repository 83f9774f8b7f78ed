#include "App.h"
#include "Dpi.h"
#include "FrameWnd.h"
#include "TestPump.h"
#include "TestScreen.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kClass[] = L"FrameworkTestFrame";

class RecordingFrame : public CFrameWnd {
public:
    std::vector<UINT> seen;
    HWND hwndAtCreate = nullptr;
    int createResult = 0;
    int destroyed = 0;
    int finalDestroyed = 0;
    std::vector<UINT_PTR> timers;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        seen.push_back(msg);
        return CFrameWnd::WindowProc(msg, wp, lp);
    }
    int OnCreate(const CREATESTRUCTW&) override
    {
        hwndAtCreate = m_hWnd;
        return createResult;
    }
    void OnDestroy() override
    {
        ++destroyed;
        CFrameWnd::OnDestroy();
    }
    void OnFinalDestroy() override { ++finalDestroyed; }
    void OnTimer(UINT_PTR id) override
    {
        timers.push_back(id);
        KillTimer(id);
        ::PostQuitMessage(0);
    }
};

bool Saw(const std::vector<UINT>& seen, UINT msg)
{
    return std::find(seen.begin(), seen.end(), msg) != seen.end();
}

TEST(WindowDispatch, MostDerivedHandlerSeesCreationMessages)
{
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"dispatch", 0));
    EXPECT_TRUE(Saw(frame.seen, WM_NCCREATE));
    EXPECT_TRUE(Saw(frame.seen, WM_CREATE));
    EXPECT_EQ(frame.hwndAtCreate, frame.GetSafeHwnd());
    EXPECT_NE(frame.GetSafeHwnd(), nullptr);
}

TEST(WindowDispatch, CreateFailsWhenOnCreateRefuses)
{
    RecordingFrame frame;
    frame.createResult = -1;
    EXPECT_FALSE(frame.Create(kClass, L"refused", 0));
    EXPECT_FALSE(frame.IsOpen());
    EXPECT_EQ(frame.finalDestroyed, 1);
}

TEST(WindowDispatch, FrameIsFoundByItsClassAndTitle)
{
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"find me", 0));
    EXPECT_EQ(::FindWindowW(kClass, L"find me"), frame.GetSafeHwnd());
    EXPECT_FALSE(::IsWindowVisible(frame.GetSafeHwnd()));
    // A second frame of the same class needs no second registration.
    RecordingFrame other;
    EXPECT_TRUE(other.Create(kClass, L"other", 0));
}

// What a window's user data held when WM_DESTROY reached it.
struct DestroyWatch {
    static inline HWND watched = nullptr;
    static inline LONG_PTR dataAtDestroy = -1;
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && call->hwnd == watched && call->message == WM_DESTROY)
            dataAtDestroy = ::GetWindowLongPtrW(call->hwnd, GWLP_USERDATA);
        return ::CallNextHookEx(nullptr, code, wp, lp);
    }
};

TEST(WindowLifetime, DeletingTheObjectDestroysItsWindowWithoutCallingBack)
{
    auto frame = std::make_unique<RecordingFrame>();
    ASSERT_TRUE(frame->Create(kClass, L"owned", 0));
    HWND hwnd = frame->GetSafeHwnd();
    ASSERT_EQ(::GetWindowLongPtrW(hwnd, GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<CWnd*>(frame.get())));
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &DestroyWatch::Hook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    DestroyWatch::watched = hwnd;
    frame.reset();
    ::UnhookWindowsHookEx(hook);
    EXPECT_FALSE(::IsWindow(hwnd));
    // The window was detached before it was destroyed: its last messages
    // found no object, so nothing of the half-destroyed one ran.
    EXPECT_EQ(DestroyWatch::dataAtDestroy, 0);
}

TEST(WindowLifetime, WindowDestroyedFromOutsideDetachesTheObject)
{
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"outside", 0));
    HWND hwnd = frame.GetSafeHwnd();
    ASSERT_TRUE(::DestroyWindow(hwnd));
    EXPECT_EQ(frame.destroyed, 1);
    EXPECT_EQ(frame.finalDestroyed, 1);
    EXPECT_FALSE(frame.IsOpen());
    // Detached: nothing reaches the gone handle through the object.
    EXPECT_FALSE(frame.DestroyWindow());
    EXPECT_FALSE(frame.PostMessage(WM_NULL));
    EXPECT_EQ(frame.SetTimer(3, 10), 0u);

    // The object makes a new window of its own, and a stranger's window made
    // meanwhile is not touched by it or by its destruction.
    CFrameWnd stranger;
    ASSERT_TRUE(stranger.Create(kClass, L"stranger", 0));
    ASSERT_TRUE(frame.Create(kClass, L"again", 0));
    EXPECT_NE(frame.GetSafeHwnd(), stranger.GetSafeHwnd());
    EXPECT_EQ(::GetWindowLongPtrW(frame.GetSafeHwnd(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&frame));
    EXPECT_EQ(frame.destroyed, 1);
    ASSERT_TRUE(frame.DestroyWindow());
    EXPECT_EQ(frame.destroyed, 2);
    EXPECT_TRUE(::IsWindow(stranger.GetSafeHwnd()));
    EXPECT_EQ(::GetWindowLongPtrW(stranger.GetSafeHwnd(), GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<CWnd*>(&stranger)));
}

TEST(WindowLifetime, CloseDestroysByDefault)
{
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"close", 0));
    frame.SendMessage(WM_CLOSE);
    EXPECT_FALSE(frame.IsOpen());
    EXPECT_EQ(frame.destroyed, 1);
}

TEST(Application, LoopEndsWhenTheMainWindowIsClosed)
{
    CApp app;
    auto frame = std::make_unique<RecordingFrame>();
    ASSERT_TRUE(frame->Create(kClass, L"main", 0));
    HWND hwnd = frame->GetSafeHwnd();
    app.SetMainWnd(std::move(frame));
    ASSERT_TRUE(::PostMessageW(hwnd, WM_CLOSE, 0, 0));
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(Application, DeletingTheMainWindowObjectClosesIt)
{
    CApp app;
    auto frame = std::make_unique<RecordingFrame>();
    ASSERT_TRUE(frame->Create(kClass, L"main2", 0));
    HWND hwnd = frame->GetSafeHwnd();
    app.SetMainWnd(std::move(frame));
    app.DeleteMainWnd();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_EQ(CApp::Current(), &app);
}

TEST(WindowTimer, TimerReachesTheHandlerWithItsId)
{
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"timer", 0));
    ASSERT_EQ(frame.SetTimer(1032, 10), 1032u);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    EXPECT_EQ(frame.timers, std::vector<UINT_PTR>{1032});
    EXPECT_FALSE(frame.KillTimer(1032)); // already stopped by the handler
}

TEST(WindowStyle, ModifyStyleReportsChangesOnly)
{
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"style", WS_POPUP));
    HWND hwnd = frame.GetSafeHwnd();
    EXPECT_TRUE(frame.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(frame.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(frame.ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED));
    EXPECT_FALSE(::GetWindowLongW(hwnd, GWL_STYLE) & WS_BORDER);

    EXPECT_TRUE(frame.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(frame.ModifyStyleEx(WS_EX_TOOLWINDOW, 0));
    EXPECT_FALSE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST(WindowStyle, ClosedWindowChangesNothing)
{
    RecordingFrame frame;
    EXPECT_FALSE(frame.ModifyStyle(0, WS_BORDER));
    EXPECT_EQ(frame.SetTimer(1, 10), 0u);
    EXPECT_FALSE(frame.PostMessage(WM_NULL));
}

TEST(WindowClass, BrushAndCursorAreTheRegisteredOnes)
{
    static const HBRUSH green = ::CreateSolidBrush(RGB(0, 160, 0)); // lives for the process, as the class
    CWnd::ClassInfo info;
    info.background = green;
    info.cursor = ::LoadCursorW(nullptr, IDC_CROSS);
    ASSERT_TRUE(CFrameWnd::RegisterFrameClass(L"FrameworkTestGreen", info));
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(L"FrameworkTestGreen", L"green", WS_POPUP));
    HWND hwnd = frame.GetSafeHwnd();
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND)), green);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrW(hwnd, GCLP_HCURSOR)), info.cursor);

    // The brush paints the window.
    ::SetWindowPos(hwnd, HWND_TOPMOST, 40, 40, 60, 60, SWP_SHOWWINDOW);
    ::UpdateWindow(hwnd);
    EXPECT_TRUE(PumpUntil([] { return Near(ScreenPixel(70, 70), RGB(0, 160, 0)); }, 3000));

    // The defaults stay for classes registered without information, and a
    // second registration of a name changes nothing.
    ASSERT_TRUE(CFrameWnd::RegisterFrameClass(L"FrameworkTestGreen"));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND)), green);
    RecordingFrame plain;
    ASSERT_TRUE(plain.Create(kClass, L"plain", 0));
    EXPECT_EQ(::GetClassLongPtrW(plain.GetSafeHwnd(), GCLP_HBRBACKGROUND), COLOR_WINDOW + 1);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrW(plain.GetSafeHwnd(), GCLP_HCURSOR)),
              ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST(Dpi, ScalesFromNinetySixWithRounding)
{
    EXPECT_EQ(CDpi::Scale(10, 96), 10);
    EXPECT_EQ(CDpi::Scale(10, 144), 15);
    EXPECT_EQ(CDpi::Scale(3, 120), 4); // 3.75 rounds up
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kClass, L"dpi", 0));
    int windowDpi = CDpi::ForWindow(frame.GetSafeHwnd());
    EXPECT_GE(windowDpi, 72);
    EXPECT_EQ(CDpi(frame.GetSafeHwnd()).Scale(96), windowDpi);
}

TEST(Dpi, ObjectScalesBothWaysFromItsWindowsDpi)
{
    CDpi dpi;
    EXPECT_EQ(dpi.Value(), 96);
    dpi.Set(144);
    EXPECT_EQ(dpi.Scale(20), 30);
    EXPECT_EQ(dpi.Unscale(30), 20);
    EXPECT_EQ(dpi.Unscale(dpi.Scale(7)), 7);
    SIZE size = dpi.Scale(SIZE{100, 41});
    EXPECT_EQ(size.cx, 150);
    EXPECT_EQ(size.cy, 62); // 61.5 rounds up
    RECT rect = dpi.Scale(RECT{2, 4, 10, 20});
    EXPECT_EQ(rect.left, 3);
    EXPECT_EQ(rect.top, 6);
    EXPECT_EQ(rect.right, 15);
    EXPECT_EQ(rect.bottom, 30);
    // Nonsense DPI values are ignored.
    dpi.Set(0);
    dpi.Set(-120);
    EXPECT_EQ(dpi.Value(), 144);
    EXPECT_EQ(CDpi::Scale(10, 0), 10);
    EXPECT_EQ(CDpi::Scale(10, -5), 10);
}

TEST(Dpi, MissingOrGoneWindowFallsBackToTheScreen)
{
    HDC screen = ::GetDC(nullptr);
    const int screenDpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    ASSERT_GT(screenDpi, 0);
    EXPECT_EQ(CDpi::ForWindow(nullptr), screenDpi);
    HWND gone = nullptr;
    {
        RecordingFrame frame;
        ASSERT_TRUE(frame.Create(kClass, L"gone", 0));
        gone = frame.GetSafeHwnd();
        CDpi dpi(gone);
        EXPECT_GT(dpi.Value(), 0);
        dpi.Update(gone);
        EXPECT_EQ(dpi.Value(), CDpi::ForWindow(gone));
    }
    EXPECT_EQ(CDpi::ForWindow(gone), screenDpi);
}

} // namespace
