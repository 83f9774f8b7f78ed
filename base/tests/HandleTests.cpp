// The owning handle wrappers and the critical section.
#include "CriticalSection.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

bool IsOpen(HANDLE h)
{
    DWORD flags = 0;
    return ::GetHandleInformation(h, &flags) != FALSE;
}

HANDLE NewEvent()
{
    return ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

TEST(UniqueHandleTest, ClosesWhatItHoldsWhenItGoes)
{
    HANDLE raw = NewEvent();
    ASSERT_TRUE(raw);
    {
        const UniqueHandle owner(raw);
        EXPECT_TRUE(owner);
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));
}

TEST(UniqueHandleTest, MovingHandsOverWithoutClosing)
{
    HANDLE raw = NewEvent();
    UniqueHandle first(raw);
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    UniqueHandle third;
    third = std::move(second);
    EXPECT_TRUE(IsOpen(raw));
    EXPECT_EQ(third.get(), raw);
    third.reset();
    EXPECT_FALSE(IsOpen(raw));
}

TEST(UniqueHandleTest, ReleaseGivesUpOwnershipAndPutClosesTheOldOne)
{
    HANDLE kept = NewEvent();
    UniqueHandle owner(kept);
    EXPECT_EQ(owner.release(), kept);
    EXPECT_FALSE(owner);
    EXPECT_TRUE(IsOpen(kept));
    ::CloseHandle(kept);

    HANDLE replaced = NewEvent();
    UniqueHandle slot(replaced);
    HANDLE* out = slot.put();
    EXPECT_FALSE(IsOpen(replaced));
    *out = NewEvent();
    EXPECT_TRUE(slot);
}

TEST(UniqueHandleTest, FileHandlesTreatInvalidHandleValueAsEmpty)
{
    const UniqueFileHandle none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
    const UniqueFileHandle missing(::CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
}

TEST(CriticalSectionTest, AnotherThreadGetsInOnlyAfterTheHolderLeaves)
{
    CriticalSection cs;
    const UniqueHandle trying(NewEvent());
    std::atomic<bool> left{false};
    bool sawLeft = false;
    std::thread other;
    {
        CriticalSectionLock hold(cs);
        other = std::thread([&] {
            ::SetEvent(trying.get());
            CriticalSectionLock inner(cs);
            sawLeft = left.load();
        });
        ASSERT_EQ(::WaitForSingleObject(trying.get(), 5000), WAIT_OBJECT_0);
        left = true;
    }
    other.join();
    EXPECT_TRUE(sawLeft);
}

} // namespace
