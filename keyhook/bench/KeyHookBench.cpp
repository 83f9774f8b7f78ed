// Prints what the keyboard hook costs: per call of KeyboardHandler for a key
// nobody watches and for a watched key, against CallNextHookEx alone, and
// the queue's throughput with a writer in another process.
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

template <typename Call>
double NanosecondsPerCall(int calls, Call call)
{
    const Stopwatch watch;
    for (int i = 0; i < calls; ++i) call(i);
    return watch.Nanoseconds() / calls;
}

double WatchedKeyCost(ZelkeyApi& api, int batches)
{
    constexpr int kBatch = 64; // stays below the queue size: every key is queued
    double total = 0;
    for (int b = 0; b < batches; ++b) {
        const Stopwatch watch;
        for (int i = 0; i < kBatch; ++i) api.KeyboardHandler(HC_ACTION, 0, Watched(i));
        total += watch.Nanoseconds();
        ZelkeyKey key;
        for (int i = 0; i < kBatch; ++i) api.WaitForOEMKey(&key);
    }
    return total / (batches * kBatch);
}

int RunWriter(int keys)
{
    ZelkeyApi api;
    if (!api.Load()) return 1;
    const double perCall
        = NanosecondsPerCall(keys, [&](int i) { api.KeyboardHandler(HC_ACTION, 0, Watched(i)); });
    std::printf("  writer process: %d watched keys, %.0f ns per KeyboardHandler call\n", keys, perCall);
    return 0;
}

void QueueThroughput(ZelkeyApi& api, int keys)
{
    std::atomic<bool> writerDone{false};
    long received = 0;
    const Stopwatch watch;
    std::thread reader([&] {
        ZelkeyKey key;
        for (;;) {
            if (api.WaitForOEMKey(&key)) {
                ++received;
            } else if (writerDone) {
                return;
            }
        }
    });
    std::wstring command = L"\"" + ModulePath() + L"\" --writer " + std::to_wstring(keys);
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        UniqueHandle process(pi.hProcess);
        UniqueHandle thread(pi.hThread);
        ::WaitForSingleObject(process.get(), INFINITE);
    }
    writerDone = true;
    api.UnloadDll();
    reader.join();
    const double seconds = watch.Nanoseconds() / 1e9;
    std::printf("  reader: %ld of %d keys received (%d dropped on a full queue) in %.3f s: %.0f keys/s\n",
                received, keys, keys - static_cast<int>(received), seconds, received / seconds);
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
    // As in the tray: the reader has created its event before keys arrive.
    api.KeyboardHandler(HC_ACTION, 0, Watched(0));
    ZelkeyKey first;
    api.WaitForOEMKey(&first);

    constexpr int kCalls = 100'000;
    const LPARAM unwatched = KeyInfo(kUnwatched, false, false);
    const double baseline
        = NanosecondsPerCall(kCalls, [&](int) { ::CallNextHookEx(nullptr, HC_ACTION, 'A', unwatched); });
    const double unwatchedCost
        = NanosecondsPerCall(kCalls, [&](int) { api.KeyboardHandler(HC_ACTION, 'A', unwatched); });
    const double watchedCost = WatchedKeyCost(api, 200);
    // The DLL's own work for an unwatched key, without the call into user32.
    OemKey list[kMaxOemKeys] = {};
    for (size_t i = 0; i < table.size(); ++i) list[i] = {table[i].scanCode, 0, table[i].ext};
    const OemKeyFilter filter(list, static_cast<uint32_t>(table.size()));
    volatile LPARAM info = unwatched;
    volatile bool queued = false;
    const double filterCost = NanosecondsPerCall(kCalls * 20, [&](int) {
        queued = filter.KeyToQueue(KeyStroke::FromHook('A', info, false)).has_value();
    });

    std::printf("Zelkey keyboard hook, %d-key list\n", static_cast<int>(table.size()));
    std::printf("  CallNextHookEx alone:          %8.1f ns per call\n", baseline);
    std::printf("  KeyboardHandler, unwatched key: %8.1f ns per call (%.1f ns beyond CallNextHookEx)\n",
                unwatchedCost, unwatchedCost - baseline);
    std::printf("  key-list check alone, unwatched key: %.1f ns per call\n", filterCost);
    std::printf("  KeyboardHandler, watched key:   %8.1f ns per call (queued and signalled)\n", watchedCost);
    std::printf("Queue throughput, one writer process and the reader\n");
    QueueThroughput(api, 20'000);
    return 0;
}
