// Button-scheme checksums through the DLL's exports, against the registry
// tree under HKLM. Expected checksums are worked out by hand from the
// totals named in each test.
#include "BrsChecksum.h"
#include "RegistrySnapshot.h"
#include "ZelkeyApi.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kVendor = L"SOFTWARE\\Corvane Computer Corporation";
const std::wstring kBrisco = kVendor + L"\\Brisco";
const std::wstring kScheme1 = kBrisco + L"\\Scheme1";
const std::wstring kButton1 = kScheme1 + L"\\Button1";

TEST(BrsChecksumMixTest, SpreadsTheTotalAndAddsTheBase)
{
    EXPECT_EQ(BrsChecksum::Mix(0), 0x1234u);
    EXPECT_EQ(BrsChecksum::Mix(1), 0x40001234u);
    EXPECT_EQ(BrsChecksum::Mix(3), 0x4000123Eu);
    EXPECT_EQ(BrsChecksum::Mix(0x10), 0x1238u);
    EXPECT_EQ(BrsChecksum::Mix(0x80000000u), 0x80001236u);
    EXPECT_EQ(BrsChecksum::Mix(0xFFFFFFFFu), 0x1233u) << "the addition wraps";
}

bool KeyExists(const std::wstring& path)
{
    UniqueKey key;
    return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put())
           == ERROR_SUCCESS;
}

class BrsChecksumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(api.Load());
        ASSERT_NO_FATAL_FAILURE(DeleteTree(kBrisco));
    }

    void TearDown() override
    {
        saved.Restore();
        if (!vendorExisted) DeleteTree(kVendor);
    }

    static void DeleteTree(const std::wstring& path)
    {
        UniqueKey key;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, key.put())
            != ERROR_SUCCESS) {
            return;
        }
        ::RegDeleteTreeW(key.get(), nullptr);
        key.reset();
        ASSERT_EQ(::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_64KEY, 0), ERROR_SUCCESS);
    }

    static UniqueKey Create(const std::wstring& path)
    {
        UniqueKey key;
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                          nullptr, key.put(), nullptr);
        return key;
    }

    static void SetDword(const std::wstring& path, const wchar_t* name, DWORD value)
    {
        ASSERT_EQ(::RegSetValueExW(Create(path).get(), name, 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&value), sizeof(value)),
                  ERROR_SUCCESS);
    }

    static void SetString(const std::wstring& path, const wchar_t* name, const std::wstring& text)
    {
        ASSERT_EQ(::RegSetValueExW(Create(path).get(), name, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    static std::optional<DWORD> Stored(const std::wstring& path)
    {
        UniqueKey key;
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put())
                != ERROR_SUCCESS
            || ::RegQueryValueExW(key.get(), L"CheckSum", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                  &size)
                   != ERROR_SUCCESS
            || type != REG_DWORD) {
            return std::nullopt;
        }
        return value;
    }

    // Top level selecting its first four values (total 1 + 1 + 8 + 1 = 11),
    // one scheme named "A" with one button, every CheckSum 0xDEAD.
    void BuildTree()
    {
        SetDword(kBrisco, L"Bitmap", 0x0F);
        SetDword(kBrisco, L"MaximumAllowedScheme", 1);
        SetDword(kBrisco, L"CurrentSelectedScheme", 1);
        SetDword(kBrisco, L"MaximumNoOfButtons", 8);
        SetDword(kBrisco, L"ShowScheme", 1);
        SetDword(kBrisco, L"CheckSum", 0xDEAD);
        SetDword(kScheme1, L"Bitmap", 0x03);
        SetString(kScheme1, L"SchemeName", L"A");
        SetDword(kScheme1, L"NumberOfButtons", 1);
        SetDword(kScheme1, L"CheckSum", 0xDEAD);
        BuildButton();
    }

    // ButtonText "Mail" (10 bytes: 9), ButtonFunction 5, KeyBMP "k.bmp"
    // (12 bytes: 11) selected: total 25; HelpText present but not selected.
    void BuildButton()
    {
        SetDword(kButton1, L"Bitmap", 0x403);
        SetString(kButton1, L"ButtonText", L"Mail");
        SetDword(kButton1, L"ButtonFunction", 5);
        SetString(kButton1, L"KeyBMP", L"k.bmp");
        SetString(kButton1, L"HelpText", L"Opens the mail program");
        SetDword(kButton1, L"CheckSum", 0xDEAD);
    }

    static constexpr DWORD kTopChecksum = 0x4000125E; // total 11
    static constexpr DWORD kSchemeChecksum = 0x1235; // "A" 3 + 1 button = 4
    static constexpr DWORD kButtonChecksum = 0x40001260; // total 25

    bool vendorExisted = KeyExists(kVendor);
    RegistrySnapshot saved{HKEY_LOCAL_MACHINE, kBrisco};
    ZelkeyApi api;
};

TEST_F(BrsChecksumTest, EmptyBitmapGivesTheBaseValue)
{
    SetDword(kBrisco, L"Bitmap", 0);
    SetDword(kBrisco, L"MaximumAllowedScheme", 0);
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_EQ(Stored(kBrisco), 0x1234u);
}

TEST_F(BrsChecksumTest, OneCharacterSchemeNameCountsThree)
{
    SetDword(kScheme1, L"Bitmap", 0x01);
    SetString(kScheme1, L"SchemeName", L"A");
    SetDword(kScheme1, L"NumberOfButtons", 0);
    ASSERT_TRUE(api.SetSchemeCheckSum(1));
    EXPECT_EQ(Stored(kScheme1), BrsChecksum::Mix(3));
    EXPECT_EQ(Stored(kScheme1), 0x4000123Eu);
}

TEST_F(BrsChecksumTest, ModeZeroWritesOnlyTheTopLevel)
{
    BuildTree();
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_EQ(Stored(kBrisco), kTopChecksum);
    EXPECT_EQ(Stored(kScheme1), 0xDEADu);
    EXPECT_EQ(Stored(kButton1), 0xDEADu);
}

TEST_F(BrsChecksumTest, ModeOneWritesSchemesAndTheirButtons)
{
    BuildTree();
    ASSERT_TRUE(api.SetBRSCheckSum(1));
    EXPECT_EQ(Stored(kBrisco), kTopChecksum);
    EXPECT_EQ(Stored(kScheme1), kSchemeChecksum);
    EXPECT_EQ(Stored(kButton1), kButtonChecksum);
    EXPECT_TRUE(api.VerifyBRSCheckSum());
}

TEST_F(BrsChecksumTest, VerifyWithNoSchemesChecksOnlyTheTopLevel)
{
    SetDword(kBrisco, L"Bitmap", 0x01);
    SetDword(kBrisco, L"MaximumAllowedScheme", 0);
    SetDword(kScheme1, L"CheckSum", 0xDEAD);
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_TRUE(api.VerifyBRSCheckSum());
    SetDword(kBrisco, L"CheckSum", 0x1235);
    EXPECT_FALSE(api.VerifyBRSCheckSum());
}

TEST_F(BrsChecksumTest, VerifyDetectsAHandEditedValue)
{
    BuildTree();
    ASSERT_TRUE(api.SetBRSCheckSum(1));
    SetString(kButton1, L"HelpText", L"Edited, but not selected");
    EXPECT_TRUE(api.VerifyBRSCheckSum());
    SetDword(kButton1, L"ButtonFunction", 6);
    EXPECT_FALSE(api.VerifyBRSCheckSum());
    SetDword(kButton1, L"ButtonFunction", 5);
    EXPECT_TRUE(api.VerifyBRSCheckSum());
    SetString(kScheme1, L"SchemeName", L"AB");
    EXPECT_FALSE(api.VerifyBRSCheckSum());
}

TEST_F(BrsChecksumTest, VerifyFailsForAMissingSchemeOrButton)
{
    BuildTree();
    ASSERT_TRUE(api.SetBRSCheckSum(1));
    SetDword(kScheme1, L"NumberOfButtons", 2);
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_FALSE(api.SetSchemeCheckSum(1)) << "Button2 does not exist";
    EXPECT_FALSE(api.VerifyBRSCheckSum());
    SetDword(kScheme1, L"NumberOfButtons", 1);
    SetDword(kBrisco, L"MaximumAllowedScheme", 2);
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_FALSE(api.VerifyBRSCheckSum()) << "Scheme2 does not exist";
}

TEST_F(BrsChecksumTest, ValueOfTheWrongTypeIsAFailureNotAChecksum)
{
    BuildTree();
    SetString(kButton1, L"ButtonFunction", L"5");
    EXPECT_FALSE(api.SetButtonCheckSum(1, 1));
    EXPECT_EQ(Stored(kButton1), 0xDEADu) << "nothing may be written";
    EXPECT_FALSE(api.SetBRSCheckSum(1));
    EXPECT_FALSE(api.VerifyBRSCheckSum());
}

TEST_F(BrsChecksumTest, MissingBitmapOrKeyIsAFailure)
{
    BuildTree();
    ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kButton1.c_str(), L"Bitmap");
    EXPECT_FALSE(api.SetButtonCheckSum(1, 1));
    EXPECT_FALSE(api.SetButtonCheckSum(1, 2));
    EXPECT_FALSE(api.SetButtonCheckSum(0, 1));
    EXPECT_FALSE(api.SetSchemeCheckSum(-1));
    EXPECT_FALSE(api.SetSchemeCheckSum(2));
}

TEST_F(BrsChecksumTest, SchemeNameLongerThanItsBufferCannotBeRead)
{
    SetDword(kScheme1, L"Bitmap", 0x01);
    SetDword(kScheme1, L"NumberOfButtons", 0);
    SetString(kScheme1, L"SchemeName", std::wstring(259, L'x')); // 520 bytes with the terminator
    ASSERT_TRUE(api.SetSchemeCheckSum(1));
    EXPECT_EQ(Stored(kScheme1), BrsChecksum::Mix(519));
    SetString(kScheme1, L"SchemeName", std::wstring(260, L'x'));
    EXPECT_FALSE(api.SetSchemeCheckSum(1));
}

// Bitmap 0x11 selects MaximumAllowedScheme (0) and the key's own CheckSum.
TEST_F(BrsChecksumTest, AKeyThatSelectsItsOwnChecksumStartsAtZeroAndThenIncludesIt)
{
    SetDword(kBrisco, L"Bitmap", 0x11);
    SetDword(kBrisco, L"MaximumAllowedScheme", 0);
    ASSERT_TRUE(api.SetBRSCheckSum(0)) << "no CheckSum stored yet";
    EXPECT_EQ(Stored(kBrisco), 0u);
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_EQ(Stored(kBrisco), 0x1234u) << "total 0 + the stored 0";
    ASSERT_TRUE(api.SetBRSCheckSum(0));
    EXPECT_EQ(Stored(kBrisco), BrsChecksum::Mix(0x1234)) << "total 0 + the stored 0x1234";
}

TEST_F(BrsChecksumTest, AButtonThatSelectsOnlyItsOwnChecksumCanBeInitialised)
{
    SetDword(kButton1, L"Bitmap", 0x800);
    ASSERT_TRUE(api.SetButtonCheckSum(1, 1));
    EXPECT_EQ(Stored(kButton1), 0u);
    ASSERT_TRUE(api.SetButtonCheckSum(1, 1));
    EXPECT_EQ(Stored(kButton1), 0x1234u);
}

TEST_F(BrsChecksumTest, AnOwnChecksumOfTheWrongTypeIsStillAFailure)
{
    SetDword(kBrisco, L"Bitmap", 0x11);
    SetDword(kBrisco, L"MaximumAllowedScheme", 0);
    SetString(kBrisco, L"CheckSum", L"1234");
    EXPECT_FALSE(api.SetBRSCheckSum(0));
    UniqueKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBrisco.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()),
              ERROR_SUCCESS);
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExW(key.get(), L"CheckSum", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << "nothing may be written over it";
}

TEST_F(BrsChecksumTest, AnotherMissingSelectedValueIsStillAFailure)
{
    SetDword(kBrisco, L"Bitmap", 0x19); // MaximumAllowedScheme, ShowScheme (missing), CheckSum
    SetDword(kBrisco, L"MaximumAllowedScheme", 0);
    EXPECT_FALSE(api.SetBRSCheckSum(0));
    EXPECT_FALSE(Stored(kBrisco).has_value());
}

} // namespace
