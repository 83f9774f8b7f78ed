#include "CompanionApp.h"
#include "FeatureBench.h"
#include "MessageCatalogue.h"
#include "TimerIds.h"
#include "TrayFeatures.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TimerIds, NoTwoTimersShareANumber)
{
    std::set<UINT_PTR> numbers;
    for (TimerId id : kAllTimerIds) EXPECT_TRUE(numbers.insert(TimerNumber(id)).second) << TimerNumber(id);
}

TEST(TrayFeatures, EveryFeatureTakesItsRoutesWithoutAClash)
{
    FeatureBench bench;
    CCompanionApp companion;
    CTrayFeatures features(bench.Context(), companion, std::make_unique<QuietHibernate>(),
                           std::make_unique<QuietAlertBoxes>());
    features.RegisterRoutes(bench.Dispatcher());
    std::string errors;
    for (const std::string& error : bench.Dispatcher().RouteErrors()) errors += error + "\n";
    EXPECT_EQ(errors, "");
}

TEST(TrayFeatures, ASecondListOnTheSameDispatcherIsRefusedRouteByRoute)
{
    FeatureBench bench;
    CCompanionApp companion;
    CTrayFeatures first(bench.Context(), companion);
    CTrayFeatures second(bench.Context(), companion);
    first.RegisterRoutes(bench.Dispatcher());
    second.RegisterRoutes(bench.Dispatcher());
    const auto& errors = bench.Dispatcher().RouteErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(std::find(errors.begin(), errors.end(), "key 0xE006 taken twice"), errors.end());
    EXPECT_NE(std::find(errors.begin(), errors.end(), "firmware code 0xE006 taken twice"), errors.end());
    // The first routes stay in force.
    EXPECT_EQ(bench.Bios(0xE006, 4), "ShowBrightness 4 1");
}

TEST(Dispatcher, RefusesCodesOutsideTheKeyTableAndAnythingTakenTwice)
{
    FeatureBench bench;
    CTrayDispatcher& dispatcher = bench.Dispatcher();
    int calls = 0;
    EXPECT_FALSE(dispatcher.RouteKey(0xE001, [&] { ++calls; }));
    EXPECT_FALSE(dispatcher.RouteBios(0x0005, [&](const BiosEventCode&) { ++calls; }));
    EXPECT_TRUE(dispatcher.RouteKey(0xE006, [&] { ++calls; }));
    EXPECT_FALSE(dispatcher.RouteKey(0xE006, [&] { calls += 100; }));
    EXPECT_TRUE(dispatcher.RouteBios(0xE006, [&](const BiosEventCode&) { ++calls; }));
    EXPECT_TRUE(dispatcher.RouteTimer(TimerId::TrayIconClick, [&] { ++calls; }));
    EXPECT_FALSE(dispatcher.RouteTimer(TimerId::TrayIconClick, [&] { ++calls; }));
    EXPECT_TRUE(dispatcher.RouteRegistered(messages::kHibernate, [&](WPARAM, LPARAM) { ++calls; }));
    EXPECT_FALSE(
        dispatcher.RouteWindowMessage(messages::Register(messages::kHibernate), [&](WPARAM, LPARAM) {}));
    EXPECT_TRUE(dispatcher.RoutePower(PBT_APMSUSPEND, [&](LPARAM) { ++calls; }));
    EXPECT_FALSE(dispatcher.RoutePower(PBT_APMSUSPEND, [&](LPARAM) {}));
    EXPECT_TRUE(dispatcher.RouteCommand(32775, [&] { ++calls; }));
    EXPECT_FALSE(dispatcher.RouteCommand(32775, [&] {}));
    EXPECT_EQ(dispatcher.RouteErrors().size(), 7u);

    dispatcher.DispatchKey(0xE006);
    EXPECT_EQ(calls, 1);
    dispatcher.DispatchKey(0xE001);
    dispatcher.OnBiosEvent(0x0005, 1, 2, 3, 4);
    EXPECT_EQ(calls, 1);
}

TEST(Dispatcher, EachCodeTakenIsTracedWithItsSourceAndArguments)
{
    // Codes without a route are traced too: support sees what arrived.
    FeatureBench traced;
    std::vector<std::string> lines;
    CDispatchTrace trace(lines);
    CTrayDispatcher dispatcher(trace, traced, 500);
    dispatcher.DispatchKey(0xE0F7);
    dispatcher.OnBiosEvent(0xE005, 5, 0, 0, 65535);
    EXPECT_EQ(lines, (std::vector<std::string>{"key 0xE0F7", "bios 0xE005 5 0 0 65535"}));
}

TEST(Dispatcher, MessagesWithoutARouteAreLeftToTheWindow)
{
    FeatureBench bench;
    CCompanionApp companion;
    CTrayFeatures features(bench.Context(), companion, std::make_unique<QuietHibernate>(),
                           std::make_unique<QuietAlertBoxes>());
    features.RegisterRoutes(bench.Dispatcher());
    EXPECT_FALSE(bench.Dispatcher().DispatchMessage(WM_USER + 1, 0, 0));
    EXPECT_FALSE(
        bench.Dispatcher().DispatchMessage(messages::Register(messages::kChangeBatteryChargeState), 1, 0));
    EXPECT_FALSE(bench.Dispatcher().DispatchMessage(0, 0, 0));
    EXPECT_FALSE(bench.Dispatcher().DispatchTimer(4242));
    EXPECT_FALSE(bench.Dispatcher().DispatchCommand(4242));
    EXPECT_EQ(bench.Entries(), "");
}

TEST(Dispatcher, TimersStopBeforeTheirExpiryUnlessTheyDecideThemselves)
{
    FeatureBench bench;
    int expiries = 0;
    bench.Dispatcher().RouteTimer(TimerId::DisplayOffLed, [&] { ++expiries; });
    bench.Dispatcher().RouteTimer(
        TimerId::S3S4Resume, [&] { ++expiries; }, CTrayDispatcher::TimerStop::ByAction);
    EXPECT_EQ(bench.Timer(33273), "StopTimer 33273");
    EXPECT_EQ(bench.Timer(33272), "");
    EXPECT_EQ(expiries, 2);
    EXPECT_EQ(bench.timerCalls, (std::vector<std::string>{"kill 33273"}));
}

} // namespace
