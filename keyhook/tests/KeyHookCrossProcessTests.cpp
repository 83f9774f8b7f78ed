// The real hook: this process installs it for the whole desktop, another
// process with a focused window receives keyboard input, and the keys come
// back here through the shared queue.
#include "ModuleFolder.h"
#include "ZelkeyApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::chrono_literals;

// Pressed last in every run: everything queued before it has been read
// once it arrives.
constexpr const wchar_t* kMarkerPress = L"d:E029";
constexpr const wchar_t* kMarkerRelease = L"u:E029";
constexpr uint16_t kMarker = 0x29;

// Waits for a process while serving this thread's messages, as a hook
// owner must.
DWORD WaitServingMessages(HANDLE process, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return WAIT_TIMEOUT;
        const DWORD wait
            = ::MsgWaitForMultipleObjects(1, &process, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1) return wait;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
}

class CrossProcessHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(api.Load());
        HHOOK* hookLocation = nullptr;
        ASSERT_TRUE(api.DllInitialize(&hookLocation));
        ASSERT_TRUE(api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size())));
        hook.reset(::SetWindowsHookExW(WH_KEYBOARD, api.KeyboardHandler, api.module.get(), 0));
        ASSERT_TRUE(hook) << ::GetLastError();
        *hookLocation = hook.get();
    }

    void TearDown() override
    {
        api.UnloadDll();
        hook.reset();
    }

    // Runs the target with these strokes (then the marker) to its end.
    void Type(std::wstring strokes)
    {
        std::wstring command = L"\"" + ModuleFolder() + L"keyhook_target.exe\" " + strokes + L" "
                               + kMarkerPress + L" " + kMarkerRelease;
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &si, &pi));
        UniqueHandle process(pi.hProcess);
        UniqueHandle thread(pi.hThread);
        ASSERT_EQ(WaitServingMessages(process.get(), 20000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        ::GetExitCodeProcess(process.get(), &exitCode);
        ASSERT_EQ(exitCode, 0u) << "3: the target got no focus, 4: its window missed strokes";
    }

    // Every key queued up to and including the marker.
    std::vector<ZelkeyKey> ReadToMarker()
    {
        std::vector<ZelkeyKey> keys;
        while (keys.size() < 64) {
            const auto key = api.ReadKey(5s);
            if (!key) break;
            keys.push_back(*key);
            if (key->scanCode == kMarker && key->ext) break;
        }
        return keys;
    }

    static std::vector<uint32_t> Codes(const std::vector<ZelkeyKey>& keys)
    {
        std::vector<uint32_t> codes;
        for (const auto& key : keys) codes.push_back((key.ext ? 0xE000u : 0u) | key.scanCode);
        return codes;
    }

    ZelkeyApi api;
    std::vector<OemKeyTableEntry> table = TrayKeyTable();
    UniqueHook hook;
};

TEST_F(CrossProcessHookTest, DisplaySwitchAndPressOnlyKeysFromAnotherProcess)
{
    ASSERT_NO_FATAL_FAILURE(Type(L"d:E01B u:E01B d:E007 d:E006 u:E007 u:E006"));
    EXPECT_EQ(Codes(ReadToMarker()), (std::vector<uint32_t>{0xE01B, 0xE09B, 0xE007, 0xE006, 0xE029}));
}

TEST_F(CrossProcessHookTest, AutoRepeatIsQueuedOnceWhileTheFirstPressWaits)
{
    ASSERT_NO_FATAL_FAILURE(Type(L"d:E006 d:E006 d:E006 d:E006 u:E006"));
    EXPECT_EQ(Codes(ReadToMarker()), (std::vector<uint32_t>{0xE006, 0xE029}));
    ASSERT_NO_FATAL_FAILURE(Type(L"d:E006 u:E006"));
    EXPECT_EQ(Codes(ReadToMarker()), (std::vector<uint32_t>{0xE006, 0xE029})) << "taken keys queue again";
}

TEST_F(CrossProcessHookTest, UnlistedKeysAreNotQueued)
{
    ASSERT_NO_FATAL_FAILURE(Type(L"d:1E u:1E d:1B u:1B d:06 u:06 d:E01C u:E01C d:3A u:3A"));
    EXPECT_EQ(Codes(ReadToMarker()), (std::vector<uint32_t>{0x003A, 0xE029}))
        << "of these only plain caps lock is listed";
}

} // namespace
