// The hook procedure and the reader through the DLL's exports, in one
// process: the key list, the queue under "keyQueueMutex" and the wake-up.
#include "ZelkeyApi.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr uint16_t kDisplaySwitch = 0x1B;
constexpr uint16_t kBrightnessUp = 0x06;
constexpr uint16_t kBrightnessDown = 0x05;
constexpr uint16_t kVolumeDown = 0x2E;
constexpr uint16_t kVolumeUp = 0x30;
constexpr uint16_t kPlainA = 0x1E;

class KeyHookExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(api.Load());
        HHOOK* hookLocation = nullptr;
        ASSERT_TRUE(api.DllInitialize(&hookLocation));
        ASSERT_NE(hookLocation, nullptr);
        ASSERT_TRUE(api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size())));
    }

    void Press(uint16_t scan, bool ext = true)
    {
        api.KeyboardHandler(HC_ACTION, 0, KeyInfo(scan, ext, false));
    }
    void Release(uint16_t scan, bool ext = true)
    {
        api.KeyboardHandler(HC_ACTION, 0, KeyInfo(scan, ext, true));
    }

    // The next key waiting, expected to be there already.
    uint16_t Next()
    {
        const auto key = api.ReadKey(2s);
        return key ? key->scanCode : 0;
    }

    ZelkeyApi api;
    std::vector<OemKeyTableEntry> table = TrayKeyTable();
};

TEST_F(KeyHookExportTest, DllInitializeHandsOutOneHookLocationAndRejectsNull)
{
    HHOOK* first = nullptr;
    HHOOK* second = nullptr;
    ASSERT_TRUE(api.DllInitialize(&first));
    ASSERT_TRUE(api.DllInitialize(&second));
    EXPECT_EQ(first, second);
    EXPECT_FALSE(api.DllInitialize(nullptr));
}

TEST_F(KeyHookExportTest, DisplaySwitchGivesPressThenReleaseCode)
{
    Press(kDisplaySwitch);
    Release(kDisplaySwitch);
    EXPECT_EQ(Next(), 0x1B);
    const auto release = api.ReadKey(2s);
    ASSERT_TRUE(release);
    EXPECT_EQ(release->scanCode, 0x9B);
    EXPECT_EQ(release->ext, 1u);
}

TEST_F(KeyHookExportTest, BrightnessAndVolumeKeysAreOneKeyPerPress)
{
    for (uint16_t key : {kBrightnessUp, kBrightnessDown, kVolumeDown, kVolumeUp}) {
        Press(key);
        Release(key);
    }
    Press(kDisplaySwitch);
    for (uint16_t key : {kBrightnessUp, kBrightnessDown, kVolumeDown, kVolumeUp}) EXPECT_EQ(Next(), key);
    EXPECT_EQ(Next(), kDisplaySwitch) << "a release was queued as a key of its own";
}

TEST_F(KeyHookExportTest, OnlyListedKeysAndOnlyHookActionAreQueued)
{
    Press(kPlainA, false);
    Press(kDisplaySwitch, false);
    api.KeyboardHandler(HC_NOREMOVE, 0, KeyInfo(kBrightnessDown, true, false));
    Press(kBrightnessUp);
    EXPECT_EQ(Next(), kBrightnessUp);
}

TEST_F(KeyHookExportTest, AutoRepeatIsQueuedOnceWhileWaitingAndAgainOnceTaken)
{
    Press(kBrightnessUp);
    api.KeyboardHandler(HC_ACTION, 0, KeyInfo(kBrightnessUp, true, false, true));
    api.KeyboardHandler(HC_ACTION, 0, KeyInfo(kBrightnessUp, true, false, true));
    Press(kBrightnessDown);
    EXPECT_EQ(Next(), kBrightnessUp);
    EXPECT_EQ(Next(), kBrightnessDown);
    api.KeyboardHandler(HC_ACTION, 0, KeyInfo(kBrightnessUp, true, false, true));
    EXPECT_EQ(Next(), kBrightnessUp);
}

TEST_F(KeyHookExportTest, FullQueueDropsKeysUntilTheReaderCatchesUp)
{
    for (int i = 0; i < 130; ++i) Press(i % 2 ? kBrightnessDown : kBrightnessUp);
    for (int i = 0; i < 128; ++i) ASSERT_EQ(Next(), i % 2 ? kBrightnessDown : kBrightnessUp) << i;
    Press(kDisplaySwitch);
    EXPECT_EQ(Next(), kDisplaySwitch) << "the two keys beyond 128 must have been dropped";
}

TEST_F(KeyHookExportTest, TooManyKeysAreRefusedAndTheListStaysAsItWas)
{
    std::vector<OemKeyTableEntry> plainA(kMaxOemKeys + 1);
    for (auto& entry : plainA) entry.scanCode = kPlainA;
    EXPECT_FALSE(api.InitializeOEMKeyList(plainA.data(), kMaxOemKeys + 1));
    EXPECT_FALSE(api.InitializeOEMKeyList(plainA.data(), -1));
    EXPECT_FALSE(api.InitializeOEMKeyList(plainA.data(), 0x7FFFFFFF));
    EXPECT_FALSE(api.InitializeOEMKeyList(nullptr, 1));
    Press(kPlainA, false);
    Press(kBrightnessUp);
    EXPECT_EQ(Next(), kBrightnessUp);

    ASSERT_TRUE(api.InitializeOEMKeyList(plainA.data(), kMaxOemKeys));
    Press(kBrightnessUp);
    Press(kPlainA, false);
    EXPECT_EQ(Next(), kPlainA);
}

TEST_F(KeyHookExportTest, ReinitialisingEmptiesTheQueue)
{
    Press(kBrightnessUp);
    ASSERT_TRUE(api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size())));
    Press(kBrightnessDown);
    EXPECT_EQ(Next(), kBrightnessDown);
}

TEST_F(KeyHookExportTest, WaitForOEMKeyRejectsANullKey)
{
    Press(kBrightnessUp);
    EXPECT_FALSE(api.WaitForOEMKey(nullptr));
    EXPECT_EQ(Next(), kBrightnessUp) << "the key must still be waiting";
}

TEST_F(KeyHookExportTest, ReaderSleepsUntilAKeyArrives)
{
    ZelkeyKey key{};
    auto reading = std::async(std::launch::async, [&] { return api.WaitForOEMKey(&key) != FALSE; });
    ASSERT_EQ(reading.wait_for(300ms), std::future_status::timeout);
    Press(kBrightnessDown);
    ASSERT_EQ(reading.wait_for(5s), std::future_status::ready);
    EXPECT_TRUE(reading.get());
    EXPECT_EQ(key.scanCode, kBrightnessDown);
}

TEST_F(KeyHookExportTest, UnloadDllWakesAWaitingReaderWithFalse)
{
    ZelkeyKey key{};
    auto reading = std::async(std::launch::async, [&] { return api.WaitForOEMKey(&key) != FALSE; });
    ASSERT_EQ(reading.wait_for(300ms), std::future_status::timeout) << "the reader must be waiting";
    EXPECT_TRUE(api.UnloadDll());
    ASSERT_EQ(reading.wait_for(5s), std::future_status::ready);
    EXPECT_FALSE(reading.get());
}

TEST_F(KeyHookExportTest, AfterUnloadDllTheReaderDrainsButNeverWaits)
{
    Press(kBrightnessUp);
    ASSERT_TRUE(api.UnloadDll());
    EXPECT_EQ(Next(), kBrightnessUp);
    ZelkeyKey key{};
    auto reading = std::async(std::launch::async, [&] { return api.WaitForOEMKey(&key) != FALSE; });
    ASSERT_EQ(reading.wait_for(5s), std::future_status::ready) << "a reader after UnloadDll must not block";
    EXPECT_FALSE(reading.get());
}

// Holds "keyQueueMutex" on a thread of its own, as a stalled process would.
class MutexHolder {
public:
    explicit MutexHolder(bool releaseAtEnd)
    {
        m_thread = std::thread([this, releaseAtEnd] {
            UniqueHandle mutex(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, L"keyQueueMutex"));
            const bool held = mutex && ::WaitForSingleObject(mutex.get(), 5000) == WAIT_OBJECT_0;
            m_acquired.set_value(held);
            if (!held) return;
            if (releaseAtEnd) {
                m_release.get_future().wait();
                ::ReleaseMutex(mutex.get());
            }
        });
        m_held = m_acquired.get_future().get();
    }
    ~MutexHolder() { Release(); }
    bool Held() const { return m_held; }
    void Release()
    {
        if (m_thread.joinable()) {
            m_release.set_value();
            m_thread.join();
        }
    }

private:
    std::promise<bool> m_acquired;
    std::promise<void> m_release;
    std::thread m_thread;
    bool m_held = false;
};

TEST_F(KeyHookExportTest, HookGivesUpAKeyRatherThanWaitForAStalledQueue)
{
    MutexHolder holder(true);
    ASSERT_TRUE(holder.Held());
    auto hooking = std::async(std::launch::async, [&] { Press(kBrightnessUp); });
    EXPECT_EQ(hooking.wait_for(5s), std::future_status::ready) << "the hook must not block input";
    holder.Release();
    hooking.wait();
    Press(kBrightnessDown);
    EXPECT_EQ(Next(), kBrightnessDown) << "the key pressed during the stall must have been dropped";
}

TEST_F(KeyHookExportTest, QueueLeftLockedByADeadOwnerIsStillUsable)
{
    {
        MutexHolder abandoning(false);
        ASSERT_TRUE(abandoning.Held());
    }
    Press(kBrightnessUp);
    EXPECT_EQ(Next(), kBrightnessUp);
    Press(kBrightnessDown);
    EXPECT_EQ(Next(), kBrightnessDown) << "the mutex must have been released again";
}

TEST_F(KeyHookExportTest, KeyListIsTakenAtOnceWhileAnotherProcessHoldsTheQueue)
{
    std::vector<OemKeyTableEntry> plainA(1);
    plainA[0].scanCode = kPlainA;
    MutexHolder holder(true);
    ASSERT_TRUE(holder.Held());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(api.InitializeOEMKeyList(plainA.data(), 1)) << "a held queue must not lose the key list";
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "start-up must not wait for the holder";
    holder.Release();
    Press(kPlainA, false);
    EXPECT_EQ(Next(), kPlainA);
}

TEST_F(KeyHookExportTest, KeysQueuedBeforeAReinitialisationThatFoundTheQueueHeldAreGone)
{
    Press(kBrightnessUp);
    {
        MutexHolder holder(true);
        ASSERT_TRUE(holder.Held());
        ASSERT_TRUE(api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size())));
    }
    Press(kBrightnessDown);
    EXPECT_EQ(Next(), kBrightnessDown) << "the queue must be emptied once it is free";
}

TEST_F(KeyHookExportTest, ReaderWaitingOnAHeldQueueGetsTheFirstKeyAfterItIsFreed)
{
    MutexHolder holder(true);
    ASSERT_TRUE(holder.Held());
    ZelkeyKey key{};
    auto reading = std::async(std::launch::async, [&] { return api.WaitForOEMKey(&key) != FALSE; });
    holder.Release();
    Press(kBrightnessUp);
    ASSERT_EQ(reading.wait_for(5s), std::future_status::ready);
    EXPECT_TRUE(reading.get());
    EXPECT_EQ(key.scanCode, kBrightnessUp);
}

} // namespace
