#include "PowerNotice.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

constexpr size_t kHeader = offsetof(POWERBROADCAST_SETTING, Data);

// Two pages: the first readable, the second not, so that a record can be
// placed to end exactly at the edge or to run past it.
class PowerNotice : public ::testing::Test {
protected:
    void SetUp() override
    {
        SYSTEM_INFO system{};
        ::GetSystemInfo(&system);
        m_page = system.dwPageSize;
        m_pages = static_cast<BYTE*>(
            ::VirtualAlloc(nullptr, 2 * m_page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        ASSERT_NE(m_pages, nullptr);
        DWORD old = 0;
        ASSERT_TRUE(::VirtualProtect(m_pages + m_page, m_page, PAGE_NOACCESS, &old));
    }
    void TearDown() override { ::VirtualFree(m_pages, 0, MEM_RELEASE); }

    // A record whose data ends dataLength bytes after its header, placed so
    // that readableData of those bytes lie before the unreadable page.
    LPARAM Record(DWORD dataLength, size_t readableData)
    {
        auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(m_pages + m_page - kHeader - readableData);
        setting->DataLength = dataLength;
        return reinterpret_cast<LPARAM>(setting);
    }

    BYTE* m_pages = nullptr;
    size_t m_page = 0;
};

TEST_F(PowerNotice, ASentRecordReadableAsAWholeIsKept)
{
    EXPECT_FALSE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, Record(4, 4), ISMEX_SEND));
    EXPECT_FALSE(
        power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, Record(1, 16), ISMEX_SEND | ISMEX_REPLIED));
}

TEST_F(PowerNotice, APostedRecordIsDroppedEvenWhenReadable)
{
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, Record(4, 4), ISMEX_NOSEND));
}

TEST_F(PowerNotice, ASentRecordThatCannotBeReadWholeIsDropped)
{
    // Data running one byte, or a length near 4 GB, past the readable page.
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, Record(5, 4), ISMEX_SEND));
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, Record(0xFFFFFFFF, 4), ISMEX_SEND));
    // The header itself unreadable, or no record at all.
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(m_pages + m_page),
                                          ISMEX_SEND));
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, 0, ISMEX_SEND));
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, 0x10, ISMEX_SEND));
}

TEST_F(PowerNotice, ASentRecordOnAGuardPageIsDropped)
{
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(m_pages, m_page, PAGE_READWRITE | PAGE_GUARD, &old));
    // Placed without touching the page, which would lift the guard.
    const LPARAM record = reinterpret_cast<LPARAM>(m_pages + m_page - kHeader - 4);
    EXPECT_TRUE(power_notice::IsUntrusted(PBT_POWERSETTINGCHANGE, record, ISMEX_SEND));
}

TEST_F(PowerNotice, OtherPowerEventsCarryNoRecordAndPassPostedOrNot)
{
    for (WPARAM event :
         {PBT_APMSUSPEND, PBT_APMRESUMESUSPEND, PBT_APMPOWERSTATUSCHANGE, PBT_APMQUERYSUSPENDFAILED}) {
        EXPECT_FALSE(power_notice::IsUntrusted(event, 0x10, ISMEX_NOSEND)) << event;
        EXPECT_FALSE(power_notice::IsUntrusted(event, 0, ISMEX_SEND)) << event;
    }
}

} // namespace
