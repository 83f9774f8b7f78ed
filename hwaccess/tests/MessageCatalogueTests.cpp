#include "Language.h"
#include "MessageCatalogue.h"
#include "Settings.h"
#include "RegistryValueGuard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages handled by the stand-in windows, in arrival order.
std::vector<Received> g_received;
UINT g_watched = 0;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (messages::Matches(message, g_watched)) g_received.push_back({message, wParam, lParam});
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A hidden top-level window of a given class and title, owned by the test.
class StandIn {
public:
    StandIn(const wchar_t* className, const wchar_t* title)
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, className, title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     wc.hInstance, nullptr);
    }
    ~StandIn() { ::DestroyWindow(m_window); }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    HWND get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

class MessageCatalogueTest : public ::testing::Test {
protected:
    void Watch(const wchar_t* name)
    {
        g_watched = messages::Register(name);
        ASSERT_NE(g_watched, 0u);
        Pump();
        g_received.clear();
    }
    void TearDown() override { g_watched = 0; }
};

TEST_F(MessageCatalogueTest, RegistrationIsStableAndAFailedOneMatchesNothing)
{
    const UINT first = messages::Register(messages::kToggleEblState);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(messages::Register(L"Tavrin - TOGGLE_EBL_STATE"), first);
    EXPECT_NE(messages::Register(messages::kToggleIntelligentDisplay), first);
    EXPECT_TRUE(messages::Matches(first, first));
    EXPECT_FALSE(messages::Matches(0, 0)) << "WM_NULL is not a failed registration's message";
}

TEST_F(MessageCatalogueTest, PostToTrayFindsTheTrayByClassAndTitle)
{
    Watch(messages::kToggleEblState);
    StandIn tray(messages::kTrayClass, messages::kTrayTitle);
    ASSERT_NE(tray.get(), nullptr);
    EXPECT_EQ(messages::FindTray(), tray.get());

    EXPECT_TRUE(messages::PostToTray(messages::kToggleEblState, 1, 0));
    Pump();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].wParam, 1u);
    EXPECT_EQ(g_received[0].lParam, 0);
}

TEST_F(MessageCatalogueTest, NothingIsPostedWithoutTheTray)
{
    Watch(messages::kToggleEblState);
    // Near misses: the right title on another class, the right class with another title.
    StandIn wrongClass(L"ConvTestOtherClass", messages::kTrayTitle);
    StandIn wrongTitle(messages::kTrayClass, L"Tavrin Launch Panel");
    EXPECT_EQ(messages::FindTray(), nullptr);
    EXPECT_FALSE(messages::PostToTray(messages::kToggleEblState, 1, 0));
    Pump();
    EXPECT_TRUE(g_received.empty());
}

TEST_F(MessageCatalogueTest, BroadcastsReachHiddenTopLevelWindows)
{
    Watch(messages::kWirelessToggle);
    StandIn tile(L"ConvTestTileClass", L"");
    EXPECT_TRUE(messages::Broadcast(messages::kWirelessToggle, 0, 0));
    Pump();
    EXPECT_EQ(g_received.size(), 1u);

    Watch(messages::kHibernate);
    EXPECT_TRUE(messages::BroadcastSent(messages::kHibernate, 0, 0));
    EXPECT_EQ(g_received.size(), 1u) << "a sent broadcast is handled before it returns";
}

class BatteryMeterTest : public MessageCatalogueTest {
protected:
    RegistryValueGuard guard{CSettings::kKeyPath, {language::kLangIdValue}};
};

TEST_F(BatteryMeterTest, MeterIsFoundByItsTitleInTheSelectedLanguage)
{
    Watch(messages::kTvrToBhmRefresh);
    guard.SetDword(language::kLangIdValue, 1031);
    StandIn english(L"ConvTestMeterClass", L"Battery Meter");
    EXPECT_EQ(messages::BatteryMeterTitle(), L"Akkuanzeige");
    EXPECT_FALSE(messages::PostToBatteryMeter(messages::kTvrToBhmRefresh, 0, 0));

    StandIn german(L"ConvTestMeterClass", L"Akkuanzeige");
    EXPECT_TRUE(messages::PostToBatteryMeter(messages::kTvrToBhmRefresh, 0, 0));
    Pump();
    EXPECT_EQ(g_received.size(), 1u);
}

TEST_F(BatteryMeterTest, MissingTitleTextFindsNoWindow)
{
    StandIn untitled(L"ConvTestMeterClass", L"");
    // French has no table here, so the title text is empty.
    guard.SetDword(language::kLangIdValue, 1036);
    EXPECT_EQ(messages::BatteryMeterTitle(), L"");
    EXPECT_EQ(messages::FindBatteryMeter(L""), nullptr);
    EXPECT_FALSE(messages::PostToBatteryMeter(messages::kTvrToBhmRefresh, 0, 0));
}

} // namespace
