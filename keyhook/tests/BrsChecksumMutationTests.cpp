// Button-scheme trees of every shape, made from a fixed seed so that a
// failure can be replayed: values of the wrong type or size, missing or
// extra keys, counts far beyond the keys that exist. Whatever the tree, the
// checksum walk ends, and a tree it could checksum whole verifies. (A key
// whose Bitmap selects its own CheckSum takes the stored one into the next
// checksum, so it cannot verify by design: the trees made here never select it.)
#include "BrsChecksum.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const std::wstring kRoot = L"Software\\Corvane Computer Corporation\\TavrinTestBrisco";

const wchar_t* const kTopNames[] = {L"MaximumAllowedScheme",
                                    L"CurrentSelectedScheme",
                                    L"MaximumNoOfButtons",
                                    L"ShowScheme",
                                    L"CheckSum",
                                    L"Bitmap"};
const wchar_t* const kSchemeNames[] = {L"SchemeName", L"NumberOfButtons", L"CheckSum", L"Bitmap"};
const wchar_t* const kButtonNames[]
    = {L"ButtonText",  L"ButtonFunction", L"ButtonCommand", L"ButtonBMP",    L"ButtonScanCode",
       L"TooltipText", L"HelpText",       L"FixedButton",   L"ButtonBrowse", L"DragDropEnabled",
       L"KeyBMP",      L"CheckSum",       L"Bitmap"};

class TreeMaker {
public:
    explicit TreeMaker(uint32_t seed) : m_random(seed) {}

    void Make()
    {
        DeleteTree();
        const int schemes = static_cast<int>(m_random() % 4);
        Fill(kRoot, kTopNames, schemes, 4);
        for (int s = 1; s <= schemes; ++s) {
            const std::wstring scheme = kRoot + L"\\Scheme" + std::to_wstring(s);
            const int buttons = static_cast<int>(m_random() % 4);
            Fill(scheme, kSchemeNames, buttons, 2);
            for (int b = 1; b <= buttons; ++b)
                Fill(scheme + L"\\Button" + std::to_wstring(b), kButtonNames, 0, 11);
        }
    }

    static void DeleteTree() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot.c_str()); }

private:
    // Each value present or not, of its usual type most of the time; a count
    // is mostly the number of keys below, sometimes far more or fewer; the
    // Bitmap never selects the key's own CheckSum (bit `ownChecksumBit`).
    template <size_t N>
    void Fill(const std::wstring& path, const wchar_t* const (&names)[N], int below, int ownChecksumBit)
    {
        UniqueKey key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    key.put(), nullptr),
                  ERROR_SUCCESS);
        for (const wchar_t* name : names) {
            if (m_random() % 5 == 0) continue;
            const std::wstring value = name;
            const bool count = value == L"MaximumAllowedScheme" || value == L"NumberOfButtons";
            const bool text = value.find(L"Text") != std::wstring::npos || value == L"SchemeName"
                              || value.find(L"BMP") != std::wstring::npos || value == L"ButtonCommand";
            switch (m_random() % 8) {
            case 0: { // a value of the other kind
                const DWORD number = m_random();
                ::RegSetValueExW(key.get(), name, 0, text ? REG_DWORD : REG_SZ,
                                 reinterpret_cast<const BYTE*>(&number), sizeof(number));
                break;
            }
            case 1: { // bytes of any size
                std::vector<BYTE> bytes(m_random() % 1200);
                for (BYTE& b : bytes) b = static_cast<BYTE>(m_random());
                ::RegSetValueExW(key.get(), name, 0, REG_BINARY, bytes.data(),
                                 static_cast<DWORD>(bytes.size()));
                break;
            }
            default:
                if (text) {
                    const std::wstring letters(m_random() % 700,
                                               static_cast<wchar_t>(L'a' + m_random() % 26));
                    ::RegSetValueExW(key.get(), name, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(letters.c_str()),
                                     static_cast<DWORD>((letters.size() + 1) * sizeof(wchar_t)));
                } else {
                    DWORD number = m_random();
                    if (count)
                        number
                            = m_random() % 6 == 0 ? 0xFFFFFFF0u - m_random() % 16 : static_cast<DWORD>(below);
                    if (value == L"Bitmap") {
                        if (m_random() % 2 == 0) number = 0xFFFFFFFF;
                        number &= ~(1u << ownChecksumBit);
                    }
                    ::RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                     sizeof(number));
                }
                break;
            }
        }
    }

    std::mt19937 m_random;
};

TEST(BrsChecksumMutation, EveryTreeEndsAndAWholeChecksumVerifies)
{
    TreeMaker trees(20261210);
    const BrsChecksum checksum(HKEY_CURRENT_USER, kRoot.c_str());
    int whole = 0;
    for (int round = 0; round < 300; ++round) {
        trees.Make();
        SCOPED_TRACE(testing::Message() << "round " << round);
        (void)checksum.GetBRSCheckSum();
        (void)checksum.GetSchemeCheckSum(1);
        (void)checksum.GetButtonCheckSum(1, 1);
        (void)checksum.VerifyBRSCheckSum();
        if (checksum.SetBRSCheckSum(1)) {
            ++whole;
            EXPECT_TRUE(checksum.VerifyBRSCheckSum());
        }
    }
    TreeMaker::DeleteTree();
    // The seed makes some trees whole: the invariant was really exercised.
    EXPECT_GE(whole, 5);
}

} // namespace
