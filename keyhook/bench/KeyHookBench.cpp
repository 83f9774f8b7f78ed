// What the keyboard hook costs, as rows of the suite's benchmark table: a
// KeyboardHandler call for a key nobody watches against CallNextHookEx alone
// (taking turns in many short rounds), the key-list check on its own, a
// watched key queued and signalled, and the queue's throughput with a writer
// in another process, apart from that process's start.
#include "BenchRounds.h"
#include "ModuleFolder.h"
#include "OemKeyFilter.h"
#include "Stopwatch.h"
#include "ZelkeyApi.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr uint16_t kWatchedA = 0x06; // E0 06
constexpr uint16_t kWatchedB = 0x05; // E0 05
constexpr uint16_t kUnwatched = 0x1E;

LPARAM Watched(int i)
{
    return KeyInfo(i % 2 ? kWatchedB : kWatchedA, true, false);
}

constexpr int kRounds = 21;
constexpr int kBatch = 64; // stays below the queue size: every key is queued

// One batch of watched keys, taken from the queue again afterwards so that
// the next batch finds it empty; only the handler calls are timed.
Spread WatchedKeyCost(ZelkeyApi& api)
{
    std::vector<double> perKey;
    for (int round = 0; round < kRounds; ++round) {
        const Stopwatch watch;
        for (int i = 0; i < kBatch; ++i) api.KeyboardHandler(HC_ACTION, 0, Watched(i));
        perKey.push_back(watch.Nanoseconds() / kBatch);
        ZelkeyKey key;
        for (int i = 0; i < kBatch; ++i) api.WaitForOEMKey(&key);
    }
    return SpreadOf(perKey);
}

// The writer's side: sends its keys as fast as the handler takes them.
int RunWriter(int keys)
{
    ZelkeyApi api;
    if (!api.Load()) return 1;
    for (int i = 0; i < keys; ++i) api.KeyboardHandler(HC_ACTION, 0, Watched(i));
    return 0;
}

UniqueHandle StartWriter(int keys)
{
    std::wstring command = L"\"" + ModulePath() + L"\" --writer " + std::to_wstring(keys);
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return {};
    UniqueHandle thread(pi.hThread);
    return UniqueHandle(pi.hProcess);
}

// A writer process that sends nothing: what starting one costs, to be kept
// apart from the throughput.
Spread WriterStart()
{
    std::vector<double> starts;
    for (int i = 0; i < 5; ++i) {
        const Stopwatch watch;
        UniqueHandle writer = StartWriter(0);
        if (writer) ::WaitForSingleObject(writer.get(), INFINITE);
        starts.push_back(watch.Nanoseconds());
    }
    return SpreadOf(starts);
}

// Time per key the reader receives, from its first key to its last, with a
// writer in another process; the rounds are whole writer runs.
template <typename Reset>
Spread QueueCostPerKey(ZelkeyApi& api, int keys, Reset reset)
{
    std::vector<double> perKey;
    for (int round = 0; round < 5; ++round) {
        std::atomic<bool> writerDone{false};
        long received = 0;
        double firstNs = 0;
        double lastNs = 0;
        const Stopwatch clock;
        std::thread reader([&] {
            ZelkeyKey key;
            for (;;) {
                if (api.WaitForOEMKey(&key)) {
                    if (received++ == 0) firstNs = clock.Nanoseconds();
                    lastNs = clock.Nanoseconds();
                } else if (writerDone) {
                    return;
                }
            }
        });
        UniqueHandle writer = StartWriter(keys);
        if (writer) ::WaitForSingleObject(writer.get(), INFINITE);
        writerDone = true;
        api.UnloadDll();
        reader.join();
        if (received > 1) perKey.push_back((lastNs - firstNs) / static_cast<double>(received - 1));
        // Unloading ended the reader's waits; the next round's reader waits again.
        reset();
    }
    return SpreadOf(perKey);
}

// Waits for a process while this thread's messages keep flowing (the
// system may call a desktop-wide hook back through its installer's thread).
void WaitServingMessages(HANDLE process)
{
    while (::MsgWaitForMultipleObjects(1, &process, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
}

// Another process typing into its own window, as a keyboard would.
void TypeInAnotherProcess(const std::wstring& strokes)
{
    std::wstring command = L"\"" + ModuleFolder() + L"keyhook_target.exe\" " + strokes;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    UniqueHandle process(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    WaitServingMessages(process.get());
}

std::wstring Strokes(const wchar_t* key, int presses)
{
    std::wstring strokes;
    for (int i = 0; i < presses; ++i) strokes += std::wstring(L"d:") + key + L" u:" + key + L" ";
    return strokes;
}

// The hook where it really runs: called by the system inside another
// process for every stroke. Whole typing runs with the hook and without it,
// taking turns.
Interleaved HookInAnotherProcess(ZelkeyApi& api)
{
    // Enough strokes that typing, not the target's start, makes the time.
    const std::wstring strokes = Strokes(L"1E", 600);
    UniqueHook hook;
    return Interleave(
        9, 1,
        [&](int) {
            hook.reset(::SetWindowsHookExW(WH_KEYBOARD, api.KeyboardHandler, api.module.get(), 0));
            TypeInAnotherProcess(strokes);
            hook.reset();
        },
        [&](int) { TypeInAnotherProcess(strokes); });
}

// How often the reader wakes for each watched key another process types:
// one wake-up per key is the least a reader can do.
double ReaderWakeUpsPerKey(ZelkeyApi& api)
{
    std::atomic<bool> done{false};
    long wakeUps = 0;
    long keys = 0;
    std::thread reader([&] {
        ZelkeyKey key;
        while (!done) {
            const BOOL got = api.WaitForOEMKey(&key);
            ++wakeUps;
            if (got) ++keys;
        }
    });
    UniqueHook hook(::SetWindowsHookExW(WH_KEYBOARD, api.KeyboardHandler, api.module.get(), 0));
    TypeInAnotherProcess(Strokes(L"E006", 100));
    hook.reset();
    done = true;
    api.UnloadDll();
    reader.join();
    // The wake-up that ends the reader is not one for a key.
    return keys > 0 ? static_cast<double>(wakeUps - 1) / static_cast<double>(keys) : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"--writer") == 0) return RunWriter(_wtoi(argv[2]));

    ZelkeyApi api;
    HHOOK* hookLocation = nullptr;
    const auto table = TrayKeyTable();
    if (!api.Load() || !api.DllInitialize(&hookLocation)
        || !api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size()))) {
        std::fprintf(stderr, "Zelkey.dll could not be loaded and initialised\n");
        return 1;
    }
    if (argc < 2 || std::wcscmp(argv[1], L"--rows") != 0) PrintTableHeader();
    // As in the tray: the reader has created its event before keys arrive.
    api.KeyboardHandler(HC_ACTION, 0, Watched(0));
    ZelkeyKey first;
    api.WaitForOEMKey(&first);

    constexpr int kCalls = 2000;
    const LPARAM unwatched = KeyInfo(kUnwatched, false, false);
    PrintComparison("hook: unwatched key against CallNextHookEx alone",
                    Interleave(
                        kRounds, kCalls, [&](int) { api.KeyboardHandler(HC_ACTION, 'A', unwatched); },
                        [&](int) { ::CallNextHookEx(nullptr, HC_ACTION, 'A', unwatched); }));

    // The DLL's own work for an unwatched key, without the call into user32.
    OemKey list[kMaxOemKeys] = {};
    for (size_t i = 0; i < table.size(); ++i) list[i] = {table[i].scanCode, 0, table[i].ext};
    const OemKeyFilter filter(list, static_cast<uint32_t>(table.size()));
    volatile LPARAM info = unwatched;
    volatile bool queued = false;
    const Interleaved check = Interleave(
        kRounds, kCalls * 20,
        [&](int) { queued = filter.KeyToQueue(KeyStroke::FromHook('A', info, false)).has_value(); },
        [&](int) { queued = false; });
    PrintCost("hook: key-list check alone, unwatched key", check.a);
    PrintCost("hook: watched key, queued and signalled", WatchedKeyCost(api));
    PrintComparison("hook: typing in another process, hooked against not", HookInAnotherProcess(api));
    PrintCount("reader: wake-ups per watched key from another process", ReaderWakeUpsPerKey(api));
    api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size()));
    PrintCost("queue: start of a writer process", WriterStart());
    PrintCost("queue: per key, writer process to reader", QueueCostPerKey(api, 5000, [&] {
                  api.InitializeOEMKeyList(table.data(), static_cast<int>(table.size()));
              }));
    return 0;
}
