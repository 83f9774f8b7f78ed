#include "TesselStrings.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

namespace {

TEST(TesselTexts, TileTextsAndTheOemName)
{
    const UniqueModule module = LoadTextModule(L"TesselTexts");
    ASSERT_TRUE(module);
    auto text = [&](UINT number) { return texts::Load(number, 1033, module.get()); };
    // Mobility Center reads the maker's name as ",210" of the server.
    EXPECT_EQ(IDS_OEM_NAME, 210);
    EXPECT_EQ(text(IDS_OEM_NAME), L"Corvane Inc.");
    EXPECT_EQ(text(IDS_NETWISP_TITLE), L"Netwisp\u2122");
    EXPECT_EQ(text(IDS_ACTIVATE_BLUETOOTH_FIRST),
              L"Please activate Bluetooth using the wireless key (F2) first.");
}

} // namespace
