#include "AeroloStrings.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

namespace {

TEST(AeroloTexts, LineBreaksTrademarksAndBlanksAreKept)
{
    const UniqueModule module = LoadTextModule(L"AeroloTexts");
    ASSERT_TRUE(module);
    auto text = [&](UINT number) { return texts::Load(number, 1033, module.get()); };
    EXPECT_EQ(text(IDS_MAIN_CAPTION), L"Corvane Tavrin Netwisp\u2122 / Radio Configuration");
    EXPECT_EQ(text(IDS_RADIO_NOTE).substr(0, 6), L"NOTE:\n");
    EXPECT_EQ(text(IDS_SWITCH_CONTROLS_RADIOS).back(), L' ');
    EXPECT_EQ(text(IDS_SEARCH_WEAK_OR_STRONG), L"Search for any WEAK or STRONG network (< -70dBm)");
}

} // namespace
