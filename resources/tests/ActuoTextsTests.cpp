#include "ActuoStrings.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

namespace {

TEST(ActuoTexts, FunctionLabelsKeepTheirNumbers)
{
    const UniqueModule module = LoadTextModule(L"ActuoTexts");
    ASSERT_TRUE(module);
    auto text = [&](UINT number) { return texts::Load(number, 1033, module.get()); };
    // Functions 12 and 13 show each other's neighbouring numbers.
    EXPECT_EQ(text(IDS_FN_MEDIA_CENTER), L"Launch Windows Media Center");
    EXPECT_EQ(text(IDS_FN_LUMARA), L"Bring Corvane Lumara forward");
    EXPECT_EQ(text(IDS_FN_WIRELESS_DISPLAY), L"Launch Intel\u00AE Wireless Display");
    EXPECT_EQ(text(IDS_MANAGER_CAPTION), L"Corvane Flinto Manager");
}

} // namespace
