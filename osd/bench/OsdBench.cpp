// How fast a brightness display answers, as rows of the suite's benchmark
// table: from the event's message reaching a window to UpdateLayeredWindow
// returning, for the first show (the display's window is made) and a
// repeated show (the window is up), in the slider and outline styles. The
// two take turns over many events, in both orders.
#include "BenchRounds.h"
#include "GdiplusSession.h"
#include "OsdFactory.h"

#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

namespace {

constexpr int kEvents = 120;
constexpr UINT kEventMessage = WM_APP + 1;
constexpr int kLevelMax = 15;
constexpr double kFrameNs = 16.0e6;

// The window the events reach, as the tray's main window receives them.
class EventWindow {
public:
    explicit EventWindow(CBrightnessDlg& display) : m_display(display)
    {
        const WNDCLASSW windowClass{
            0,       &EventWindow::Procedure, 0, 0, ::GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
            nullptr, L"TavrinOsdBench"};
        ::RegisterClassW(&windowClass);
        m_window = ::CreateWindowExW(0, L"TavrinOsdBench", L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     ::GetModuleHandleW(nullptr), this);
    }
    ~EventWindow() { ::DestroyWindow(m_window); }
    EventWindow(const EventWindow&) = delete;
    EventWindow& operator=(const EventWindow&) = delete;

    bool Ready() const { return m_window != nullptr; }

    // Posts one event and runs the messages until the display has answered it:
    // the nanoseconds from its arrival to the display's return.
    double Event(int level)
    {
        m_answered = false;
        ::PostMessageW(m_window, kEventMessage, static_cast<WPARAM>(level), 0);
        MSG msg;
        while (!m_answered && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return m_lastNs;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<EventWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (msg == kEventMessage && self) {
            self->Answer(static_cast<int>(wp));
            return 0;
        }
        return ::DefWindowProcW(window, msg, wp, lp);
    }

    // What the tray does with a brightness event.
    void Answer(int level)
    {
        const Stopwatch watch;
        if (m_display.HasWindow() || m_display.Open(nullptr)) {
            m_display.Show(true);
            m_display.ShowLevel(level);
        }
        m_lastNs = watch.Nanoseconds();
        m_answered = true;
    }

    CBrightnessDlg& m_display;
    HWND m_window = nullptr;
    bool m_answered = false;
    double m_lastNs = 0;
};

struct Shows {
    std::vector<double> first;
    std::vector<double> repeated;
    std::vector<double> ratios;
};

// Even rounds: closed, first show, repeated show; odd rounds: a repeated show
// of the window still up, then closed and shown first.
Shows MeasureStyle(int osdStyle)
{
    BrightnessDlgParams params;
    params.levelMax = kLevelMax;
    params.skipPowerPlan = true;
    auto display = CreateBrightnessDlg(osdStyle, params);
    EventWindow window(*display);
    Shows shows;
    if (!window.Ready()) return shows;
    window.Event(0);
    for (int round = 0; round < kEvents; ++round) {
        const int level = round % (kLevelMax + 1);
        double first = 0;
        double repeated = 0;
        if (round % 2 == 0) {
            display->Close();
            first = window.Event(level);
            repeated = window.Event(kLevelMax - level);
        } else {
            repeated = window.Event(kLevelMax - level);
            display->Close();
            first = window.Event(level);
        }
        shows.first.push_back(first);
        shows.repeated.push_back(repeated);
        shows.ratios.push_back(first > 0 ? repeated / first : 0);
    }
    display->Close();
    return shows;
}

bool Report(const char* style, const Shows& shows)
{
    const Spread first = SpreadOf(shows.first);
    const Spread repeated = SpreadOf(shows.repeated);
    char measure[80];
    std::snprintf(measure, sizeof measure, "brightness display, %s: first show", style);
    PrintCost(measure, first);
    std::snprintf(measure, sizeof measure, "brightness display, %s: repeated show", style);
    PrintCost(measure, repeated);
    std::snprintf(measure, sizeof measure, "brightness display, %s: repeated against first", style);
    PrintComparison(measure, {repeated, first, SpreadOf(shows.ratios)});
    const bool withinFrame = first.median < kFrameNs && repeated.median < kFrameNs;
    std::printf("%-52s %s\n", "  within one frame (16 ms) at the median", withinFrame ? "yes" : "NO");
    return !shows.first.empty();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const CGdiplusSession gdiplus;
    if (argc < 2 || std::wcscmp(argv[1], L"--rows") != 0) PrintTableHeader();
    bool measured = Report("slider", MeasureStyle(2));
    measured = Report("outline", MeasureStyle(3)) && measured;
    if (!measured) {
        std::fprintf(stderr, "no window for the events\n");
        return 1;
    }
    return 0;
}
