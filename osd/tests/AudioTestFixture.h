#pragma once
// A stand-in for the tray's window that keeps the audio messages posted to
// it, and a fixture with one callback bound to a fake default endpoint.
#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

#include "AudioEndpointVolumeCallback.h"
#include "FakeAudioEndpoint.h"
#include "MessageCatalogue.h"

struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageSink {
public:
    MessageSink()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &MessageSink::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavrinAudioTestSink";
        ::RegisterClassW(&wc); // once per process; a second time fails harmlessly
        m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~MessageSink() { ::DestroyWindow(m_hwnd); }
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    HWND Hwnd() const { return m_hwnd; }

    // Everything posted before this call, in order: a marker posted now is
    // waited for, so whatever was queued ahead of it has arrived.
    std::vector<PostedMessage> Drain()
    {
        m_markerSeen = false;
        EXPECT_TRUE(::PostMessageW(m_hwnd, kMarker, 0, 0));
        const DWORD start = ::GetTickCount();
        while (!m_markerSeen && ::GetTickCount() - start < 10000) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            if (!m_markerSeen) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
        EXPECT_TRUE(m_markerSeen) << "the marker never arrived";
        std::vector<PostedMessage> taken;
        taken.swap(m_received);
        return taken;
    }

private:
    static constexpr UINT kMarker = WM_APP + 0x3A7;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<MessageSink*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == kMarker) {
            self->m_markerSeen = true;
            return 0;
        }
        if (self && msg >= 0xC000 && msg <= 0xFFFF) self->m_received.push_back({msg, wp, lp});
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }

    HWND m_hwnd = nullptr;
    bool m_markerSeen = false;
    std::vector<PostedMessage> m_received;
};

class AudioCallbackTest : public ::testing::Test {
protected:
    const UINT kVolumeChange = messages::Register(messages::kVolumeChange);
    const UINT kEndpointChange = messages::Register(messages::kAudioEndpointChange);
    static constexpr GUID kOtherProgram
        = {0x1D3E5A77, 0x0C2B, 0x4F61, {0x9A, 0x10, 0x33, 0x5E, 0x71, 0xC4, 0x08, 0x2F}};
    static constexpr GUID kWindowsMixer
        = {0x2C01AB9A, 0x43A2, 0x4AED, {0xA4, 0x51, 0xE7, 0x0C, 0x4F, 0x97, 0x57, 0x62}};

    void TearDown() override
    {
        if (callback) callback->Shutdown();
        callback.Reset();
        device.Reset();
        endpoint.Reset();
        enumerator.Reset();
        EXPECT_EQ(fake_audio::g_live.load(), 0) << "a fake was not let go";
    }

    // A callback of the family, created on an endpoint at the level and mute state given.
    void Start(bool newerFamily, float scalar, BOOL muted)
    {
        endpoint = fake_audio::Adopt(new fake_audio::FakeEndpointVolume(scalar, muted));
        device = fake_audio::Adopt(new fake_audio::FakeDevice(endpoint));
        enumerator = fake_audio::Adopt(new fake_audio::FakeEnumerator);
        enumerator->SetDefault(device);
        callback = CAudioEndpointVolumeCallback::Make(sink.Hwnd(), newerFamily);
        ASSERT_TRUE(callback);
        ASSERT_EQ(callback->Create(enumerator.Get()), S_OK);
        ASSERT_TRUE(callback->IsBound());
        callback->ReadCurrentState();
    }

    // The volume changes posted since the last look, as (wParam, lParam).
    std::vector<std::pair<WPARAM, LPARAM>> VolumePosts()
    {
        std::vector<std::pair<WPARAM, LPARAM>> posts;
        for (const PostedMessage& m : sink.Drain()) {
            EXPECT_EQ(m.message, kVolumeChange) << "only volume changes were expected";
            if (m.message == kVolumeChange) posts.emplace_back(m.wParam, m.lParam);
        }
        return posts;
    }

    using Posts = std::vector<std::pair<WPARAM, LPARAM>>;

    MessageSink sink;
    Microsoft::WRL::ComPtr<fake_audio::FakeEndpointVolume> endpoint;
    Microsoft::WRL::ComPtr<fake_audio::FakeDevice> device;
    Microsoft::WRL::ComPtr<fake_audio::FakeEnumerator> enumerator;
    Microsoft::WRL::ComPtr<CAudioEndpointVolumeCallback> callback;
};
