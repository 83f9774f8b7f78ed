// The displays' pictures as Windows loads them from Tavrin.exe: every line of
// the picture list (TAVRIN_ART_LIST) is a bitmap of its size and depth, or an
// icon whose group hands the loader a 32-bit image of each listed size.
#include "UniqueHandle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ListedPicture {
    std::string macro;
    WORD id = 0;
    std::vector<int> sizes; // width, height for a bitmap; the pixel sizes of an icon
    std::string key;
};

std::map<std::string, WORD> CatalogueIds()
{
    std::map<std::string, WORD> ids;
    std::ifstream file(TAVRIN_ART_CATALOGUE);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string define, macro;
        int id = 0;
        if (words >> define >> macro >> id && define == "#define") ids[macro] = static_cast<WORD>(id);
    }
    return ids;
}

std::vector<ListedPicture> ListedPictures()
{
    const auto ids = CatalogueIds();
    std::vector<ListedPicture> pictures;
    std::ifstream file(TAVRIN_ART_LIST);
    std::string line;
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        ListedPicture picture;
        std::string drawing, size;
        if (!(words >> picture.macro >> drawing >> size >> picture.key)) continue;
        const auto id = ids.find(picture.macro);
        picture.id = id == ids.end() ? 0 : id->second;
        for (char& c : size)
            if (c == 'x' || c == ',') c = ' ';
        std::istringstream numbers(size);
        for (int n = 0; numbers >> n;) picture.sizes.push_back(n);
        pictures.push_back(picture);
    }
    return pictures;
}

UniqueModule LoadProgram()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, length);
    file.erase(file.find_last_of(L"\\/") + 1);
    return UniqueModule(
        ::LoadLibraryExW((file + L"Tavrin.exe").c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// The colour at (x, y) of a bottom-up DIB section of 24 bits.
COLORREF PixelOf(const DIBSECTION& dib, int x, int y)
{
    const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const BYTE* pixel = bits + (dib.dsBm.bmHeight - 1 - y) * dib.dsBm.bmWidthBytes + 3 * x;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

class DisplayPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program) << "Tavrin.exe not loaded";
        ASSERT_FALSE(pictures.empty()) << "no picture list at " << TAVRIN_ART_LIST;
    }

    UniqueModule program = LoadProgram();
    std::vector<ListedPicture> pictures = ListedPictures();
};

TEST_F(DisplayPictures, ListNamesCataloguedPictures)
{
    for (const auto& picture : pictures) EXPECT_NE(picture.id, 0) << picture.macro;
}

TEST_F(DisplayPictures, EveryBitmapLoadsAtItsSizeWithItsKey)
{
    for (const auto& picture : pictures) {
        if (picture.key == "icon") continue;
        SCOPED_TRACE(picture.macro);
        UniqueGdiObject bitmap(::LoadImageW(program.get(), MAKEINTRESOURCEW(picture.id), IMAGE_BITMAP, 0, 0,
                                            LR_CREATEDIBSECTION));
        ASSERT_TRUE(bitmap);
        DIBSECTION dib = {};
        ASSERT_EQ(::GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, picture.sizes.at(0));
        EXPECT_EQ(dib.dsBm.bmHeight, picture.sizes.at(1));
        ASSERT_EQ(dib.dsBm.bmBitsPixel, 24);
        const int w = dib.dsBm.bmWidth, h = dib.dsBm.bmHeight;
        if (picture.key == "magenta") {
            const int at = std::min(w, h) <= 16 ? 2 : 5;
            EXPECT_EQ(PixelOf(dib, at, at), RGB(255, 0, 255));
        } else if (picture.key == "yellow-panel") {
            for (const POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
                EXPECT_EQ(PixelOf(dib, corner.x, corner.y), RGB(255, 242, 0));
            EXPECT_NE(PixelOf(dib, w / 2, h / 2), RGB(255, 242, 0));
        }
    }
}

TEST_F(DisplayPictures, EveryIconOffersEachListedSizeWithAlpha)
{
    for (const auto& picture : pictures) {
        if (picture.key != "icon") continue;
        SCOPED_TRACE(picture.macro);
        HRSRC group = ::FindResourceW(program.get(), MAKEINTRESOURCEW(picture.id), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr);
        auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(program.get(), group)));
        ASSERT_NE(directory, nullptr);
        for (const int size : picture.sizes) {
            SCOPED_TRACE(size);
            const int image = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            HRSRC found = ::FindResourceW(program.get(), MAKEINTRESOURCEW(image), RT_ICON);
            ASSERT_NE(found, nullptr);
            auto* bits = static_cast<BYTE*>(::LockResource(::LoadResource(program.get(), found)));
            const DWORD length = ::SizeofResource(program.get(), found);
            ASSERT_GE(length, sizeof(BITMAPINFOHEADER));
            const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
            EXPECT_EQ(header->biWidth, size);
            EXPECT_EQ(header->biBitCount, 32);
            UniqueIcon icon(
                ::CreateIconFromResourceEx(bits, length, TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR));
            EXPECT_TRUE(icon);
        }
    }
}

} // namespace
