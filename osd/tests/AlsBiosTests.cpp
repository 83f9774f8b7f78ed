// The light sensor's status call: what is asked and what is handed back.
#include "AlsBios.h"
#include "AlsStatus.h"
#include "RecordingBios.h"

#include <gtest/gtest.h>

TEST(AlsBios, AnswerGivesTheStateAndTheFourBytesOfRes3)
{
    RecordingBios bios;
    bios.script = [](BiosCallBuffer& call) {
        call.cbRes1 = 0;
        call.cbRes2 = 0xAB01;
        call.cbRes3 = 0x44332211;
        return true;
    };
    uint8_t enabled = 9, b0 = 9, b1 = 9, b2 = 9, b3 = 9;
    EXPECT_TRUE(CAlsBios(&bios).ReadStatus(&enabled, &b0, &b1, &b2, &b3));
    ASSERT_EQ(bios.requests.size(), 1u);
    EXPECT_EQ(bios.requests[0].cbClass, 0x0011);
    EXPECT_EQ(bios.requests[0].cbSelect, 0x000A);
    EXPECT_EQ(bios.requests[0].cbArg1, 0u);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(b0, 0x11);
    EXPECT_EQ(b1, 0x22);
    EXPECT_EQ(b2, 0x33);
    EXPECT_EQ(b3, 0x44);
    EXPECT_EQ(ReadAlsEnabled(&bios), std::optional<bool>(true));
}

TEST(AlsBios, FailureClearsEveryOutputAskedFor)
{
    RecordingBios bios;
    // Went through, but the firmware refused; then did not go through at all.
    bios.script = [](BiosCallBuffer& call) {
        call.cbRes1 = -1;
        call.cbRes2 = 1;
        call.cbRes3 = 0xFFFFFFFF;
        return true;
    };
    uint8_t enabled = 9, b2 = 9;
    EXPECT_FALSE(CAlsBios(&bios).ReadStatus(&enabled, nullptr, nullptr, &b2));
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(b2, 0);
    bios.script = nullptr;
    enabled = 9;
    EXPECT_FALSE(CAlsBios(&bios).ReadStatus(&enabled));
    EXPECT_EQ(enabled, 0);
    EXPECT_FALSE(ReadAlsEnabled(&bios).has_value());
    enabled = 9;
    EXPECT_FALSE(CAlsBios(nullptr).ReadStatus(&enabled));
    EXPECT_EQ(enabled, 0);
}
