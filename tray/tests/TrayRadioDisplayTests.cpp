// The radio and keyboard-light displays of the running tray: the firmware's
// wireless and keyboard-light events raised by simctl, the two-choice radio
// selector carried out on the simulated radios, and the announcements another
// program receives.
#include "MessageCatalogue.h"
#include "TrayDispatchFixture.h"

#include <mutex>
#include <thread>

namespace {

// A top-level window of this process on a thread of its own, which records
// the suite's announcements as another program would receive them.
class AnnouncementListener {
public:
    AnnouncementListener()
        : m_wireless(::RegisterWindowMessageW(messages::kWirelessToggle))
        , m_keyboard(::RegisterWindowMessageW(messages::kChangeBacklitKeyboardState))
        , m_ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
        , m_thread([this] { Run(); })
    {
        ::WaitForSingleObject(m_ready.get(), 10000);
    }

    ~AnnouncementListener()
    {
        if (m_window) ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        m_thread.join();
    }

    AnnouncementListener(const AnnouncementListener&) = delete;
    AnnouncementListener& operator=(const AnnouncementListener&) = delete;

    bool IsListening() const { return m_window != nullptr; }
    int WirelessToggles() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_toggles;
    }
    std::vector<WPARAM> KeyboardLevels() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_levels;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<AnnouncementListener*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && msg == self->m_wireless) {
            std::lock_guard<std::mutex> lock(self->m_lock);
            ++self->m_toggles;
            return 0;
        }
        if (self && msg == self->m_keyboard) {
            std::lock_guard<std::mutex> lock(self->m_lock);
            self->m_levels.push_back(wp);
            return 0;
        }
        if (msg == WM_DESTROY) ::PostQuitMessage(0);
        return ::DefWindowProcW(window, msg, wp, lp);
    }

    void Run()
    {
        WNDCLASSW info{};
        info.lpfnWndProc = &Proc;
        info.hInstance = ::GetModuleHandleW(nullptr);
        info.lpszClassName = L"TavrinAnnouncementListener";
        ::RegisterClassW(&info);
        // Broadcasts reach top-level windows only, hidden ones included.
        m_window = ::CreateWindowExW(WS_EX_TOOLWINDOW, info.lpszClassName, L"listener", WS_POPUP, 0, 0, 1, 1,
                                     nullptr, nullptr, info.hInstance, nullptr);
        if (m_window) ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetEvent(m_ready.get());
        if (!m_window) return;
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    }

    const UINT m_wireless;
    const UINT m_keyboard;
    mutable std::mutex m_lock;
    int m_toggles = 0;
    std::vector<WPARAM> m_levels;
    HWND m_window = nullptr;
    UniqueHandle m_ready;
    std::thread m_thread;
};

unsigned long Field(const std::string& text, const std::string& name)
{
    const size_t at = text.find(name + "=");
    if (at == std::string::npos) return 0xFFFFFFFFul;
    return std::stoul(text.substr(at + name.size() + 1), nullptr, 0);
}

class TrayRadioDisplays : public TrayDispatch {
protected:
    // The two-choice selector: bitmap style with tray capability 5; the keys
    // hooked as the installation has them.
    void Configure() override { settings.SetDword(L"TavrinControl", 0x0020 | 0x0010); }

    // Collects trace lines until `line` arrives; says what came instead when it does not.
    bool WaitForLine(const std::string& line, Lines* seen = nullptr, DWORD timeoutMs = 10000)
    {
        bool found = false;
        Lines looked;
        WaitFor(
            [&] {
                for (std::string& next : NewLines()) {
                    if (found) continue;
                    if (next == line) found = true;
                    looked.push_back(next);
                    if (seen) seen->push_back(std::move(next));
                }
                return found;
            },
            timeoutMs);
        if (!found) {
            std::string trace;
            for (const std::string& l : looked) trace += "\n  " + l;
            ADD_FAILURE() << "waiting for \"" << line << "\", the trace said:" << trace;
        }
        return found;
    }

    // The wireless key as the firmware reports it: the radio status word in its arguments.
    void WirelessEvent()
    {
        const unsigned long status = Field(Simctl(L"radios"), "radio-status");
        ASSERT_NE(status, 0xFFFFFFFFul);
        Simctl(L"event 0xE008 " + std::to_wstring(status & 0xFFFF) + L" " + std::to_wstring(status >> 16));
    }

    // The firmware calls that switched the radios (class 0x11, select 0x0B, sub-function 1).
    static std::vector<std::string> DisableCalls()
    {
        std::vector<std::string> calls;
        const std::string log = Simctl(L"calls");
        size_t at = 0;
        while ((at = log.find("class=0x0011 select=0x000B args=0x", at)) != std::string::npos) {
            const std::string arg1 = log.substr(at + 32, 10);
            if (arg1.size() == 10 && arg1.compare(8, 2, "01") == 0) calls.push_back(arg1);
            at += 32;
        }
        return calls;
    }
};

TEST_F(TrayRadioDisplays, SecondKeyChoosesOffWhichIsCarriedOutAfterTheFade)
{
    AnnouncementListener listener;
    ASSERT_TRUE(listener.IsListening());
    ASSERT_EQ(Field(Simctl(L"radios"), "radios-on"), 1ul);
    Simctl(L"clear-calls");
    Lines lines;
    WirelessEvent();
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 424", &lines)) << "the first key shows the radios on";
    WirelessEvent();
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 425", &lines)) << "the second key lights the off tile";
    EXPECT_TRUE(DisableCalls().empty()) << "nothing is switched while the display is up";
    ASSERT_TRUE(WaitForLine("entry RadioChoiceApplied 0", &lines)) << "the choice was never carried out";
    EXPECT_EQ(DisableCalls(), std::vector<std::string>{"0x00010001"}) << "all radios, disable";
    const std::string radios = Simctl(L"radios");
    EXPECT_EQ(Field(radios, "radios-on"), 0ul) << radios;
    EXPECT_NE(radios.find("disabled=1"), std::string::npos) << radios;
    // Two keys and the choice carried out.
    EXPECT_TRUE(WaitFor([&] { return listener.WirelessToggles() >= 3; }, 5000))
        << listener.WirelessToggles() << " announcements";
}

TEST_F(TrayRadioDisplays, ThirdKeyBeforeTheFadeLeavesTheRadiosOn)
{
    Simctl(L"clear-calls");
    Lines lines;
    WirelessEvent();
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 424", &lines));
    WirelessEvent();
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 425", &lines));
    WirelessEvent();
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 424", &lines));
    ASSERT_TRUE(WaitForLine("entry RadioChoiceApplied 1", &lines));
    EXPECT_EQ(DisableCalls(), std::vector<std::string>{"0x00000001"}) << "all radios, enable";
    EXPECT_EQ(Field(Simctl(L"radios"), "radios-on"), 1ul);
}

TEST_F(TrayRadioDisplays, WithoutSelectorAvailabilityTheKeyOnlyShowsTheState)
{
    Simctl(L"set radio-selector 0");
    Simctl(L"clear-calls");
    Lines lines;
    // The key itself: the tray asks the firmware for the radios' state.
    Type(L"d:E008 u:E008");
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 424", &lines));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "entry ShowRadio 0 0 0"), 1);
    WirelessEvent();
    ASSERT_TRUE(WaitForLine("entry DrawRadioPicture 424", &lines)) << "the second key shows the state again";
    ASSERT_TRUE(WaitFor([&] { return ShownDisplay(m_tray.id) != nullptr; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return ShownDisplay(m_tray.id) == nullptr; }, 10000))
        << "the display never faded out";
    for (std::string& line : UntilMarker()) lines.push_back(std::move(line));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "entry DrawRadioPicture 425"), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "entry RadioChoiceApplied 0"), 0);
    EXPECT_TRUE(DisableCalls().empty());
}

TEST_F(TrayRadioDisplays, KeyboardLightLevelIsAnnouncedFromTheFirmwareAndFromTheKey)
{
    AnnouncementListener listener;
    ASSERT_TRUE(listener.IsListening());
    Simctl(L"event 0xE00C 2");
    ASSERT_TRUE(WaitForLine("entry ShowKeyboardLight 2 1"));

    EXPECT_TRUE(WaitFor([&] { return !listener.KeyboardLevels().empty(); }, 5000));
    // A key: the bitmap style shows nothing but reads the level the firmware set.
    Simctl(L"set kbd-level 3");
    Type(L"d:E033 u:E033");
    ASSERT_TRUE(WaitForLine("entry ShowKeyboardLight 0 0"));
    ASSERT_TRUE(WaitFor([&] { return listener.KeyboardLevels().size() >= 2; }, 5000));
    // Under Wine the listener now and then receives one broadcast twice: the
    // levels are what counts, in order.
    const std::vector<WPARAM> levels = listener.KeyboardLevels();
    EXPECT_EQ(levels.front(), 2u);
    EXPECT_TRUE(std::all_of(levels.begin() + 1, levels.end(), [](WPARAM level) { return level == 3; }))
        << levels.size() << " announcements";
}

} // namespace
