#include "BiosCalls.h"
#include "CapabilitySet.h"
#include "FeatureConfig.h"
#include "OemKeyList.h"
#include "VersionReport.h"
#include <gtest/gtest.h>

#include <string>
#include <cstring>

namespace {

using feature_config::ApplyTavrinControl;
using feature_config::OsdStyle;

CCapabilitySet CapsFor(DWORD control, bool intelligentDisplay = false)
{
    CCapabilitySet caps;
    ApplyTavrinControl(control, intelligentDisplay, caps);
    return caps;
}

TEST(TavrinControl, MissingValueMeansStyleTwoAndNothingOptional)
{
    EXPECT_EQ(OsdStyle(0), 2);
    CCapabilitySet caps = CapsFor(0);
    for (int word = 0; word < 16; ++word) EXPECT_EQ(caps.Word(word), 0u) << word;
    EXPECT_FALSE(caps.IsSet(feature_config::kKeyboardDll));
}

TEST(TavrinControl, RadioOptionForcesTheNewerFamilyOverStyleBits)
{
    const DWORD control = 0x8000 | 0x0020 | 0x0002 | 0x0001;
    EXPECT_EQ(OsdStyle(control), 3);
    CCapabilitySet caps = CapsFor(control);
    EXPECT_TRUE(caps.IsSet(5));
    EXPECT_TRUE(caps.IsSet(15));
    EXPECT_EQ(caps.Word(0), (1u << 5) | (1u << 15));
}

TEST(TavrinControl, StyleFollowsTheStyleBits)
{
    EXPECT_EQ(OsdStyle(0x0001), 0);
    EXPECT_EQ(OsdStyle(0x0002), 1);
    EXPECT_EQ(OsdStyle(0x0003), 1);
    EXPECT_EQ(OsdStyle(0x8001), 0);
    EXPECT_EQ(OsdStyle(0x8000), 3);
    EXPECT_EQ(OsdStyle(0x0020), 2);
    EXPECT_EQ(OsdStyle(0x8020), 3);
}

TEST(TavrinControl, EachOptionMapsToItsOwnBit)
{
    for (int bit : {2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15}) {
        CCapabilitySet caps = CapsFor(1u << bit);
        EXPECT_EQ(caps.Word(0), 1u << bit) << bit;
    }
    // 0x0400 is for the tile server; the style bits set no capability.
    EXPECT_EQ(CapsFor(0x0400 | 0x0001 | 0x0002).Word(0), 0u);
    EXPECT_EQ(CapsFor(0xFFFF0000).Word(0), 0u);
}

TEST(TavrinControl, IntelligentDisplayNeedsTheFeature)
{
    EXPECT_FALSE(CapsFor(0x0800, false).IsSet(11));
    EXPECT_TRUE(CapsFor(0x0800, true).IsSet(11));
    EXPECT_FALSE(CapsFor(0, true).IsSet(11));
}

TEST(CapabilitySet, BitsOutsideTheSetReadClearAndCannotBeSet)
{
    CCapabilitySet caps;
    caps.Set(33);
    caps.Set(511);
    caps.Set(512);
    caps.Set(-1);
    EXPECT_EQ(caps.Word(1), 2u);
    EXPECT_EQ(caps.Word(15), 0x80000000u);
    EXPECT_TRUE(caps.IsSet(511));
    EXPECT_FALSE(caps.IsSet(512));
    EXPECT_FALSE(caps.IsSet(-1));
    EXPECT_EQ(caps.Word(16), 0u);
    caps.Clear();
    EXPECT_FALSE(caps.IsSet(33));
}

// The child half of the Windows 8 case below: started with the version it must see.
TEST(WindowsVersion, ChildReportsTheBitItWasStartedFor)
{
    wchar_t expected[16] = {};
    if (::GetEnvironmentVariableW(L"TAVRIN_EXPECTED_VERSION_BIT", expected, 16) == 0)
        GTEST_SKIP() << "runs only as the child of EachWorkstationVersionGivesItsOwnBit";
    EXPECT_EQ(feature_config::WindowsVersionBit(), _wtoi(expected));
}

// Runs this test program again as Wine's `version` for it (AppDefaults) and
// expects the child to see `bit`.
void ExpectBitUnderVersion(const wchar_t* version, int bit)
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path = self;
    const std::wstring exe = path.substr(path.find_last_of(L"\\/") + 1);
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + exe;
    HKEY appKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &appKey, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(appKey, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(appKey);
    ::SetEnvironmentVariableW(L"TAVRIN_EXPECTED_VERSION_BIT", std::to_wstring(bit).c_str());
    std::wstring commandLine
        = L"\"" + path + L"\" --gtest_filter=WindowsVersion.ChildReportsTheBitItWasStartedFor";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                          nullptr, &startup, &info);
    DWORD exitCode = 1;
    if (started) {
        ::WaitForSingleObject(info.hProcess, 60000);
        ::GetExitCodeProcess(info.hProcess, &exitCode);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    ::SetEnvironmentVariableW(L"TAVRIN_EXPECTED_VERSION_BIT", nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u) << "the child under " << std::string(version, version + wcslen(version))
                            << " saw another Windows version";
}

// Wine's "win7" reports a server product type (6.1 server is not Windows 7),
// so the workstation test is made on Windows 8 and Vista, which it reports as
// workstations.
TEST(WindowsVersion, EachWorkstationVersionGivesItsOwnBit)
{
    ExpectBitUnderVersion(L"win8", feature_config::kWindows8);
    ExpectBitUnderVersion(L"vista", feature_config::kWindowsVista);
}

TEST(VersionNumber, DotsAreDroppedAndDigitsRead)
{
    using version_report::ParseVersionNumber;
    EXPECT_EQ(ParseVersionNumber(L"1.3.8"), 138u);
    EXPECT_EQ(ParseVersionNumber(L"2.10.0"), 2100u);
    EXPECT_EQ(ParseVersionNumber(L""), 0u);
    EXPECT_EQ(ParseVersionNumber(L"..."), 0u);
    EXPECT_EQ(ParseVersionNumber(L"abc"), 0u);
    EXPECT_EQ(ParseVersionNumber(L"1.3.8 beta"), 138u);
    EXPECT_EQ(ParseVersionNumber(L"1.3b.8"), 13u);
    EXPECT_EQ(ParseVersionNumber(L"  4.2"), 42u);
    EXPECT_EQ(ParseVersionNumber(L"-1.3"), 0u);
    EXPECT_EQ(ParseVersionNumber(L"4294967295"), 4294967295u);
    EXPECT_EQ(ParseVersionNumber(L"4294967296"), 0u);
    EXPECT_EQ(ParseVersionNumber(L"1.2.3.4.5.6.7.8.9.0.1.2.3"), 0u);
}

class RecordingBios : public IBiosCalls {
public:
    BiosCallBuffer sent{};
    int calls = 0;
    bool answer = true;
    int32_t status = 0;

    bool PerformSmi(BiosCallBuffer& buffer, int) override
    {
        ++calls;
        sent = buffer;
        buffer.cbRes1 = answer ? status : kBiosNoAnswer;
        return answer;
    }
};

TEST(VersionReport, SendsSignatureVersionAndState)
{
    RecordingBios bios;
    EXPECT_TRUE(version_report::Report(bios, 138, 1));
    EXPECT_EQ(bios.calls, 1);
    EXPECT_EQ(bios.sent.cbClass, 0x0011);
    EXPECT_EQ(bios.sent.cbSelect, 0x0003);
    EXPECT_EQ(bios.sent.cbArg1, 0x10000u);
    EXPECT_EQ(bios.sent.cbArg2, 0x5456524Eu);
    EXPECT_EQ(bios.sent.cbArg3, 138u);
    EXPECT_EQ(bios.sent.cbArg4, 1u);
    // The signature spells TVRN from its most significant byte.
    const uint32_t signature = version_report::kSignature;
    EXPECT_EQ(
        std::string({char(signature >> 24), char(signature >> 16), char(signature >> 8), char(signature)}),
        "TVRN");
}

TEST(VersionReport, FirmwareRefusalOrSilenceIsFailure)
{
    RecordingBios refusing;
    refusing.status = -1;
    EXPECT_FALSE(version_report::Report(refusing, 138, 0));
    RecordingBios silent;
    silent.answer = false;
    EXPECT_FALSE(version_report::Report(silent, 138, 0));
    EXPECT_EQ(silent.sent.cbArg4, 0u);
}

TEST(OemKeyList, EntriesSitWhereTheKeyboardDllReadsThem)
{
    static COemKeyList list;
    list.Fill();
    ASSERT_EQ(list.Count(), 33);
    const auto* bytes = reinterpret_cast<const uint8_t*>(list.Entries());
    auto scanAt = [&](int i) {
        uint16_t scan;
        std::memcpy(&scan, bytes + i * 3648, sizeof(scan));
        return scan;
    };
    auto extAt = [&](int i) {
        int32_t ext;
        std::memcpy(&ext, bytes + i * 3648 + 4, sizeof(ext));
        return ext;
    };
    EXPECT_EQ(scanAt(0), 0xF7);
    EXPECT_EQ(extAt(0), 1);
    EXPECT_EQ(scanAt(22), 0x9B); // display-switch key released
    EXPECT_EQ(scanAt(25), 0x3A); // Caps Lock is the one plain key before Num Lock
    EXPECT_EQ(extAt(25), 0);
    EXPECT_EQ(scanAt(26), 0x45);
    EXPECT_EQ(extAt(26), 1);
    EXPECT_EQ(scanAt(32), 0x29);
    int plain = 0;
    for (int i = 0; i < 33; ++i) plain += extAt(i) == 0;
    EXPECT_EQ(plain, 1);
}

} // namespace
