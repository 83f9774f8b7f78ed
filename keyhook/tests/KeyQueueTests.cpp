// The queue and the key rules on their own, on a private copy of the
// shared state.
#include "KeyQueue.h"
#include "OemKeyFilter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

ZelkeyKey Key(uint16_t scanCode, uint32_t ext = 1)
{
    return {scanCode, 0, ext};
}

std::vector<uint16_t> Drain(KeyQueue& queue)
{
    std::vector<uint16_t> codes;
    ZelkeyKey key{};
    while (queue.Take(key)) codes.push_back(key.scanCode);
    return codes;
}

class KeyQueueTest : public ::testing::Test {
protected:
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    KeyQueue queue{*state};
};

TEST_F(KeyQueueTest, RequestedClearIsCarriedOutByTheNextUserOnce)
{
    ASSERT_TRUE(queue.Add(Key(0x06)));
    ASSERT_TRUE(queue.Add(Key(0x05)));
    KeyQueue::RequestClear(*state);
    EXPECT_TRUE(queue.Empty());
    ASSERT_TRUE(queue.Add(Key(0x07)));
    EXPECT_FALSE(queue.Empty()) << "a clear is carried out once, not on every use";
    EXPECT_EQ(Drain(queue), std::vector<uint16_t>{0x07});

    ASSERT_TRUE(queue.Add(Key(0x06)));
    KeyQueue::RequestClear(*state);
    ASSERT_TRUE(queue.Add(Key(0x05)));
    EXPECT_EQ(Drain(queue), std::vector<uint16_t>{0x05}) << "an Add after the request starts a fresh queue";
}

TEST_F(KeyQueueTest, HandsOutKeysInOrderAndResetsIndicesWhenEmpty)
{
    ASSERT_TRUE(queue.Add(Key(0x06)));
    ASSERT_TRUE(queue.Add(Key(0x05, 0)));
    ZelkeyKey key{};
    ASSERT_TRUE(queue.Take(key));
    EXPECT_EQ(key.scanCode, 0x06);
    EXPECT_EQ(key.ext, 1u);
    ASSERT_TRUE(queue.Take(key));
    EXPECT_EQ(key.scanCode, 0x05);
    EXPECT_EQ(key.ext, 0u);
    EXPECT_FALSE(queue.Take(key));
    EXPECT_EQ(state->queueHead, 0u);
    EXPECT_EQ(state->queueTail, 0u);
}

TEST_F(KeyQueueTest, SameKeyAtTheTailIsNotQueuedAgainUntilTaken)
{
    ASSERT_TRUE(queue.Add(Key(0x06)));
    EXPECT_FALSE(queue.Add(Key(0x06)));
    EXPECT_TRUE(queue.Add(Key(0x06, 0))) << "the extended flag makes it another key";
    EXPECT_TRUE(queue.Add(Key(0x06))) << "only the most recent key counts";
    EXPECT_EQ(Drain(queue), (std::vector<uint16_t>{0x06, 0x06, 0x06}));
    EXPECT_TRUE(queue.Add(Key(0x06))) << "taken keys no longer block a repeat";
}

TEST_F(KeyQueueTest, FullQueueDropsFurtherKeys)
{
    for (uint32_t i = 0; i < kQueueSize; ++i) ASSERT_TRUE(queue.Add(Key(i % 2 ? 0x05 : 0x06)));
    EXPECT_FALSE(queue.Add(Key(0x30)));
    const auto codes = Drain(queue);
    ASSERT_EQ(codes.size(), kQueueSize);
    EXPECT_EQ(codes.front(), 0x06);
    EXPECT_EQ(codes.back(), 0x05);
}

TEST_F(KeyQueueTest, WrapsAroundTheEndOfTheBuffer)
{
    std::vector<uint16_t> expected;
    for (uint16_t i = 0; i < 100; ++i) ASSERT_TRUE(queue.Add(Key(i)));
    ZelkeyKey key{};
    for (uint16_t i = 0; i < 90; ++i) ASSERT_TRUE(queue.Take(key));
    for (uint16_t i = 90; i < 100; ++i) expected.push_back(i);
    for (uint16_t i = 200; i < 260; ++i) {
        ASSERT_TRUE(queue.Add(Key(i)));
        expected.push_back(i);
    }
    EXPECT_LT(state->queueTail, state->queueHead) << "the tail must have wrapped";
    EXPECT_EQ(Drain(queue), expected);
}

TEST_F(KeyQueueTest, ClearEmptiesEveryEntry)
{
    ASSERT_TRUE(queue.Add(Key(0x06)));
    ASSERT_TRUE(queue.Add(Key(0x05)));
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    for (const auto& entry : state->queue) EXPECT_EQ(entry.scanCode, 0);
    EXPECT_TRUE(queue.Add(Key(0x05))) << "the old tail must not block this key";
}

TEST_F(KeyQueueTest, TornIndicesLeftByADeadProcessStayInsideTheBuffer)
{
    state->queueCount = 500;
    state->queueHead = 0xFFFF0003;
    state->queueTail = 0xFFFF0002;
    EXPECT_FALSE(queue.Add(Key(0x06))) << "an impossible count reads as full";
    ZelkeyKey key{};
    size_t taken = 0;
    while (queue.Take(key)) ++taken;
    EXPECT_EQ(taken, kQueueSize);
    EXPECT_TRUE(queue.Add(Key(0x06)));
    ASSERT_TRUE(queue.Take(key));
    EXPECT_EQ(key.scanCode, 0x06);
}

// Keys as the tray lists them: display switch, three press-only keys
// (brightness and two others) and the plain caps-lock key.
class OemKeyFilterTest : public ::testing::Test {
protected:
    OemKey keys[5] = {{0x1B, 0, 1}, {0x06, 0, 1}, {0x07, 0, 1}, {0x11, 0, 1}, {0x3A, 0, 0}};
    OemKeyFilter filter{keys, 5};

    std::optional<ZelkeyKey> Stroke(uint16_t scan, bool ext, bool released) const
    {
        return filter.KeyToQueue({scan, ext, released});
    }
};

TEST_F(OemKeyFilterTest, DisplaySwitchKeyReportsItsReleaseAs9B)
{
    const auto press = Stroke(0x1B, true, false);
    const auto release = Stroke(0x1B, true, true);
    ASSERT_TRUE(press && release);
    EXPECT_EQ(press->scanCode, 0x1B);
    EXPECT_EQ(release->scanCode, 0x9B);
    EXPECT_EQ(release->ext, 1u);
}

TEST_F(OemKeyFilterTest, PressOnlyKeysIgnoreTheirRelease)
{
    EXPECT_TRUE(Stroke(0x07, true, false));
    EXPECT_FALSE(Stroke(0x07, true, true));
    EXPECT_TRUE(Stroke(0x11, true, false));
    EXPECT_FALSE(Stroke(0x11, true, true));
    EXPECT_TRUE(Stroke(0x06, true, false));
    EXPECT_FALSE(Stroke(0x06, true, true));
    const auto release = Stroke(0x3A, false, true);
    ASSERT_TRUE(release) << "other keys are queued on release too";
    EXPECT_EQ(release->scanCode, 0x3A);
}

TEST_F(OemKeyFilterTest, KeyMustMatchScanCodeAndExtendedFlag)
{
    EXPECT_FALSE(Stroke(0x1B, false, false)) << "plain 0x1B is another key";
    EXPECT_FALSE(Stroke(0x3A, true, false));
    EXPECT_TRUE(Stroke(0x3A, false, false));
    EXPECT_FALSE(Stroke(0x1E, false, false));
}

TEST_F(OemKeyFilterTest, AnyNonZeroExtendedFlagInTheListMeansExtended)
{
    OemKey odd[1] = {{0x06, 0, 7}};
    EXPECT_TRUE(OemKeyFilter(odd, 1).KeyToQueue({0x06, true, false}));
}

TEST_F(OemKeyFilterTest, CountBeyondTheListIsCappedAt36)
{
    OemKey many[kMaxOemKeys] = {};
    many[kMaxOemKeys - 1] = {0x20, 0, 1};
    EXPECT_TRUE(OemKeyFilter(many, 0xFFFFFFFF).Watches(0x20, true));
    EXPECT_FALSE(OemKeyFilter(many, kMaxOemKeys - 1).Watches(0x20, true));
}

TEST(KeyStrokeTest, ReadsScanCodeExtendedAndReleaseFromTheMessageInfo)
{
    const KeyStroke press = KeyStroke::FromHook(0, 0x011B0001, false);
    EXPECT_EQ(press.scanCode, 0x1B);
    EXPECT_TRUE(press.extended);
    EXPECT_FALSE(press.released);
    const KeyStroke release = KeyStroke::FromHook(0, static_cast<LPARAM>(0xC0060001u), false);
    EXPECT_EQ(release.scanCode, 0x06);
    EXPECT_FALSE(release.extended);
    EXPECT_TRUE(release.released);
}

TEST(KeyStrokeTest, VirtualKeyFFCountsAsExtendedOnlyOnNt4)
{
    EXPECT_TRUE(KeyStroke::FromHook(0xFF, 0x00060001, true).extended);
    EXPECT_FALSE(KeyStroke::FromHook(0xFF, 0x00060001, false).extended);
    EXPECT_FALSE(KeyStroke::FromHook(0x41, 0x00060001, true).extended);
}

} // namespace
