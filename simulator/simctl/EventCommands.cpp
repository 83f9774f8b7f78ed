#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "Commands.h"
#include "EventQueue.h"
#include "MachineProfile.h"
#include "UniqueHandle.h"

namespace simctl {
namespace {

// The firmware fills a fixed 128-byte event buffer.
constexpr size_t kFirmwareEventBytes = 128;
constexpr uint16_t kSingleEvent = 0;
constexpr uint16_t kEventList = 15;

// The most events one command raises: enough for a storm.
constexpr long long kMaxRepeat = 100000;

// How the event is dressed: class name, type of Data, exact byte count; and
// how many times it is raised, back to back.
struct EventOptions {
    std::wstring className = L"BIOSEvent";
    sim::EventDataKind dataKind = sim::EventDataKind::EmbeddedObject;
    long long bytes = -1; // -1: the words, padded to the firmware buffer
    long long repeat = 1;
};

bool ParseDataKind(const std::wstring& text, sim::EventDataKind& kind)
{
    static const struct {
        const wchar_t* name;
        sim::EventDataKind kind;
    } kKinds[] = {{L"object", sim::EventDataKind::EmbeddedObject},
                  {L"array", sim::EventDataKind::ByteArray},
                  {L"number", sim::EventDataKind::WrongType},
                  {L"missing", sim::EventDataKind::Missing}};
    for (const auto& k : kKinds) {
        if (text == k.name) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

// Splits leading options from the words; false on a bad option or word.
bool ParseEvent(const Args& args, EventOptions& options, std::vector<uint16_t>& words)
{
    size_t i = 0;
    for (; i + 1 < args.size() && args[i].rfind(L"--", 0) == 0; i += 2) {
        const std::wstring& value = args[i + 1];
        if (args[i] == L"--class" && !value.empty() && value.size() < 32) {
            options.className = value;
        } else if (args[i] == L"--data") {
            if (!ParseDataKind(value, options.dataKind)) return false;
        } else if (args[i] == L"--bytes") {
            if (!sim::ParseNumber(value, options.bytes) || options.bytes < 0
                || options.bytes > sim::kEventBytes) {
                return false;
            }
        } else if (args[i] == L"--repeat") {
            if (!sim::ParseNumber(value, options.repeat) || options.repeat < 1
                || options.repeat > kMaxRepeat) {
                return false;
            }
        } else {
            return false;
        }
    }
    for (; i < args.size(); ++i) {
        long long word = 0;
        if (!sim::ParseNumber(args[i], word) || word < 0 || word > 0xFFFF) return false;
        words.push_back(static_cast<uint16_t>(word));
    }
    return true;
}

int Raise(sim::CMachineState& state, const EventOptions& options, const std::vector<uint16_t>& words)
{
    sim::SimEvent event = sim::EventFromWords(words, options.bytes >= 0 ? 0 : kFirmwareEventBytes);
    if (options.bytes >= 0) event.length = static_cast<uint16_t>(options.bytes);
    wcsncpy(event.className, options.className.c_str(), 31);
    event.dataKind = options.dataKind;
    for (long long n = 0; n < options.repeat; ++n) {
        sim::CMachineState::Lock machine(state);
        if (!machine.Held()) return kFailed;
        std::vector<sim::SimSubscriber> subscribers = sim::RaiseEvent(*machine, event);
        sim::WakeSubscribers(*machine, subscribers);
    }
    return kDone;
}

// w0 counts the words after it; w1 is the kind.
int RaiseKind(sim::CMachineState& state, const Args& args, uint16_t kind, const char* usage)
{
    EventOptions options;
    std::vector<uint16_t> values;
    if (!ParseEvent(args, options, values) || values.empty() || values.size() > 61) return Usage(usage);
    std::vector<uint16_t> words{static_cast<uint16_t>(values.size() + 1), kind};
    words.insert(words.end(), values.begin(), values.end());
    return Raise(state, options, words);
}

} // namespace

int Event(sim::CMachineState& state, const Args& args)
{
    return RaiseKind(state, args, kSingleEvent, "event [OPTIONS] CODE [ARG...]");
}

int EventList(sim::CMachineState& state, const Args& args)
{
    return RaiseKind(state, args, kEventList, "event-list [OPTIONS] CODE [ARG...] [CODE [ARG...]...]");
}

int EventRaw(sim::CMachineState& state, const Args& args)
{
    EventOptions options;
    std::vector<uint16_t> words;
    if (!ParseEvent(args, options, words) || words.size() > sim::kEventBytes / 2) {
        return Usage("event-raw [OPTIONS] WORD...");
    }
    // Exactly the words given, unless --bytes says otherwise.
    if (options.bytes < 0) options.bytes = static_cast<long long>(words.size() * 2);
    return Raise(state, options, words);
}

int Suspend(sim::CMachineState&, const Args& args)
{
    if (!args.empty()) return Usage("suspend takes no arguments");
    BroadcastPower(PBT_APMSUSPEND);
    return kDone;
}

int Resume(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("resume takes no arguments");
    // A program's own sleep request returns first, as it does on Windows.
    bool asleep = false;
    {
        sim::CMachineState::Lock machine(state);
        asleep = machine.Held() && machine->sleep.asleep != 0;
    }
    if (asleep) {
        UniqueHandle resume(::OpenEventW(EVENT_MODIFY_STATE, FALSE, sim::kResumeEventName));
        if (resume) ::SetEvent(resume.get());
    }
    BroadcastPower(PBT_APMRESUMESUSPEND);
    return kDone;
}

int Key(sim::CMachineState&, const Args& args)
{
    long long scan = 0;
    if (args.empty() || !sim::ParseNumber(args[0], scan) || scan <= 0 || scan > 0xFF) {
        return Usage("key SCAN [ext] [up]");
    }
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(scan);
    input.ki.dwFlags = KEYEVENTF_SCANCODE;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == L"ext") {
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        } else if (args[i] == L"up") {
            input.ki.dwFlags |= KEYEVENTF_KEYUP;
        } else {
            return Usage("key SCAN [ext] [up]");
        }
    }
    return ::SendInput(1, &input, sizeof input) == 1 ? kDone : kFailed;
}

} // namespace simctl
