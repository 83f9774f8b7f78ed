// The BIOS interface against the simulated notebook: what travels to the
// firmware, what comes back, and what happens when the firmware is missing,
// fails or answers short.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "SimulatedBiosTest.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kReservedMark = 0xA5;
constexpr uint8_t kAfterMark = 0x5A;
// The default notebook's radio status: 0x0F, three radios installed and on.
constexpr uint32_t kDefaultRadioStatus = 0x0001070F;

// A call record as it sits in a caller's memory, with bytes behind it.
#pragma pack(push, 1)
struct RecordInMemory {
    BiosCallBuffer record;
    uint8_t after[16];
};
#pragma pack(pop)
static_assert(offsetof(RecordInMemory, after) == sizeof(BiosCallBuffer));

// A radio-status request with the reserved byte and the memory behind the
// record marked, so that anything sent or overwritten there shows.
RecordInMemory MarkedRequest(uint32_t a1 = 0, uint32_t a2 = 0, uint32_t a3 = 0, uint32_t a4 = 0)
{
    RecordInMemory m{};
    m.record.cbClass = 0x11;
    m.record.cbSelect = 0x0B;
    m.record.cbArg1 = a1;
    m.record.cbArg2 = a2;
    m.record.cbArg3 = a3;
    m.record.cbArg4 = a4;
    m.record.cbRes2 = 0xDEAD0002;
    m.record.cbRes3 = 0xDEAD0003;
    m.record.cbRes4 = 0xDEAD0004;
    m.record.reserved2C = kReservedMark;
    std::memset(m.after, kAfterMark, sizeof m.after);
    return m;
}

// The record unchanged but for cbRes1 = -3: nothing of an answer was copied.
void ExpectRefusedUntouched(const RecordInMemory& before, const RecordInMemory& after)
{
    EXPECT_EQ(after.record.cbRes1, kBiosNoAnswer);
    RecordInMemory expected = before;
    expected.record.cbRes1 = kBiosNoAnswer;
    EXPECT_EQ(std::memcmp(&expected, &after, sizeof after), 0);
}

using AcpiWmiEndToEnd = SimulatedBiosTest;

TEST_F(AcpiWmiEndToEnd, DefaultNotebookIsReadyWithItsIdentity)
{
    Start(L"corvane-default");
    EXPECT_EQ(bios->DataBufferSize(), 128);
    EXPECT_FALSE(bios->IsSmbiosUnavailable());
    EXPECT_EQ(bios->IsMakerSystem(), 1);
    EXPECT_EQ(bios->IsMakerBios(), 1);
    EXPECT_EQ(bios->SystemId(), 0x0471);
    EXPECT_EQ(bios->CapabilityWord(0), 0x001E);
    EXPECT_EQ(bios->CapabilityWord(2), 0x0001);
    std::vector<uint16_t> ids;
    for (const Token& t : bios->Tokens()) ids.push_back(t.identifier);
    EXPECT_EQ(ids, (std::vector<uint16_t>{0x0188, 0x007D, 0x0152, 0x017C, 0x017D, 0x017E, 0x0180}));
    ASSERT_NE(bios->HwConfig(), nullptr);
}

TEST_F(AcpiWmiEndToEnd, RequestFillsTheFirmwareBufferWithZerosBehindTheRecord)
{
    Start(L"corvane-default");
    RecordInMemory m = MarkedRequest();
    ASSERT_TRUE(bios->PerformSmi(m.record, 0));
    EXPECT_EQ(m.record.cbRes1, 0);
    EXPECT_EQ(m.record.cbRes2, kDefaultRadioStatus);
    EXPECT_EQ(m.record.reserved2C, kReservedMark);
    for (uint8_t b : m.after) EXPECT_EQ(b, kAfterMark);

    // Extra bytes asked for travel from the caller's memory; the rest stays zero.
    m = MarkedRequest();
    ASSERT_TRUE(bios->PerformSmi(m.record, 4));

    const auto calls = notebook.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].length, 128u);
    EXPECT_TRUE(calls[0].tailZero);
    EXPECT_TRUE(calls[0].reservedZero);
    EXPECT_EQ(calls[1].length, 128u);
    EXPECT_FALSE(calls[1].tailZero);
}

// Whatever the firmware does, the byte at 0x2C and the memory behind the
// record stay as the caller left them.
TEST_F(AcpiWmiEndToEnd, ReservedByteSurvivesEveryOutcome)
{
    struct Outcome {
        const wchar_t* command;
        bool answered;
        int32_t res1;
    };
    const Outcome outcomes[] = {
        {L"answer-clear", true, 0},
        {L"answer-next -7", true, -7},
        {L"fail-next 1", false, kBiosNoAnswer},
        {L"set quirk-args 1", true, 0},
        {L"set short-answer 20", false, kBiosNoAnswer},
    };
    Start(L"corvane-default");
    for (const Outcome& o : outcomes) {
        ASSERT_TRUE(notebook.Simctl(o.command)) << o.command;
        RecordInMemory m = MarkedRequest(1, 2, 3, 4);
        EXPECT_EQ(bios->PerformSmi(m.record, 0), o.answered) << o.command;
        EXPECT_EQ(m.record.cbRes1, o.res1) << o.command;
        EXPECT_EQ(m.record.reserved2C, kReservedMark) << o.command;
        for (uint8_t b : m.after) EXPECT_EQ(b, kAfterMark) << o.command;
    }
}

TEST_F(AcpiWmiEndToEnd, ArgumentWordsTheFirmwareChangedComeBackToTheCaller)
{
    Start(L"corvane-default", {L"set quirk-args 1"});
    BiosCallBuffer b;
    ASSERT_TRUE(bios->PerformSmi(b, 0x11, 0x0B, 0x100, 2, 0x30, 0xFFFF0000));
    EXPECT_EQ(b.cbClass, 0x11);
    EXPECT_EQ(b.cbSelect, 0x0B);
    EXPECT_EQ(b.cbArg1, ~0x100u);
    EXPECT_EQ(b.cbArg2, ~2u);
    EXPECT_EQ(b.cbArg3, ~0x30u);
    EXPECT_EQ(b.cbArg4, 0x0000FFFFu);
    EXPECT_EQ(b.cbRes1, 0);
    EXPECT_EQ(b.cbRes2, kDefaultRadioStatus);
}

// A short answer (with argument words the firmware changed inside it) is
// refused whole; the interface keeps working once answers are whole again.
TEST_F(AcpiWmiEndToEnd, ShortAnswerIsRefusedAndNothingIsCopied)
{
    Start(L"corvane-default", {L"set short-answer 20", L"set quirk-args 1"});
    const RecordInMemory before = MarkedRequest(0x100, 2, 3, 4);
    RecordInMemory m = before;
    EXPECT_FALSE(bios->PerformSmi(m.record, 0));
    ExpectRefusedUntouched(before, m);
    EXPECT_EQ(notebook.Calls().size(), 1u); // the firmware was asked

    ASSERT_TRUE(notebook.Simctl(L"set short-answer 0"));
    m = before;
    EXPECT_TRUE(bios->PerformSmi(m.record, 0));
    EXPECT_EQ(m.record.cbRes2, kDefaultRadioStatus);
}

// Requests larger than the firmware's buffer are never sent.
TEST_F(AcpiWmiEndToEnd, RequestsTheFirmwareBufferCannotHoldAreRefusedUntouched)
{
    Start(L"corvane-503");
    EXPECT_EQ(bios->DataBufferSize(), 44);
    const RecordInMemory before = MarkedRequest(1, 2, 3, 4);
    for (int extra : {1, 100, -1}) {
        RecordInMemory m = before;
        EXPECT_FALSE(bios->PerformSmi(m.record, extra)) << extra;
        ExpectRefusedUntouched(before, m);
    }
    EXPECT_TRUE(notebook.Calls().empty());
    RecordInMemory m = before;
    ASSERT_TRUE(bios->PerformSmi(m.record, 0));
    const auto calls = notebook.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].length, 44u);

    Start(L"corvane-default", {L"set data-buffer-size 40"});
    EXPECT_EQ(bios->DataBufferSize(), 40);
    m = before;
    EXPECT_FALSE(bios->PerformSmi(m.record, 0));
    ExpectRefusedUntouched(before, m);
    EXPECT_TRUE(notebook.Calls().empty());
}

// One thread's call fails in the firmware while another thread keeps calling:
// every other call of both threads carries its own, complete answer.
TEST_F(AcpiWmiEndToEnd, OneFailedCallLeavesTheOtherThreadsCallsIntact)
{
    Start(L"corvane-default");
    struct Caller {
        uint16_t location;
        uint16_t acValue;
        uint32_t res4;
        std::atomic<int> answered{0};
        std::atomic<int> failed{0};
        std::atomic<int> wrong{0};
        std::atomic<int> answeredAfterFailure{0};
    };
    Caller callers[2] = {{0x0320, 7, 15}, {0x0330, 1, 0}};
    std::atomic<bool> stop{false};
    auto run = [&](Caller& c) {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        while (!stop) {
            BiosCallBuffer b;
            if (bios->PerformSmi(b, 0x0000, 2, c.location, 0, 0, 0)) {
                const bool own
                    = b.cbRes1 == 0 && b.cbArg1 == c.location && b.cbRes2 == c.acValue && b.cbRes4 == c.res4;
                if (!own) ++c.wrong;
                ++c.answered;
                if (c.failed > 0) ++c.answeredAfterFailure;
            } else {
                if (b.cbRes1 != kBiosNoAnswer) ++c.wrong;
                ++c.failed;
            }
        }
        ::CoUninitialize();
    };
    const auto waitFor = [](const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (!done() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
        return done();
    };
    const auto failures = [&] { return callers[0].failed + callers[1].failed; };

    std::thread first(run, std::ref(callers[0]));
    std::thread second(run, std::ref(callers[1]));
    bool allSeen = waitFor([&] { return callers[0].answered > 5 && callers[1].answered > 5; });
    constexpr int kFailures = 3;
    for (int i = 1; allSeen && i <= kFailures; ++i) {
        allSeen = notebook.Simctl(L"fail-next 1") && waitFor([&] { return failures() >= i; });
    }
    const int answeredBefore = callers[0].answered + callers[1].answered;
    allSeen
        = allSeen && waitFor([&] { return callers[0].answered + callers[1].answered > answeredBefore + 10; });
    stop = true;
    first.join();
    second.join();

    ASSERT_TRUE(allSeen);
    EXPECT_EQ(failures(), kFailures);
    for (const Caller& c : callers) EXPECT_EQ(c.wrong, 0) << "location " << c.location;
    // Whichever thread took a failure went on to make answered calls: the lock was let go.
    for (const Caller& c : callers) {
        if (c.failed > 0) {
            EXPECT_GT(c.answeredAfterFailure, 0) << "location " << c.location;
        }
    }
}

TEST_F(AcpiWmiEndToEnd, WithoutTheFirmwareClassesEveryCallAnswersMinus3)
{
    Start(L"no-acpiwmi");
    EXPECT_EQ(bios->DataBufferSize(), 0);
    EXPECT_EQ(bios->HwConfig(), nullptr);
    EXPECT_FALSE(bios->IsFeature(10));
    // The SMBIOS table is still there.
    EXPECT_FALSE(bios->IsSmbiosUnavailable());
    EXPECT_EQ(bios->SystemId(), 0x0452);

    const RecordInMemory before = MarkedRequest(1, 2, 3, 4);
    RecordInMemory m = before;
    EXPECT_FALSE(bios->PerformSmi(m.record, 0));
    ExpectRefusedUntouched(before, m);
    EXPECT_EQ(bios->TokenRead(0x007D), 0);
    EXPECT_FALSE(bios->TokenActivate(0x007D));

    // The lock is free: a call from another thread returns at once, and so does a later one here.
    auto other = std::async(std::launch::async, [&] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        BiosCallBuffer b;
        const bool answered = bios->PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0);
        ::CoUninitialize();
        return !answered && b.cbRes1 == kBiosNoAnswer;
    });
    ASSERT_EQ(other.wait_for(10s), std::future_status::ready);
    EXPECT_TRUE(other.get());
    BiosCallBuffer b;
    EXPECT_FALSE(bios->PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0));
    EXPECT_EQ(b.cbRes1, kBiosNoAnswer);
    EXPECT_TRUE(notebook.Calls().empty());
}

TEST_F(AcpiWmiEndToEnd, UnreadableSmbiosTableLeavesTheCallsWorking)
{
    Start(L"smbios-fails");
    EXPECT_TRUE(bios->IsSmbiosUnavailable());
    EXPECT_EQ(bios->IsMakerSystem(), 0);
    EXPECT_TRUE(bios->Tokens().empty());
    EXPECT_EQ(bios->DataBufferSize(), 128);
    BiosCallBuffer b;
    ASSERT_TRUE(bios->PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0));
    EXPECT_EQ(b.cbRes2, 0x0Fu);
}

} // namespace
