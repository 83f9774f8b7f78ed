// The alerts feature in process: the requests of firmware events, of the
// 0xE00D key's query and of the query after resume, led to the right box
// with the text of the tray's style.
#include "BatteryAlertsFeature.h"
#include "FeatureBench.h"
#include "MessageCatalogue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr uint32_t kSignature = 0x5456524E;

// Text n reads "<n>", so the composition shows through.
std::wstring Numbered(UINT number)
{
    return L"<" + std::to_wstring(number) + L">";
}

class PowerAlerts : public ::testing::Test {
protected:
    void Build(DWORD queryDelayMs = CAlertQueryWorker::kDelayMs)
    {
        bench.Context();
        alerts = std::make_unique<CBatteryAlertsFeature>(
            bench.Context(), CBatteryAlertsFeature::Parts{&boxes, nullptr, queryDelayMs, &Numbered});
        alerts->RegisterRoutes(bench.Dispatcher());
    }

    // The firmware holds this alert for the query.
    void Pending(uint32_t code, uint32_t detail, uint32_t flags, int32_t status = 0)
    {
        bench.firmware = [=](BiosCallBuffer& call) {
            if (call.cbClass != 0x11 || call.cbSelect != 0x05) return;
            call.cbRes1 = status;
            call.cbRes2 = code;
            call.cbRes3 = detail;
            call.cbRes4 = flags;
        };
    }

    FeatureBench bench;
    QuietAlertBoxes boxes;
    std::unique_ptr<CBatteryAlertsFeature> alerts;
};

using Shown = std::vector<QuietAlertBoxes::Shown>;

TEST_F(PowerAlerts, AnEventCarriesTheRequestAndTheK7StyleComposesOnLines)
{
    bench.osdStyle = 3;
    Build();
    EXPECT_EQ(bench.Bios(0xE00D, 3, 0, 0x0009, 0x5A00), "ProcessPowerAlert 1 3 0 1509949449");
    EXPECT_EQ(boxes.TakeShown(),
              (Shown{{AlertBox::Adapter, L"<892>\r\n<61310><61311>\r\n<84>\r\n<85> <81>\r\n<85> <82>"}}));
    EXPECT_TRUE(bench.biosCalls.empty()) << "an event's request needs no query";
}

TEST_F(PowerAlerts, TheClassicStylesComposeOnOneLine)
{
    for (int style : {0, 1, 2}) {
        FeatureBench classic;
        classic.osdStyle = style;
        QuietAlertBoxes shown;
        CBatteryAlertsFeature feature(
            classic.Context(),
            CBatteryAlertsFeature::Parts{&shown, nullptr, CAlertQueryWorker::kDelayMs, &Numbered});
        feature.RegisterRoutes(classic.Dispatcher());
        classic.Bios(0xE00D, 3, 0, 0x0009, 0x5A00);
        EXPECT_EQ(shown.TakeShown(), (Shown{{AlertBox::Adapter, L"<892> <61310><61311> <980>"}})) << style;
    }
}

TEST_F(PowerAlerts, EachFamilyHasItsBoxAndOtherCodesShowNothing)
{
    Build();
    bench.Bios(0xE00D, 21, 0, 0, 0x5A00);
    bench.Bios(0xE00D, 49, 0, 0, 0);
    bench.Bios(0xE00D, 3, 0, 0, 0);
    for (uint16_t code : {0, 6, 16, 23, 48, 54, 0xFFFF}) bench.Bios(0xE00D, code, 0, 0x000F, 0x5A00);
    EXPECT_EQ(boxes.TakeShown(), (Shown{{AlertBox::Battery, L"<13> <61313>  <12>"},
                                        {AlertBox::Dock, L"<50>"},
                                        {AlertBox::Adapter, L"<4>"}}));
}

TEST_F(PowerAlerts, TheKeyAsksTheFirmwareForItsAlert)
{
    Build();
    Pending(53, 0, 0x5A410000);
    EXPECT_EQ(bench.Key(0xE00D), "ProcessPowerAlert 0 0 0 0");
    ASSERT_EQ(bench.biosCalls.size(), 1u);
    const BiosCallBuffer& query = bench.biosCalls[0];
    EXPECT_EQ(query.cbClass, 0x11);
    EXPECT_EQ(query.cbSelect, 0x05);
    EXPECT_EQ(query.cbArg1, 0x10000u);
    EXPECT_EQ(query.cbArg2, kSignature);
    EXPECT_EQ(query.cbArg3, 0u);
    EXPECT_EQ(query.cbArg4, 0u);
    EXPECT_EQ(boxes.TakeShown(), (Shown{{AlertBox::Dock, L"<54> <991> <990>"}}));
}

TEST_F(PowerAlerts, TheQueryAnswersANumberedMessageNothingPendingOrAFailure)
{
    Build();
    Pending(0xFFFFFFFF, 0, 0);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 1);
    EXPECT_EQ(boxes.TakeShown(), (Shown{{AlertBox::Numbered, L"<1>"}}));
    Pending(0xFFFFFFFF, 917, 0);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 1);
    EXPECT_EQ(boxes.TakeShown(), (Shown{{AlertBox::Numbered, L"<918>"}}));
    // Beyond the table: the box still comes, without a text.
    Pending(0xFFFFFFFF, 0x10000, 0);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 1);
    EXPECT_EQ(boxes.TakeShown(), (Shown{{AlertBox::Numbered, L""}}));
    Pending(0xFFFFFFFF, 0x80000000, 0);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 1);
    Pending(0xFFFFFFFF, 0xFFFFFFFF, 0);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 0);
    Pending(3, 0, 0, -1);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 0);
    Pending(3, 0, 0);
    bench.firmware = [inner = bench.firmware](BiosCallBuffer& call) {
        inner(call);
        call.cbRes1 = kBiosNoAnswer;
    };
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 0);
    Pending(6, 0, 0);
    EXPECT_EQ(alerts->ProcessPowerAlert(0, 0, 0, 0), 1);
    EXPECT_TRUE(boxes.TakeShown().empty());
}

TEST_F(PowerAlerts, ATextAlreadyOnScreenLeavesItsTraceLine)
{
    Build();
    boxes.onScreen = true;
    EXPECT_EQ(bench.Bios(0xE00D, 2, 0, 0, 0), "ProcessPowerAlert 1 2 0 0;AlertAlreadyShown 0");
    EXPECT_EQ(bench.Bios(0xE00D, 22, 0, 0, 0), "ProcessPowerAlert 1 22 0 0;AlertAlreadyShown 1");
    EXPECT_EQ(bench.Bios(0xE00D, 52, 0, 0, 0), "ProcessPowerAlert 1 52 0 0");
}

TEST_F(PowerAlerts, TheResumeQueryRunsOnAWorkerAfterItsDelay)
{
    Build(50);
    Pending(2, 0, 0);
    DWORD queryThread = 0;
    bench.firmware = [inner = bench.firmware, &queryThread](BiosCallBuffer& call) {
        queryThread = ::GetCurrentThreadId();
        inner(call);
    };
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_EQ(bench.Entries(), "");
    alerts->StartDelayedBiosMessageQuery();
    ASSERT_TRUE(boxes.WaitShown(5000)) << "the worker showed nothing";
    EXPECT_GE(::GetTickCount64() - started, 40u);
    alerts->Stop();
    EXPECT_EQ(bench.Entries(), "StartDelayedBiosMessageQuery;ProcessPowerAlert 0 0 0 0");
    EXPECT_EQ(boxes.TakeShown(), (Shown{{AlertBox::Adapter, L"<3>"}}));
    EXPECT_NE(queryThread, ::GetCurrentThreadId());
}

TEST_F(PowerAlerts, StoppingTheTrayEndsAWaitingQueryAtOnce)
{
    Build();
    Pending(2, 0, 0);
    alerts->StartDelayedBiosMessageQuery();
    const ULONGLONG started = ::GetTickCount64();
    alerts->Stop();
    EXPECT_LT(::GetTickCount64() - started, 5000u);
    EXPECT_TRUE(bench.biosCalls.empty());
    EXPECT_TRUE(boxes.TakeShown().empty());
}

struct CountingHealthCheck : IBatteryHealthCheck {
    int rechecks = 0;
    int warnings = 0;
    void RecheckAndWarn() override { ++rechecks; }
    void ShowHealthWarning() override { ++warnings; }
};

// A top-level window with the battery meter's title ("<918>" in the test table).
struct MeterStandIn {
    MeterStandIn()
        : window(::CreateWindowExW(0, L"STATIC", L"<918>", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr))
    {}
    ~MeterStandIn() { ::DestroyWindow(window); }
    // Whether the refresh request was posted to it.
    bool RefreshPosted() const
    {
        MSG msg{};
        const UINT refresh = messages::Register(messages::kTvrToBhmRefresh);
        return ::PeekMessageW(&msg, window, refresh, refresh, PM_REMOVE) != FALSE && msg.wParam == 0
               && msg.lParam == 0;
    }
    HWND window;
};

TEST_F(PowerAlerts, TheBatteryKeyRechecksHealthAndRefreshesAnOpenMeter)
{
    CountingHealthCheck health;
    alerts = std::make_unique<CBatteryAlertsFeature>(
        bench.Context(),
        CBatteryAlertsFeature::Parts{&boxes, &health, CAlertQueryWorker::kDelayMs, &Numbered});
    alerts->RegisterRoutes(bench.Dispatcher());
    EXPECT_EQ(bench.Key(0xE00E), "RefreshBatteryStatus");
    EXPECT_EQ(health.rechecks, 1);
    MeterStandIn meter;
    ASSERT_NE(meter.window, nullptr);
    EXPECT_EQ(bench.Bios(0xE00E), "RefreshBatteryStatus");
    EXPECT_EQ(health.rechecks, 2);
    EXPECT_TRUE(meter.RefreshPosted());
    EXPECT_EQ(::GetWindowLongW(meter.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "left topmost";
    EXPECT_EQ(health.warnings, 0) << "a re-check shows the warning itself";
}

TEST_F(PowerAlerts, TheStartShowsTheHealthWarningOnceWithoutReadingAgain)
{
    CountingHealthCheck health;
    alerts = std::make_unique<CBatteryAlertsFeature>(
        bench.Context(),
        CBatteryAlertsFeature::Parts{&boxes, &health, CAlertQueryWorker::kDelayMs, &Numbered});
    alerts->RegisterRoutes(bench.Dispatcher());
    alerts->Start();
    EXPECT_EQ(health.warnings, 1);
    EXPECT_EQ(health.rechecks, 0);
}

TEST_F(PowerAlerts, AMissingBatteryMeterFailsQuietly)
{
    Build();
    MeterStandIn meter;
    bench.startsSucceed = false;
    EXPECT_FALSE(alerts->LaunchBatteryMeter(L" P H"));
    EXPECT_EQ(bench.started, std::vector<std::wstring>{L"Battery.exe  P H"});
    EXPECT_TRUE(boxes.TakeShown().empty());
    EXPECT_EQ(::GetWindowLongW(meter.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "left topmost";
}

// A dock box the query shows holds the worker; stopping answers it.
class BoxOnTheWorker : public IAlertBoxes {
public:
    static constexpr wchar_t kCaption[] = L"Alert worker test box";
    bool Show(AlertBox, const std::wstring& text) override
    {
        ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK);
        return true;
    }
};

TEST(PowerAlertShutdown, ABoxTheQueryLeftOpenIsAnsweredWhenTheTrayStops)
{
    FeatureBench bench;
    bench.firmware = [](BiosCallBuffer& call) {
        call.cbRes2 = 49;
        call.cbRes3 = 0;
    };
    BoxOnTheWorker boxes;
    auto alerts = std::make_unique<CBatteryAlertsFeature>(
        bench.Context(), CBatteryAlertsFeature::Parts{&boxes, nullptr, 0, &Numbered});
    alerts->StartDelayedBiosMessageQuery();
    HWND box = nullptr;
    for (int i = 0; i < 200 && box == nullptr; ++i) {
        box = ::FindWindowW(L"#32770", BoxOnTheWorker::kCaption);
        if (box == nullptr) ::Sleep(25);
    }
    ASSERT_NE(box, nullptr) << "the query showed no box";
    alerts.reset();
    EXPECT_FALSE(::IsWindow(box));
}

} // namespace
