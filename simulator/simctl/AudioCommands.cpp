#include <windows.h>

#include <cstdio>

#include "AudioModel.h"
#include "Commands.h"
#include "MachineProfile.h"
#include "PowerPlans.h"
#include "Utf8.h"

namespace simctl {
namespace {

// The context another application's changes carry: fixed, so a test can
// tell it from the tray's own and from the volume keys' GUID_NULL.
constexpr GUID kOtherApplication
    = {0x6F1C3B2A, 0x47D8, 0x4E05, {0xA3, 0x9B, 0x12, 0x7C, 0x5E, 0x80, 0xD4, 0x61}};

std::string Text(const wchar_t* text)
{
    return Utf8(std::wstring(text, wcsnlen(text, sim::kEndpointTextLength)));
}

std::string Percent(float scalar)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%% scalar=%.4f", scalar * 100.0, static_cast<double>(scalar));
    return text;
}

const char* KindName(sim::AudioChangeKind kind)
{
    switch (kind) {
    case sim::AudioChangeKind::Volume:
        return "volume";
    case sim::AudioChangeKind::DefaultDevice:
        return "default-device";
    case sim::AudioChangeKind::None:
        break;
    }
    return "none";
}

// Splits "--context app|keys|{GUID}" off the arguments.
bool TakeContext(Args& args, GUID& context)
{
    context = kOtherApplication;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != L"--context") continue;
        if (i + 1 >= args.size()) return false;
        const std::wstring& value = args[i + 1];
        if (value == L"keys") {
            context = sim::kNoContext;
        } else if (value != L"app" && !sim::ParseGuid(value, context)) {
            return false;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

// A change to the default endpoint under the machine lock; every listening
// process is woken when something changed.
template <typename Change>
int ChangeDefault(sim::CMachineState& state, Change change)
{
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    if (!sim::Endpoint(machine->audio, machine->audio.defaultEndpoint)) {
        std::fputs("simctl: the machine has no render endpoint\n", stderr);
        return kFailed;
    }
    HRESULT hr = change(machine->audio, machine->audio.defaultEndpoint);
    if (hr == S_OK) sim::WakeAudioListeners(machine->audio);
    return SUCCEEDED(hr) ? kDone : kFailed;
}

} // namespace

std::string AudioText(const sim::SimMachine& m)
{
    const sim::SimAudio& audio = m.audio;
    std::string out;
    for (uint32_t i = 0; const sim::SimAudioEndpoint* e = sim::Endpoint(audio, i); ++i) {
        out += "endpoint " + std::to_string(i + 1) + " \"" + Text(e->name) + "\""
               + (i == audio.defaultEndpoint ? " default" : "") + " volume=" + Percent(e->scalar)
               + " muted=" + (e->muted ? "1" : "0") + " step=" + std::to_string(sim::StepOf(*e)) + "/"
               + std::to_string(e->stepCount) + " channels=" + std::to_string(e->channels)
               + " id=" + Text(e->id) + "\n";
    }
    if (audio.endpointCount == 0) out += "endpoint none\n";
    out += "audio-changes=" + std::to_string(audio.changeCount);
    if (audio.changeCount > 0) {
        const sim::SimAudioChange& last = audio.changes[(audio.changeCount - 1) % sim::kMaxAudioChanges];
        out += std::string(" last=") + KindName(last.kind) + " endpoint=" + std::to_string(last.endpoint + 1)
               + " context=" + Utf8(sim::GuidText(last.context));
    }
    out += "\n";
    for (const sim::SimAudioListener& l : audio.listeners) {
        if (l.processId == 0) continue;
        out += "audio-listener pid=" + std::to_string(l.processId)
               + " callbacks=" + std::to_string(l.callbacks) + "\n";
    }
    return out;
}

int Audio(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("audio takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    Print(AudioText(*machine));
    return kDone;
}

int Volume(sim::CMachineState& state, const Args& arguments)
{
    Args args = arguments;
    GUID context{};
    long long percent = 0;
    if (!TakeContext(args, context) || args.size() != 1 || !sim::ParseNumber(args[0], percent) || percent < 0
        || percent > 100) {
        return Usage("volume PERCENT [--context app|keys|GUID]");
    }
    const float scalar = static_cast<float>(percent) / 100.0f;
    return ChangeDefault(state, [&](sim::SimAudio& audio, uint32_t endpoint) {
        return sim::SetVolume(audio, endpoint, scalar, context);
    });
}

int Mute(sim::CMachineState& state, const Args& arguments)
{
    Args args = arguments;
    GUID context{};
    if (!TakeContext(args, context) || args.size() != 1 || (args[0] != L"on" && args[0] != L"off")) {
        return Usage("mute on|off [--context app|keys|GUID]");
    }
    const bool muted = args[0] == L"on";
    return ChangeDefault(state, [&](sim::SimAudio& audio, uint32_t endpoint) {
        return sim::SetMute(audio, endpoint, muted, context);
    });
}

// As the volume keys: one step, GUID_NULL as the context.
int VolumeUp(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("volume-up takes no arguments");
    return ChangeDefault(state, [](sim::SimAudio& audio, uint32_t endpoint) {
        return sim::StepVolume(audio, endpoint, 1, sim::kNoContext);
    });
}

int VolumeDown(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("volume-down takes no arguments");
    return ChangeDefault(state, [](sim::SimAudio& audio, uint32_t endpoint) {
        return sim::StepVolume(audio, endpoint, -1, sim::kNoContext);
    });
}

int AudioDefault(sim::CMachineState& state, const Args& args)
{
    if (args.size() != 1) return Usage("audio-default NUMBER|NAME");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    const int index = sim::EndpointByNumberOrName(machine->audio, args[0]);
    if (index < 0) {
        std::fputs("simctl: the machine has no such endpoint\n", stderr);
        return kFailed;
    }
    if (sim::SetDefaultEndpoint(machine->audio, static_cast<uint32_t>(index)) == S_OK) {
        sim::WakeAudioListeners(machine->audio);
    }
    return kDone;
}

} // namespace simctl
