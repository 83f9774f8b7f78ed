// The endpoint watch of the percent display family, its COM identity and
// its life, against fake Core Audio objects that report on threads of their own.
#include "AudioTestFixture.h"

#include <atomic>
#include <thread>

using fake_audio::Adopt;
using fake_audio::VolumeCall;
using Microsoft::WRL::ComPtr;

namespace {

// Counts its own end, so a test can see the last release free it.
class CountedCallback : public CAudioEndpointVolumeCallback {
public:
    explicit CountedCallback(std::atomic<int>& ended)
        : CAudioEndpointVolumeCallback(nullptr, false), m_ended(ended)
    {}

protected:
    ~CountedCallback() override { ++m_ended; }

private:
    std::atomic<int>& m_ended;
};

TEST_F(AudioCallbackTest, AnswersItsTwoInterfacesAndNothingElse)
{
    callback = CAudioEndpointVolumeCallback::Make(sink.Hwnd(), false);
    ComPtr<IUnknown> unknown;
    ComPtr<IMMNotificationClient> client;
    ComPtr<IAudioEndpointVolumeCallback> volume;
    ASSERT_EQ(callback->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(unknown.GetAddressOf())),
              S_OK);
    ASSERT_EQ(callback->QueryInterface(__uuidof(IMMNotificationClient),
                                       reinterpret_cast<void**>(client.GetAddressOf())),
              S_OK);
    ASSERT_EQ(callback->QueryInterface(__uuidof(IAudioEndpointVolumeCallback),
                                       reinterpret_cast<void**>(volume.GetAddressOf())),
              S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(client.Get()))
        << "IUnknown is the primary pointer";
    EXPECT_NE(static_cast<void*>(volume.Get()), static_cast<void*>(client.Get()));
    EXPECT_EQ(static_cast<void*>(volume.Get()),
              static_cast<void*>(static_cast<IAudioEndpointVolumeCallback*>(callback.Get())));

    // Back to IUnknown from the second pointer: the same identity.
    ComPtr<IUnknown> again;
    ASSERT_EQ(volume->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(again.GetAddressOf())),
              S_OK);
    EXPECT_EQ(again.Get(), unknown.Get());

    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(callback->QueryInterface(__uuidof(IDispatch), &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(callback->QueryInterface(__uuidof(IAudioEndpointVolume), &other), E_NOINTERFACE);
    EXPECT_EQ(callback->QueryInterface(__uuidof(IUnknown), nullptr), E_POINTER);
}

TEST_F(AudioCallbackTest, TheLastReleaseFreesItAndNotBefore)
{
    std::atomic<int> ended{0};
    auto* counted = new CountedCallback(ended);
    EXPECT_EQ(counted->AddRef(), 2u);
    ComPtr<IAudioEndpointVolumeCallback> second;
    ASSERT_EQ(counted->QueryInterface(__uuidof(IAudioEndpointVolumeCallback),
                                      reinterpret_cast<void**>(second.GetAddressOf())),
              S_OK);
    EXPECT_EQ(counted->Release(), 2u);
    EXPECT_EQ(counted->Release(), 1u);
    EXPECT_EQ(ended.load(), 0);
    second.Reset(); // released through the second interface
    EXPECT_EQ(ended.load(), 1);

    // References taken and dropped on many threads at once.
    auto* shared = new CountedCallback(ended);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([shared] {
            for (int i = 0; i < 1000; ++i) {
                shared->AddRef();
                shared->Release();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(ended.load(), 1);
    EXPECT_EQ(shared->Release(), 0u);
    EXPECT_EQ(ended.load(), 2);
}

TEST_F(AudioCallbackTest, CreateWatchesTheEnumeratorAndBindsToTheDefaultRenderEndpoint)
{
    Start(false, 0.4f, FALSE);
    if (HasFatalFailure()) return;
    EXPECT_EQ(enumerator->askedFlow, eRender);
    EXPECT_EQ(enumerator->askedRole, eMultimedia);
    EXPECT_TRUE(IsEqualGUID(device->activatedIid, __uuidof(IAudioEndpointVolume)));
    EXPECT_EQ(device->activatedContext, DWORD(CLSCTX_INPROC_SERVER));
    EXPECT_EQ(static_cast<void*>(enumerator->Client()),
              static_cast<void*>(static_cast<IMMNotificationClient*>(callback.Get())));
    EXPECT_EQ(static_cast<void*>(endpoint->RegisteredCallback()),
              static_cast<void*>(static_cast<IAudioEndpointVolumeCallback*>(callback.Get())));
    EXPECT_EQ(callback->Create(enumerator.Get()), HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED));

    callback->Shutdown();
    EXPECT_FALSE(callback->IsBound());
    EXPECT_EQ(endpoint->Registered(), 0u);
    EXPECT_EQ(enumerator->Client(), nullptr);
    callback->Shutdown(); // twice is harmless
}

TEST_F(AudioCallbackTest, ReadsTheStartingVolumeFromTheStepsAndTheMute)
{
    Start(false, 0.4f, TRUE);
    if (HasFatalFailure()) return;
    EXPECT_EQ(callback->LastPercent(), 0) << "no step information yet";
    EXPECT_TRUE(callback->IsMuted());
    EXPECT_TRUE(callback->WasMutedBefore());

    endpoint->step = 17;
    endpoint->stepCount = 51;
    callback->ReadCurrentState();
    EXPECT_EQ(callback->LastPercent(), 17 * 100 / 51);
    endpoint->stepInfoResult = E_FAIL;
    callback->ReadCurrentState();
    EXPECT_EQ(callback->LastPercent(), 0);
}

TEST_F(AudioCallbackTest, WithoutARenderEndpointNothingIsBoundAndNothingChanges)
{
    enumerator = Adopt(new fake_audio::FakeEnumerator);
    callback = CAudioEndpointVolumeCallback::Make(sink.Hwnd(), false);
    EXPECT_EQ(callback->Create(enumerator.Get()), S_OK) << "default-device changes are still watched";
    EXPECT_FALSE(callback->IsBound());
    EXPECT_FALSE(callback->Bind());
    EXPECT_EQ(callback->LastPercent(), CAudioEndpointVolumeCallback::kNoPercentYet);
    EXPECT_FALSE(callback->SetMasterVolume(30));
    EXPECT_FALSE(callback->SetMute(true));
    EXPECT_FALSE(callback->IsMuted());
    callback->ReadCurrentState();
    EXPECT_EQ(callback->LastPercent(), 0);

    // A device without an endpoint volume binds no more than none.
    device = Adopt(new fake_audio::FakeDevice(nullptr));
    enumerator->SetDefault(device);
    EXPECT_FALSE(callback->Rebind());
    EXPECT_FALSE(callback->IsBound());
}

TEST_F(AudioCallbackTest, AFailedRegistrationLeavesItUnboundAndCreateFails)
{
    endpoint = Adopt(new fake_audio::FakeEndpointVolume(0.5f, FALSE));
    device = Adopt(new fake_audio::FakeDevice(endpoint));
    enumerator = Adopt(new fake_audio::FakeEnumerator);
    enumerator->SetDefault(device);
    enumerator->registerResult = E_ACCESSDENIED;
    callback = CAudioEndpointVolumeCallback::Make(sink.Hwnd(), false);
    EXPECT_EQ(callback->Create(enumerator.Get()), E_ACCESSDENIED);
    EXPECT_EQ(enumerator->defaultRequests, 0);
    EXPECT_FALSE(callback->IsBound());
    EXPECT_EQ(callback->Create(nullptr), E_POINTER);

    // An endpoint that refuses the volume callback still lets the volume be set.
    enumerator->registerResult = S_OK;
    endpoint->registerResult = E_OUTOFMEMORY;
    ASSERT_EQ(callback->Create(enumerator.Get()), S_OK);
    EXPECT_TRUE(callback->IsBound());
    EXPECT_EQ(endpoint->Registered(), 0u);
    EXPECT_TRUE(callback->SetMasterVolume(70));
    callback->Shutdown();
    EXPECT_EQ(endpoint->Registered(), 0u);
}

TEST_F(AudioCallbackTest, ANewDefaultRenderDeviceIsAnnouncedAndRebindingFollowsIt)
{
    Start(false, 0.3f, FALSE);
    if (HasFatalFailure()) return;
    enumerator->RaiseDefaultChanged(eCapture, eMultimedia);
    EXPECT_TRUE(sink.Drain().empty()) << "a capture device is not ours";

    enumerator->RaiseDefaultChanged(eRender, eConsole);
    auto posted = sink.Drain();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].message, kEndpointChange);
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_EQ(posted[0].lParam, 0);

    // What the window does with it: the new default is taken.
    auto headphones = Adopt(new fake_audio::FakeEndpointVolume(0.8f, FALSE));
    auto headphoneDevice = Adopt(new fake_audio::FakeDevice(headphones));
    enumerator->SetDefault(headphoneDevice);
    ASSERT_TRUE(callback->Rebind());
    EXPECT_EQ(endpoint->Registered(), 0u) << "the old endpoint is left";
    EXPECT_EQ(headphones->Registered(), 1u);

    headphones->Raise(GUID_NULL, 0.75f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{75, 0}}));
    ASSERT_TRUE(callback->SetMasterVolume(40));
    ASSERT_EQ(headphones->Calls().size(), 1u);
    EXPECT_TRUE(endpoint->Calls().empty());

    callback->Shutdown();
    EXPECT_EQ(headphones->Registered(), 0u);
}

TEST_F(AudioCallbackTest, WindowsChangesAreShownInWholePercentCutNotRounded)
{
    Start(false, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    endpoint->Raise(GUID_NULL, 0.519f, FALSE);
    endpoint->Raise(kWindowsMixer, 0.999f, TRUE);
    endpoint->Raise(GUID_NULL, 1.0f, FALSE);
    endpoint->Raise(GUID_NULL, 0.004f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{51, 0}, {99, 1}, {100, 0}, {0, 0}}));
    EXPECT_EQ(callback->LastPercent(), 0);
    // The percent family never writes the volume back.
    EXPECT_TRUE(endpoint->Calls().empty());
}

TEST_F(AudioCallbackTest, OwnChangesAreIgnoredAndOtherProgramsShowNothing)
{
    Start(false, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    endpoint->Raise(GUID_NULL, 0.6f, FALSE);
    ASSERT_EQ(VolumePosts(), (Posts{{60, 0}}));

    // The tray's own change reaches the callback (the fake reports it as
    // Windows would) and changes nothing.
    ASSERT_TRUE(callback->SetMasterVolume(20));
    ASSERT_TRUE(callback->SetMute(true));
    EXPECT_TRUE(VolumePosts().empty());
    EXPECT_EQ(callback->LastPercent(), 20);
    EXPECT_TRUE(callback->IsMuted());
    const auto calls = endpoint->Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(IsEqualGUID(calls[0].context, CAudioEndpointVolumeCallback::kOwnEventContext));
    EXPECT_FLOAT_EQ(calls[0].scalar, 0.2f);
    EXPECT_TRUE(IsEqualGUID(calls[1].context, CAudioEndpointVolumeCallback::kOwnEventContext));

    endpoint->Raise(kOtherProgram, 0.35f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{CAudioEndpointVolumeCallback::kChangedElsewhere, 0}}));
    EXPECT_FALSE(callback->IsMuted());
    EXPECT_EQ(callback->LastPercent(), 34) << "cut, not rounded: 0.35 as a float lies just below";

    // With the display switched off only other programs' changes are posted
    // (the tray still reports their mute state to the firmware).
    callback->SetOsdEnabled(false);
    endpoint->Raise(GUID_NULL, 0.45f, FALSE);
    endpoint->Raise(kOtherProgram, 0.45f, TRUE);
    EXPECT_EQ(VolumePosts(), (Posts{{CAudioEndpointVolumeCallback::kChangedElsewhere, 1}}));
}

TEST_F(AudioCallbackTest, SettingTheVolumeIsClampedToTheRange)
{
    Start(false, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(callback->SetMasterVolume(140));
    ASSERT_TRUE(callback->SetMasterVolume(-5));
    const auto calls = endpoint->Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_FLOAT_EQ(calls[0].scalar, 1.0f);
    EXPECT_FLOAT_EQ(calls[1].scalar, 0.0f);
    EXPECT_EQ(callback->LastPercent(), 0);
}

TEST_F(AudioCallbackTest, NotificationsOutsideTheRangeAreHeldToIt)
{
    Start(false, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    AUDIO_VOLUME_NOTIFICATION_DATA data{};
    data.fMasterVolume = 7.5f;
    endpoint->RaiseRaw(&data);
    data.fMasterVolume = -0.25f;
    endpoint->RaiseRaw(&data);
    EXPECT_EQ(VolumePosts(), (Posts{{100, 0}, {0, 0}}));
    EXPECT_EQ(callback->OnNotify(nullptr), E_POINTER);
}

TEST_F(AudioCallbackTest, KeepingTheMuteOnTheWayDown)
{
    // Muted at 50 %; Windows lifts the mute for the volume-down key and then lowers the volume.
    Start(false, 0.5f, TRUE);
    if (HasFatalFailure()) return;
    endpoint->step = 25;
    endpoint->stepCount = 50;
    callback->ReadCurrentState();
    ASSERT_EQ(callback->LastPercent(), 50);
    ASSERT_TRUE(callback->IsMuted());
    callback->SetKeepMuteOnDown(true);

    // Not lowering while muted: the tray unmutes.
    endpoint->Raise(GUID_NULL, 0.5f, FALSE);
    auto calls = endpoint->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, VolumeCall::Mute);
    EXPECT_FALSE(calls[0].mute);
    EXPECT_TRUE(IsEqualGUID(calls[0].context, CAudioEndpointVolumeCallback::kOwnEventContext));
    EXPECT_EQ(VolumePosts(), (Posts{{50, 0}}));
    EXPECT_TRUE(callback->WasMutedBefore());
    EXPECT_FALSE(callback->IsMuted());

    // Lowering with the mute lifted: muted again, shown without the mute.
    endpoint->ClearCalls();
    endpoint->Raise(GUID_NULL, 0.46f, FALSE);
    calls = endpoint->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, VolumeCall::Mute);
    EXPECT_TRUE(calls[0].mute);
    EXPECT_TRUE(IsEqualGUID(calls[0].context, CAudioEndpointVolumeCallback::kOwnEventContext));
    EXPECT_TRUE(endpoint->Muted());
    EXPECT_EQ(VolumePosts(), (Posts{{46, 0}}));
    EXPECT_TRUE(callback->WasMutedBefore());
}

TEST_F(AudioCallbackTest, WithoutKeepingTheMuteTheTrayNeverTouchesIt)
{
    Start(false, 0.5f, TRUE);
    if (HasFatalFailure()) return;
    endpoint->Raise(GUID_NULL, 0.5f, TRUE);
    endpoint->Raise(GUID_NULL, 0.5f, FALSE);
    endpoint->Raise(GUID_NULL, 0.46f, FALSE);
    EXPECT_EQ(VolumePosts(), (Posts{{50, 1}, {50, 0}, {46, 0}}));
    EXPECT_TRUE(endpoint->Calls().empty());
    EXPECT_FALSE(endpoint->Muted());
}

TEST_F(AudioCallbackTest, TheVolumeKeyShowsTheDisplayOnlyAtTheEndsOfTheRange)
{
    Start(false, 1.0f, FALSE);
    if (HasFatalFailure()) return;
    for (int percent : {100, 0, 50, 99, 1}) {
        ASSERT_TRUE(callback->SetMasterVolume(percent));
        callback->PostCurrentVolume();
        const Posts expected = percent == 0 || percent == 100 ? Posts{{WPARAM(percent), 0}} : Posts{};
        EXPECT_EQ(VolumePosts(), expected) << percent;
    }
    ASSERT_TRUE(callback->SetMute(true));
    ASSERT_TRUE(callback->SetMasterVolume(100));
    callback->PostCurrentVolume();
    EXPECT_EQ(VolumePosts(), (Posts{{100, 1}}));

    callback->SetOsdEnabled(false);
    callback->PostCurrentVolume();
    EXPECT_TRUE(VolumePosts().empty());
}

TEST_F(AudioCallbackTest, NotificationsFromManyThreadsAreAllPosted)
{
    Start(false, 0.5f, FALSE);
    if (HasFatalFailure()) return;
    callback->SetKeepMuteOnDown(true);
    constexpr int kThreads = 4, kEach = 50;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([this, t] {
            AUDIO_VOLUME_NOTIFICATION_DATA data{};
            data.guidEventContext = kOtherProgram;
            for (int i = 0; i < kEach; ++i) {
                data.fMasterVolume = float((t * kEach + i) % 101) / 100.0f;
                callback->OnNotify(&data);
            }
        });
    // The tray's own thread changes the endpoint meanwhile.
    for (int i = 0; i < kEach; ++i) callback->SetMute(i % 2 == 0);
    for (auto& t : threads) t.join();
    const Posts posts = VolumePosts();
    ASSERT_EQ(posts.size(), size_t(kThreads * kEach));
    for (const auto& post : posts) EXPECT_EQ(post.first, CAudioEndpointVolumeCallback::kChangedElsewhere);
}

TEST_F(AudioCallbackTest, UnmutingForAVolumeKeyShowsTheVolume)
{
    Start(false, 1.0f, TRUE);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(callback->SetMasterVolume(64));
    callback->UnmuteAndPostVolume();
    EXPECT_FALSE(endpoint->Muted());
    EXPECT_FALSE(callback->IsMuted());
    EXPECT_EQ(VolumePosts(), (Posts{{64, 0}}));
}

} // namespace
