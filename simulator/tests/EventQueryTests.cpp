// Which notification queries the simulated root\wmi answers itself: the two
// event classes, in WQL, spelt with any case and spacing WQL allows, and
// nothing longer, shorter or in another language.
#include <gtest/gtest.h>

#include "ComValues.h"
#include "EventHub.h"

namespace {

bool Selects(const wchar_t* language, const wchar_t* query, sim::EventStream& stream)
{
    const Bstr l(language);
    const Bstr q(query);
    return sim::CEventHub::SelectsEvents(l.get(), q.get(), stream);
}

TEST(EventQuery, BothClassesInAnySpellingWqlAllows)
{
    struct Case {
        const wchar_t* query;
        sim::EventStream stream;
    };
    const Case cases[] = {
        {L"SELECT * FROM BIOSEvent", sim::EventStream::Firmware},
        {L"select  *   from  biosevent", sim::EventStream::Firmware},
        {L"\tSeLeCt\r\n*\vFROM\fBIOSEVENT \n", sim::EventStream::Firmware},
        {L"SELECT * FROM WmiMonitorBrightnessEvent", sim::EventStream::MonitorBrightness},
        {L" select * from wmimonitorbrightnessevent", sim::EventStream::MonitorBrightness},
    };
    for (const Case& c : cases) {
        // The opposite stream first, so a result left unset shows.
        sim::EventStream stream = c.stream == sim::EventStream::Firmware ? sim::EventStream::MonitorBrightness
                                                                         : sim::EventStream::Firmware;
        EXPECT_TRUE(Selects(L"WQL", c.query, stream)) << c.query;
        EXPECT_EQ(stream, c.stream) << c.query;
    }
    sim::EventStream stream = sim::EventStream::MonitorBrightness;
    EXPECT_TRUE(Selects(L"wql", L"SELECT * FROM BIOSEvent", stream));
    EXPECT_EQ(stream, sim::EventStream::Firmware);
}

TEST(EventQuery, OtherQueriesAndLanguagesAreNotAnswered)
{
    const wchar_t* queries[] = {
        L"",
        L"   ",
        L"SELECT * FROM",
        L"SELECT * FROM BIOSEvent WHERE Data = 1",
        L"SELECT * FROM BIOSEvent x",
        L"SELECT *FROM BIOSEvent",
        L"SELECT Data FROM BIOSEvent",
        L"SELECT * IN BIOSEvent",
        L"SELECT * FROM MSAcpi_ThermalZoneTemperature",
        L"SELECT * FROM BIOSEvents",
        L"SELECT * FROM __InstanceModificationEvent",
    };
    for (const wchar_t* query : queries) {
        sim::EventStream stream = sim::EventStream::MonitorBrightness;
        EXPECT_FALSE(Selects(L"WQL", query, stream)) << '"' << query << '"';
    }
    sim::EventStream stream = sim::EventStream::Firmware;
    EXPECT_FALSE(Selects(L"SQL", L"SELECT * FROM BIOSEvent", stream));
    EXPECT_FALSE(sim::CEventHub::SelectsEvents(nullptr, Bstr(L"SELECT * FROM BIOSEvent").get(), stream));
    EXPECT_FALSE(sim::CEventHub::SelectsEvents(Bstr(L"WQL").get(), nullptr, stream));
}

} // namespace
