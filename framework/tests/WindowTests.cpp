#include "App.h"
#include "Dpi.h"
#include "FrameWnd.h"
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

TEST(WindowLifetime, DeletingTheObjectDestroysItsWindowWithoutCallingBack)
{
    auto frame = std::make_unique<RecordingFrame>();
    ASSERT_TRUE(frame->Create(kClass, L"owned", 0));
    HWND hwnd = frame->GetSafeHwnd();
    frame.reset();
    EXPECT_FALSE(::IsWindow(hwnd));
    // Messages to the gone handle find no object.
    EXPECT_EQ(::SendMessageW(hwnd, WM_CLOSE, 0, 0), 0);
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
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_USERDATA), 0);
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

} // namespace
