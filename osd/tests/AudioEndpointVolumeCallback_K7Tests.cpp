// The stepped endpoint watch of the newer display family: Windows' changes
// snapped to whole steps of 4 %, written back under the tray's own context,
// and posted as steps only when what is shown changes.
#include "AudioTestFixture.h"

#include <cmath>
#include <limits>

#include "AudioEndpointVolumeCallback_K7.h"

using fake_audio::VolumeCall;
using K7 = CAudioEndpointVolumeCallback_K7;

namespace {

class SteppedCallbackTest : public AudioCallbackTest {
protected:
    K7& Stepped() { return static_cast<K7&>(*callback.Get()); }

    // The scalars the tray wrote to the endpoint since the last look.
    std::vector<float> Written()
    {
        std::vector<float> written;
        for (const VolumeCall& call : endpoint->Calls()) {
            EXPECT_TRUE(IsEqualGUID(call.context, CAudioEndpointVolumeCallback::kOwnEventContext));
            if (call.kind == VolumeCall::Scalar) written.push_back(call.scalar);
        }
        endpoint->ClearCalls();
        return written;
    }
};

TEST(SteppedRounding, HalvesGoUpAndNothingGoesBelowZero)
{
    EXPECT_EQ(K7::Round(12.5), 13);
    EXPECT_EQ(K7::Round(12.49), 12);
    EXPECT_EQ(K7::Round(12.0), 12);
    EXPECT_EQ(K7::Round(0.5), 1);
    EXPECT_EQ(K7::Round(0.0), 0);
    EXPECT_EQ(K7::Round(99.96), 100);
    EXPECT_EQ(K7::Round(0.52f * 100.0), 52) << "a float just below a whole percent";
    EXPECT_EQ(K7::Round(-3.7), 0);
    EXPECT_EQ(K7::Round(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(K7::Round(1e300), std::numeric_limits<int>::max());
}

TEST(SteppedRounding, AChangeMovesToTheNextStepInItsDirection)
{
    struct Case {
        float from, to;
        int expected;
    };
    const Case cases[] = {
        {0.50f, 0.52f, 56}, // step 12.5 counts as 13, so up is 14
        {0.56f, 0.54f, 52},  {0.56f, 0.60f, 60},  {0.20f, 0.60f, 60}, // a jump keeps its own step
        {0.98f, 1.00f, 100}, {0.96f, 0.99f, 100}, // never past the top
        {0.04f, 0.02f, 0},   {0.02f, 0.00f, 0}, // never below the bottom
        {0.00f, 0.02f, 4},   {1.00f, 1.00f, 100}, {0.52f, 0.52f, 52}, // no change, no snap
        {0.30f, 0.31f, 36},  {0.31f, 0.30f, 28},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(K7::SnappedPercent(c.from, c.to, true), c.expected) << c.from << " -> " << c.to;
        EXPECT_EQ(K7::SnappedPercent(c.from, c.to, false), K7::Round(c.to * 100.0)) << "no snapping asked";
    }
}

TEST_F(SteppedCallbackTest, OneKeyFromHalfwayIsOneWholeStepAndOneUpdate)
{
    Start(true, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(callback->SnapsToSteps());
    EXPECT_FLOAT_EQ(Stepped().LastScalar(), 0.5f);

    endpoint->Raise(GUID_NULL, 0.52f, FALSE);
    // The write-back is reported too (the fake tells the callback of it), and ignored.
    EXPECT_EQ(VolumePosts(), (Posts{{14, 0}}));
    EXPECT_EQ(Written(), std::vector<float>{0.56f});
    EXPECT_FLOAT_EQ(endpoint->Scalar(), 0.56f);
    EXPECT_FLOAT_EQ(Stepped().LastScalar(), 0.56f);

    endpoint->Raise(kWindowsMixer, 0.54f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{13, 0}}));
    EXPECT_EQ(Written(), std::vector<float>{0.52f});
}

TEST_F(SteppedCallbackTest, OnlyAChangedStepOrMuteStateIsPosted)
{
    Start(true, 0.52f, FALSE);
    if (HasFatalFailure()) return;
    endpoint->Raise(GUID_NULL, 0.52f, TRUE);
    EXPECT_EQ(VolumePosts(), (Posts{{13, 1}})) << "the first post has nothing to match";
    endpoint->Raise(GUID_NULL, 0.52f, TRUE);
    EXPECT_TRUE(VolumePosts().empty());
    endpoint->Raise(GUID_NULL, 0.52f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{13, 0}}));
    // Unchanged percent: written back as it is, not moved.
    EXPECT_EQ(Written(), (std::vector<float>{0.52f, 0.52f, 0.52f}));
}

TEST_F(SteppedCallbackTest, TheEndsOfTheRangeHold)
{
    Start(true, 0.96f, FALSE);
    if (HasFatalFailure()) return;
    endpoint->Raise(GUID_NULL, 0.99f, FALSE);
    endpoint->Raise(GUID_NULL, 1.0f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{25, 0}}));
    EXPECT_FLOAT_EQ(endpoint->Scalar(), 1.0f);

    endpoint->Raise(kOtherProgram, 0.04f, FALSE);
    ASSERT_EQ(VolumePosts(), (Posts{{CAudioEndpointVolumeCallback::kChangedElsewhere, 0}}));
    Written();
    endpoint->Raise(GUID_NULL, 0.02f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{0, 0}}));
    EXPECT_EQ(Written(), std::vector<float>{0.0f});
}

TEST_F(SteppedCallbackTest, OtherProgramsAreFollowedButNotSnappedAndOwnChangesIgnored)
{
    Start(true, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    endpoint->Raise(kOtherProgram, 0.33f, TRUE);
    EXPECT_EQ(VolumePosts(), (Posts{{CAudioEndpointVolumeCallback::kChangedElsewhere, 1}}));
    EXPECT_TRUE(Written().empty());
    EXPECT_FLOAT_EQ(Stepped().LastScalar(), 0.33f);
    EXPECT_TRUE(callback->IsMuted());

    // The next key starts from where the other program left the volume.
    endpoint->Raise(GUID_NULL, 0.35f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{9, 0}}));
    EXPECT_EQ(Written(), std::vector<float>{0.36f});

    AUDIO_VOLUME_NOTIFICATION_DATA own{};
    own.guidEventContext = CAudioEndpointVolumeCallback::kOwnEventContext;
    own.fMasterVolume = 0.9f;
    own.bMuted = TRUE;
    endpoint->RaiseRaw(&own);
    EXPECT_TRUE(VolumePosts().empty());
    EXPECT_TRUE(Written().empty());
    EXPECT_FLOAT_EQ(Stepped().LastScalar(), 0.36f);
    EXPECT_FALSE(callback->IsMuted());
}

TEST_F(SteppedCallbackTest, WithTheDisplayOffTheVolumeIsStillSnapped)
{
    Start(true, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    callback->SetOsdEnabled(false);
    endpoint->Raise(GUID_NULL, 0.52f, FALSE);
    endpoint->Raise(kOtherProgram, 0.7f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{CAudioEndpointVolumeCallback::kChangedElsewhere, 0}}));
    EXPECT_EQ(Written(), std::vector<float>{0.56f});
}

TEST_F(SteppedCallbackTest, TheVolumeKeyAtEitherEndShowsTheDisplayEveryTime)
{
    Start(true, 1.0f, TRUE);
    if (HasFatalFailure()) return;
    callback->PostCurrentVolume();
    callback->PostCurrentVolume();
    EXPECT_EQ(VolumePosts(), (Posts{{25, 1}, {25, 1}}));

    endpoint->Raise(kOtherProgram, 0.5f, FALSE);
    VolumePosts();
    callback->PostCurrentVolume();
    EXPECT_TRUE(VolumePosts().empty()) << "in the middle Windows' own notification shows it";

    endpoint->Raise(kOtherProgram, 0.0f, FALSE);
    VolumePosts();
    callback->PostCurrentVolume();
    EXPECT_EQ(VolumePosts(), (Posts{{0, 0}}));

    callback->SetOsdEnabled(false);
    callback->PostCurrentVolume();
    EXPECT_TRUE(VolumePosts().empty());
}

TEST_F(SteppedCallbackTest, AVolumeKeyWhileMutedUnmutesAndShowsTheStep)
{
    Start(true, 0.56f, TRUE);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(callback->IsMuted());
    callback->UnmuteAndPostVolume();
    EXPECT_FALSE(endpoint->Muted());
    EXPECT_FALSE(callback->IsMuted());
    const auto calls = endpoint->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, VolumeCall::Mute);
    EXPECT_TRUE(IsEqualGUID(calls[0].context, CAudioEndpointVolumeCallback::kOwnEventContext));
    EXPECT_EQ(VolumePosts(), (Posts{{14, 0}}));

    // Already shown: a second key changes nothing on screen.
    callback->UnmuteAndPostVolume();
    EXPECT_TRUE(VolumePosts().empty());
}

TEST_F(SteppedCallbackTest, StartingStateComesFromTheScalarAndTheMute)
{
    Start(true, 0.73f, TRUE);
    if (HasFatalFailure()) return;
    EXPECT_FLOAT_EQ(Stepped().LastScalar(), 0.73f);
    EXPECT_TRUE(callback->IsMuted());
    EXPECT_TRUE(VolumePosts().empty()) << "reading posts nothing";
    EXPECT_FALSE(CAudioEndpointVolumeCallback::Make(sink.Hwnd(), false)->SnapsToSteps());
}

} // namespace
