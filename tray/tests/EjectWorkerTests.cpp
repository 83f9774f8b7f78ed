// The eject worker: one eject at a time, each on its own thread.
#include "EjectWorker.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// An eject that reports that it runs and waits to be let go.
struct HeldEject {
    UniqueHandle started{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> runs{0};
    std::atomic<DWORD> thread{0};

    CEjectWorker::Eject Action()
    {
        return [this] {
            ++runs;
            thread = ::GetCurrentThreadId();
            ::SetEvent(started.get());
            ::WaitForSingleObject(release.get(), 10000);
        };
    }
};

} // namespace

TEST(EjectWorker, SecondStartDuringARunDoesNotEjectAgain)
{
    HeldEject eject;
    CEjectWorker worker(eject.Action());
    ASSERT_EQ(::WaitForSingleObject(worker.IdleEvent(), 0), WAIT_OBJECT_0) << "idle before the first eject";
    ASSERT_EQ(worker.StartEject(), CEjectWorker::Start::Started);
    ASSERT_EQ(::WaitForSingleObject(eject.started.get(), 5000), WAIT_OBJECT_0);
    EXPECT_NE(eject.thread.load(), ::GetCurrentThreadId()) << "the eject ran on the tray's thread";
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_EQ(worker.StartEject(), CEjectWorker::Start::AlreadyRunning);
    EXPECT_EQ(worker.StartEject(), CEjectWorker::Start::AlreadyRunning);
    ::SetEvent(eject.release.get());
    ASSERT_EQ(::WaitForSingleObject(worker.IdleEvent(), 5000), WAIT_OBJECT_0) << "the worker never finished";
    EXPECT_EQ(eject.runs.load(), 1);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(EjectWorker, NextKeyAfterARunEjectsAgain)
{
    HeldEject eject;
    ::SetEvent(eject.release.get());
    CEjectWorker worker(eject.Action());
    for (int run = 1; run <= 3; ++run) {
        ASSERT_EQ(worker.StartEject(), CEjectWorker::Start::Started) << "run " << run;
        ASSERT_EQ(::WaitForSingleObject(eject.started.get(), 5000), WAIT_OBJECT_0);
        ASSERT_EQ(::WaitForSingleObject(worker.IdleEvent(), 5000), WAIT_OBJECT_0);
        EXPECT_EQ(eject.runs.load(), run);
    }
}

// The worker goes with the tray: a running eject is waited for, not cut off.
TEST(EjectWorker, EndWaitsForTheRunningEject)
{
    HeldEject eject;
    std::atomic<bool> finished{false};
    {
        CEjectWorker worker([&] {
            ::WaitForSingleObject(eject.release.get(), 10000);
            finished = true;
        });
        ASSERT_EQ(worker.StartEject(), CEjectWorker::Start::Started);
        ::SetEvent(eject.release.get());
    }
    EXPECT_TRUE(finished.load());
}
