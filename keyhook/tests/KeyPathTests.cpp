// Registry paths built in place for the checksum walk.
#include "KeyPath.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(KeyPathTest, JoinsTextAndDecimalNumbers)
{
    KeyPath path(L"Root");
    path.Append(L"\\Scheme").AppendNumber(12).Append(L"\\Button").AppendNumber(0);
    EXPECT_TRUE(path.Valid());
    EXPECT_EQ(std::wstring(path.Text()), L"Root\\Scheme12\\Button0");
}

TEST(KeyPathTest, ExtremeNumbersAreSpeltWhole)
{
    EXPECT_EQ(std::wstring(KeyPath(L"").AppendNumber(INT_MAX).Text()), L"2147483647");
    EXPECT_EQ(std::wstring(KeyPath(L"").AppendNumber(INT_MIN).Text()), L"-2147483648");
    EXPECT_EQ(std::wstring(KeyPath(L"").AppendNumber(-7).Text()), L"-7");
}

TEST(KeyPathTest, FillsToCapacityLessTheTerminatorAndNoFurther)
{
    const std::wstring fits(KeyPath::kCapacity - 1, L'a');
    KeyPath full(fits.c_str());
    EXPECT_TRUE(full.Valid());
    EXPECT_EQ(std::wstring(full.Text()), fits);

    full.AppendNumber(1);
    EXPECT_FALSE(full.Valid()) << "one character more does not fit";
    EXPECT_EQ(std::wstring(full.Text()), fits) << "the text stays terminated inside the buffer";
}

TEST(KeyPathTest, NullTextMakesThePathInvalid)
{
    KeyPath path(nullptr);
    EXPECT_FALSE(path.Valid());
    EXPECT_FALSE(KeyPath(L"Root").Append(nullptr).Valid());
}

} // namespace
