// The locator area's parser and builder on byte images made by hand. Each
// image sits at the start of a larger block filled with a marker, so a read
// or write past the given size shows up as the marker in a result or as a
// changed byte after the image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LocatorAreaWalker.h"

namespace {

constexpr uint8_t kMarker = 0xA5;

// An area image: header fields by offset, then entries appended.
class Image {
public:
    explicit Image(uint8_t count)
    {
        bytes.assign(kLocatorHeaderSize, 0);
        bytes[37] = count;
    }
    Image& Entry(uint8_t flags, uint8_t length, const std::string& name)
    {
        bytes.push_back(flags);
        bytes.push_back(length);
        bytes.insert(bytes.end(), name.begin(), name.end());
        return *this;
    }
    // The image followed by marker bytes; parse the first `size` bytes.
    std::vector<uint8_t> Fenced() const
    {
        std::vector<uint8_t> fenced(bytes);
        fenced.resize(bytes.size() + 64, kMarker);
        return fenced;
    }
    std::vector<uint8_t> bytes;
};

std::string Name(const PreferredNetwork& entry)
{
    return std::string(reinterpret_cast<const char*>(entry.ssid), entry.length);
}

TEST(LocatorAreaParse, ReadsTheHeaderAndTheEntriesBackToBack)
{
    Image image(2);
    image.bytes[0] = 0x48;
    image.bytes[2] = 'S';
    image.bytes[3] = 'N';
    image.bytes[4] = 'I';
    image.bytes[5] = 'F';
    image.bytes[6] = 0x01;
    image.bytes[33] = 0x80; // top byte of the seventh bitmap word
    image.bytes[34] = 1;
    image.bytes[35] = 1;
    image.bytes[36] = 2;
    image.Entry(0x03, 8, "Quillet5").Entry(0x00, 4, "Home");
    const std::vector<uint8_t> fenced = image.Fenced();
    const LocatorCriteria c = ParseLocatorArea(fenced.data(), image.bytes.size());
    EXPECT_EQ(c.areaLength, 0x48);
    EXPECT_EQ(c.signature, kLocatorSignature);
    EXPECT_EQ(c.adapterBitmap[0], 1u);
    EXPECT_EQ(c.adapterBitmap[6], 0x80000000u);
    EXPECT_EQ(c.searchMode, 1);
    EXPECT_EQ(c.strengthFilter, 1);
    EXPECT_EQ(c.bands, 2);
    ASSERT_EQ(c.preferredCount, 2);
    EXPECT_EQ(c.preferred[0].flags, 3);
    EXPECT_EQ(Name(c.preferred[0]), "Quillet5");
    EXPECT_EQ(Name(c.preferred[1]), "Home");
    EXPECT_EQ(c.preferred[2].length, 0);
}

TEST(LocatorAreaParse, OutOfRangeChoicesAndCountsReadAsZero)
{
    Image image(6);
    image.bytes[34] = 2;
    image.bytes[35] = 7;
    image.bytes[36] = 3;
    image.Entry(1, 4, "Home");
    const LocatorCriteria c = ParseLocatorArea(image.bytes.data(), image.bytes.size());
    EXPECT_EQ(c.searchMode, 0);
    EXPECT_EQ(c.strengthFilter, 0);
    EXPECT_EQ(c.bands, 0);
    EXPECT_EQ(c.preferredCount, 0);
    EXPECT_EQ(c.preferred[0].length, 0); // a count of 6 reads no entry at all

    // The highest valid values are kept.
    image.bytes[34] = 1;
    image.bytes[35] = 1;
    image.bytes[36] = 2;
    image.bytes[37] = 5;
    const LocatorCriteria kept = ParseLocatorArea(image.bytes.data(), image.bytes.size());
    EXPECT_EQ(kept.searchMode + kept.strengthFilter + kept.bands + kept.preferredCount, 9);
}

TEST(LocatorAreaParse, ALengthAbove32GivesAnEmptyEntryAndTheNextOneStartsTwoBytesOn)
{
    // Entry 1 claims 40 bytes; entry 2 is then read from the two bytes after
    // its header: flags 0x07, length 3, name "abc".
    Image image(2);
    image.Entry(0x09, 40, "").Entry(0x07, 3, "abc");
    const LocatorCriteria c = ParseLocatorArea(image.bytes.data(), image.bytes.size());
    ASSERT_EQ(c.preferredCount, 2);
    EXPECT_EQ(c.preferred[0].flags, 0x09);
    EXPECT_EQ(c.preferred[0].length, 0);
    EXPECT_EQ(c.preferred[1].flags, 0x07);
    EXPECT_EQ(Name(c.preferred[1]), "abc");
}

TEST(LocatorAreaParse, NeverReadsPastTheGivenSize)
{
    // Five entries of 32 bytes are promised; the area ends in the middle of
    // the second name, then inside the second entry's header.
    Image image(5);
    image.Entry(1, 32, std::string(32, 'x')).Entry(2, 32, std::string(10, 'y'));
    for (size_t size : {image.bytes.size(), kLocatorHeaderSize + 34 + 1, kLocatorHeaderSize + 34}) {
        const std::vector<uint8_t> fenced = image.Fenced();
        const LocatorCriteria c = ParseLocatorArea(fenced.data(), size);
        EXPECT_EQ(c.preferredCount, 5);
        EXPECT_EQ(Name(c.preferred[0]), std::string(32, 'x')) << size;
        for (int i = 1; i < kMaxPreferredNetworks; ++i) {
            EXPECT_EQ(c.preferred[i].length, 0) << "entry " << i << ", size " << size;
            EXPECT_EQ(c.preferred[i].flags, 0) << "entry " << i << ", size " << size;
        }
    }

    // An area shorter than the header: what is there is read, the rest is 0.
    const std::vector<uint8_t> fenced = Image(0).Fenced();
    std::vector<uint8_t> shortArea(fenced);
    shortArea[0] = 0x26;
    shortArea[1] = 0x00;
    shortArea[2] = 'S';
    const LocatorCriteria c = ParseLocatorArea(shortArea.data(), 3);
    EXPECT_EQ(c.areaLength, 0x26);
    EXPECT_EQ(c.signature, uint32_t{'S'});
    EXPECT_EQ(c.adapterBitmap[0], 0u);
    EXPECT_EQ(c.preferredCount, 0);
    EXPECT_EQ(ParseLocatorArea(nullptr, 200).areaLength, 0);
}

LocatorCriteria TwoNetworks()
{
    LocatorCriteria c;
    c.adapterBitmap[0] = 0x11;
    c.adapterBitmap[6] = 0xDEADBEEF;
    c.searchMode = 1;
    c.bands = 2;
    c.preferredCount = 2;
    c.preferred[0] = PreferredNetwork{0x01, 8, {'Q', 'u', 'i', 'l', 'l', 'e', 't', '5'}};
    c.preferred[1] = PreferredNetwork{0x00, 32, {}};
    for (uint8_t i = 0; i < 32; ++i) c.preferred[1].ssid[i] = static_cast<uint8_t>('A' + i % 26);
    return c;
}

TEST(LocatorAreaBuild, WritesTheImageThatParsesBackToTheSameCriteria)
{
    std::vector<uint8_t> area(kLocatorMaxUsed, kMarker);
    const size_t length = BuildLocatorArea(TwoNetworks(), area.data(), area.size());
    EXPECT_EQ(length, 38u + 10 + 34);
    EXPECT_EQ(area[0] | area[1] << 8, static_cast<int>(length));
    EXPECT_EQ(std::string(area.begin() + 2, area.begin() + 6), "SNIF");
    EXPECT_EQ(area[length], kMarker); // nothing after the image is touched

    const LocatorCriteria back = ParseLocatorArea(area.data(), area.size());
    const LocatorCriteria sent = TwoNetworks();
    EXPECT_EQ(back.areaLength, length);
    EXPECT_EQ(back.adapterBitmap[6], sent.adapterBitmap[6]);
    EXPECT_EQ(back.searchMode, 1);
    EXPECT_EQ(back.bands, 2);
    ASSERT_EQ(back.preferredCount, 2);
    EXPECT_EQ(Name(back.preferred[0]), "Quillet5");
    EXPECT_EQ(Name(back.preferred[1]), Name(sent.preferred[1]));
}

TEST(LocatorAreaBuild, AnAreaTooSmallHoldsWhatFitsAndNothingBeyond)
{
    // 51 bytes: the header, entry 1 and the start of entry 2.
    std::vector<uint8_t> area(51 + 16, kMarker);
    const size_t length = BuildLocatorArea(TwoNetworks(), area.data(), 51);
    EXPECT_EQ(length, 82u);
    EXPECT_EQ(area[0], 82); // the whole image's length, though it did not fit
    EXPECT_EQ(area[50], 'A');
    for (size_t i = 51; i < area.size(); ++i) EXPECT_EQ(area[i], kMarker) << i;

    std::vector<uint8_t> tiny(1 + 4, kMarker);
    EXPECT_EQ(BuildLocatorArea(TwoNetworks(), tiny.data(), 1), 82u);
    EXPECT_EQ(tiny[0], 82);
    EXPECT_EQ(tiny[1], kMarker);
}

TEST(LocatorAreaBuild, ACountAboveFiveWritesFiveEntriesAndSaysFive)
{
    LocatorCriteria c;
    c.preferredCount = 9;
    for (auto& entry : c.preferred) entry = PreferredNetwork{0, 1, {'n'}};
    std::vector<uint8_t> area(kLocatorMaxUsed, kMarker);
    const size_t length = BuildLocatorArea(c, area.data(), area.size());
    EXPECT_EQ(length, 38u + 5 * 3);
    EXPECT_EQ(area[37], 5);
    EXPECT_EQ(ParseLocatorArea(area.data(), length).preferredCount, 5);
}

} // namespace
