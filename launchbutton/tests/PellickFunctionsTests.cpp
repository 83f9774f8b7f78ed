#include "ActuoStrings.h"
#include "PellickFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pellick;

TEST(PellickFunctions, StoredNumbersOutsideTheCatalogueMeanNothingAssigned)
{
    EXPECT_EQ(FromStored(0), kNotAssigned);
    EXPECT_EQ(FromStored(15), kOpenWebSite);
    EXPECT_EQ(FromStored(16), kNotAssigned);
    EXPECT_EQ(FromStored(20), kNotAssigned);
    EXPECT_EQ(FromStored(0xFFFFFFFFu), kNotAssigned);
}

TEST(PellickFunctions, LabelsFollowTheManagersTextNumbers)
{
    EXPECT_EQ(LabelId(kNotAssigned), static_cast<unsigned>(IDS_FN_NOT_ASSIGNED));
    EXPECT_EQ(LabelId(kOpenWebSite), static_cast<unsigned>(IDS_FN_OPEN_WEB_SITE));
    // The media centre shows text 11013 and the media launcher 11012.
    EXPECT_EQ(LabelId(kMediaCenter), 11013u);
    EXPECT_EQ(LabelId(kLumara), 11012u);
    // Every function has its own label.
    for (uint32_t a = 0; a < kFunctionCount; ++a)
        for (uint32_t b = a + 1; b < kFunctionCount; ++b) EXPECT_NE(LabelId(a), LabelId(b)) << a << " " << b;
}

TEST(PellickFunctions, OfferListHasTheFixedFunctionsFirstThenTheInstalledPrograms)
{
    EXPECT_EQ(OfferList({}), (std::vector<uint32_t>{0, 14, 15, 6, 7}));
    Installed all{true, true, true, true, true};
    EXPECT_EQ(OfferList(all), (std::vector<uint32_t>{0, 14, 15, 6, 7, 9, 10, 11, 12, 13}));
    Installed some;
    some.presentationSettings = true;
    some.lumara = true;
    EXPECT_EQ(OfferList(some), (std::vector<uint32_t>{0, 14, 15, 6, 7, 11, 13}));
    // Mute, display off, hibernate, sleep, eject and the network list are never offered.
    const std::vector<uint32_t> offered = OfferList(all);
    for (uint32_t hidden : {1u, 2u, 3u, 4u, 5u, 8u})
        EXPECT_EQ(std::count(offered.begin(), offered.end(), hidden), 0) << hidden;
}
