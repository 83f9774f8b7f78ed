// Where the running module lives, export lookup and UTF-8 output.
#include "ModuleFolder.h"
#include "ProcAddress.h"
#include "Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(ModuleFolderTest, TheProgramsFolderHoldsTheProgramsFile)
{
    const std::wstring folder = ModuleFolder();
    const std::wstring path = ModulePath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    ASSERT_GT(path.size(), folder.size());
    EXPECT_EQ(path.compare(0, folder.size(), folder), 0);
    EXPECT_EQ(path.substr(folder.size()), L"base_tests.exe");
    EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ModuleFolderTest, ADllsFolderIsItsOwn)
{
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const std::wstring folder = ModuleFolder(kernel);
    EXPECT_NE(folder, ModuleFolder());
    EXPECT_NE(::GetFileAttributesW((folder + L"kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ModuleFolderTest, AModuleThatIsNotLoadedGivesTheFallback)
{
    const HMODULE bogus = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x10));
    EXPECT_EQ(ModulePath(bogus), L"");
    EXPECT_EQ(ModuleFolder(bogus, L"C:\\Fallback\\"), L"C:\\Fallback\\");
    EXPECT_EQ(ModuleFolder(bogus), L"");
}

TEST(ModuleFolderTest, ThisModuleIsTheProgramItIsLinkedInto)
{
    EXPECT_EQ(ThisModule(), ::GetModuleHandleW(nullptr));
}

TEST(ResolveExportTest, FindsAnExportAsATypedPointerAndNothingElse)
{
    using TickFn = DWORD(WINAPI*)();
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const TickFn tick = ResolveExport<TickFn>(kernel, "GetTickCount");
    ASSERT_NE(tick, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(tick),
              reinterpret_cast<void*>(::GetProcAddress(kernel, "GetTickCount")));
    EXPECT_EQ(ResolveExport<TickFn>(kernel, "NoSuchExportAnywhere"), nullptr);
    EXPECT_EQ(ResolveExport<TickFn>(nullptr, "GetTickCount"), nullptr);
}

TEST(Utf8Test, EncodesEveryCharacter)
{
    EXPECT_EQ(Utf8(L""), "");
    EXPECT_EQ(Utf8(L"A\u00e9\u20ac"), "A\xc3\xa9\xe2\x82\xac");
    EXPECT_EQ(Utf8(std::wstring(L"a\0b", 3)), std::string("a\0b", 3)) << "embedded NULs are kept";
}

} // namespace
