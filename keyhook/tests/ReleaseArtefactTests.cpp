// What ships: the hook DLL that every desktop process maps is small and
// imports only the system's core DLLs; the shipped images carry no debug
// sections (those sit in debug/ beside them) and are aligned so that the
// loader can map them instead of copying them.
#include "ModuleFolder.h"
#include "PeImage.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr size_t kHookDllLimit = 40 * 1024;
constexpr uint32_t kPageAlignment = 0x1000;

PeImage LoadShipped(const std::wstring& name)
{
    auto image = PeImage::Load(ModuleFolder() + name);
    return image ? std::move(*image) : PeImage({});
}

TEST(HookDllTest, ImportsOnlyKernelUserAndAdvapi)
{
    const PeImage dll = LoadShipped(L"Zelkey.dll");
    ASSERT_TRUE(dll.Valid());
    const auto imports = dll.ImportedDlls();
    ASSERT_TRUE(imports);
    const std::set<std::string> allowed{"kernel32.dll", "user32.dll", "advapi32.dll"};
    EXPECT_FALSE(imports->empty());
    for (const auto& name : *imports) EXPECT_TRUE(allowed.count(name)) << "imports " << name;
}

TEST(HookDllTest, IsSmallAndHasNoThreadLocalStorage)
{
    const PeImage dll = LoadShipped(L"Zelkey.dll");
    ASSERT_TRUE(dll.Valid());
    EXPECT_LT(dll.FileSize(), kHookDllLimit);
    EXPECT_FALSE(dll.HasDirectory(PeImage::kTlsDirectory)) << "TLS callbacks run in every hooked thread";
    EXPECT_FALSE(dll.HasSection(".tls"));
    // Static constructors would need a C runtime to run them.
    EXPECT_FALSE(dll.HasSection(".CRT"));
    EXPECT_FALSE(dll.HasSection(".ctors"));
}

class ShippedImageTest : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ShippedImageTest, IsStrippedPageAlignedAndPointsToItsDebugFile)
{
    const std::wstring name = GetParam();
    const PeImage image = LoadShipped(name);
    ASSERT_TRUE(image.Valid());
    EXPECT_FALSE(image.HasSectionStartingWith(".debug_"));
    EXPECT_TRUE(image.HasSection(".gnu_debuglink"));
    EXPECT_EQ(image.FileAlignment(), kPageAlignment);

    const std::wstring debugName = name.substr(0, name.rfind(L'.')) + L".debug";
    const auto debug = PeImage::Load(ModuleFolder() + L"debug\\" + debugName);
    ASSERT_TRUE(debug);
    EXPECT_TRUE(debug->HasSection(".debug_info")) << "the debug information must be kept for support";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedImageTest, ::testing::Values(L"Zelkey.dll", L"Tavrin.exe"));

// The reader itself, on damaged copies of a real image.
class PeImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reference = LoadShipped(L"Zelkey.dll");
        ASSERT_TRUE(reference.Valid());
    }

    PeImage reference{{}};
};

TEST_F(PeImageTest, EmptyOrForeignBytesAreNotAnImage)
{
    EXPECT_FALSE(PeImage({}).Valid());
    EXPECT_FALSE(PeImage(std::vector<uint8_t>(4096, 0x4D)).Valid());
    EXPECT_FALSE(PeImage({}).ImportedDlls());
}

TEST_F(PeImageTest, TruncatedImageNeverYieldsAPartialImportList)
{
    const auto full = reference.ImportedDlls();
    ASSERT_TRUE(full);
    ASSERT_EQ(full->size(), 3u);
    for (size_t length = 0; length < reference.FileSize(); length += 61) {
        std::vector<uint8_t> cut(reference.Raw().begin(),
                                 reference.Raw().begin() + static_cast<ptrdiff_t>(length));
        const PeImage truncated(std::move(cut));
        const auto imports = truncated.ImportedDlls();
        if (imports) {
            EXPECT_EQ(*imports, *full) << "cut at " << length;
        }
    }
}

} // namespace
