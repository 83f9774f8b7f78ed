// Test helper: a focused window that types the strokes named on its command
// line into itself through SendInput, as a keyboard would, and ends when its
// window has received every one. Each stroke is "d:" (press) or "u:"
// (release) and a hexadecimal code, E0xx for an E0-prefixed key.
// Exit codes: 0 done, 2 bad arguments, 3 no focus, 4 strokes missing.
#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

struct Stroke {
    WORD scanCode;
    bool extended;
    bool release;
};

int g_keyMessages = 0;

bool ParseStroke(const wchar_t* text, Stroke& stroke)
{
    if ((text[0] != L'd' && text[0] != L'u') || text[1] != L':') return false;
    wchar_t* end = nullptr;
    const unsigned long code = std::wcstoul(text + 2, &end, 16);
    if (*end != L'\0' || code > 0xFFFF) return false;
    stroke = {static_cast<WORD>(code & 0xFF), (code & 0xFF00) == 0xE000, text[0] == L'u'};
    return true;
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        ++g_keyMessages;
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// Pumps messages until the condition holds or the time is up.
template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    return true;
}

void Send(const Stroke& stroke)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = stroke.scanCode;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (stroke.extended ? KEYEVENTF_EXTENDEDKEY : 0)
                       | (stroke.release ? KEYEVENTF_KEYUP : 0);
    ::SendInput(1, &input, sizeof(input));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<Stroke> strokes;
    for (int i = 1; i < argc; ++i) {
        Stroke stroke{};
        if (!ParseStroke(argv[i], stroke)) return 2;
        strokes.push_back(stroke);
    }

    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZelkeyKeyTarget";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Key target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                  10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 3;
    ::SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
    if (!PumpUntil([&] { return ::GetForegroundWindow() == hwnd && ::GetFocus() == hwnd; }, 5000)) return 3;

    for (const Stroke& stroke : strokes) Send(stroke);
    const int expected = static_cast<int>(strokes.size());
    const bool all = PumpUntil([&] { return g_keyMessages >= expected; }, 5000);
    ::DestroyWindow(hwnd);
    return all ? 0 : 4;
}
