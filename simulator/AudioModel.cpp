#include "AudioModel.h"

#include <cmath>
#include <cwchar>

#include "UniqueHandle.h"

namespace sim {
namespace {

constexpr uint32_t kMaxSteps = 1000;
constexpr uint32_t kMaxChannels = 8;

bool ListenerAlive(const SimAudioListener& listener)
{
    UniqueHandle wake(::OpenEventW(SYNCHRONIZE, FALSE,
                                   AudioListenerEventName(listener.processId, listener.cookie).c_str()));
    return static_cast<bool>(wake);
}

void Record(SimAudio& audio, AudioChangeKind kind, uint32_t endpoint, const GUID& context)
{
    const SimAudioEndpoint& e = audio.endpoints[endpoint];
    SimAudioChange& change = audio.changes[audio.changeCount % kMaxAudioChanges];
    change = SimAudioChange{};
    change.sequence = ++audio.changeCount;
    change.kind = kind;
    change.endpoint = endpoint;
    change.context = context;
    change.scalar = e.scalar;
    change.muted = e.muted;
    change.channels = e.channels;
}

float Clamp(float scalar)
{
    if (!(scalar >= 0.0f)) return 0.0f; // NaN too
    return scalar > 1.0f ? 1.0f : scalar;
}

} // namespace

void LoadDefaultAudio(SimAudio& audio)
{
    ClearEndpoints(audio);
    AddEndpoint(audio, L"Speakers (Corvane HD Audio)", 0.5f, false, kDefaultVolumeSteps, 2);
    AddEndpoint(audio, L"Headphones", 0.3f, false, kDefaultVolumeSteps, 2);
}

void ClearEndpoints(SimAudio& audio)
{
    audio.endpointCount = 0;
    audio.defaultEndpoint = 0;
    for (SimAudioEndpoint& e : audio.endpoints) e = SimAudioEndpoint{};
}

bool AddEndpoint(SimAudio& audio, const std::wstring& name, float scalar, bool muted, uint32_t steps,
                 uint32_t channels)
{
    if (audio.endpointCount >= kMaxAudioEndpoints || name.empty()) return false;
    const uint32_t index = audio.endpointCount++;
    SimAudioEndpoint& e = audio.endpoints[index];
    e = SimAudioEndpoint{};
    // Shaped like the system's render endpoint ids; the last group numbers the endpoint.
    swprintf(e.id, kEndpointTextLength, L"{0.0.0.00000000}.{5a1c0e7d-8b3f-4c21-9d6e-%012u}", index + 1);
    wcsncpy(e.name, name.c_str(), kEndpointTextLength - 1);
    e.scalar = Clamp(scalar);
    e.muted = muted ? 1 : 0;
    e.stepCount = steps < 2 ? 2 : (steps > kMaxSteps ? kMaxSteps : steps);
    e.channels = channels < 1 ? 1 : (channels > kMaxChannels ? kMaxChannels : channels);
    return true;
}

SimAudioEndpoint* Endpoint(SimAudio& audio, uint32_t index)
{
    return const_cast<SimAudioEndpoint*>(Endpoint(static_cast<const SimAudio&>(audio), index));
}

const SimAudioEndpoint* Endpoint(const SimAudio& audio, uint32_t index)
{
    return index < audio.endpointCount && index < kMaxAudioEndpoints ? &audio.endpoints[index] : nullptr;
}

int EndpointByNumberOrName(const SimAudio& audio, const std::wstring& text)
{
    wchar_t* end = nullptr;
    unsigned long number = wcstoul(text.c_str(), &end, 10);
    if (!text.empty() && *end == L'\0') {
        return Endpoint(audio, static_cast<uint32_t>(number - 1)) && number >= 1
                   ? static_cast<int>(number - 1)
                   : -1;
    }
    for (uint32_t i = 0; Endpoint(audio, i); ++i) {
        std::wstring name(audio.endpoints[i].name, wcsnlen(audio.endpoints[i].name, kEndpointTextLength));
        if (_wcsicmp(name.c_str(), text.c_str()) == 0) return static_cast<int>(i);
    }
    return -1;
}

int EndpointById(const SimAudio& audio, const wchar_t* id)
{
    if (!id) return -1;
    for (uint32_t i = 0; Endpoint(audio, i); ++i) {
        if (wcsncmp(audio.endpoints[i].id, id, kEndpointTextLength) == 0) return static_cast<int>(i);
    }
    return -1;
}

uint32_t StepOf(const SimAudioEndpoint& endpoint)
{
    const uint32_t last = endpoint.stepCount - 1;
    const long step = std::lround(Clamp(endpoint.scalar) * static_cast<float>(last));
    return static_cast<uint32_t>(step < 0 ? 0 : (static_cast<uint32_t>(step) > last ? last : step));
}

HRESULT SetVolume(SimAudio& audio, uint32_t endpoint, float scalar, const GUID& context)
{
    SimAudioEndpoint* e = Endpoint(audio, endpoint);
    if (!e || !(scalar >= 0.0f && scalar <= 1.0f)) return E_INVALIDARG;
    if (e->scalar == scalar) return S_FALSE;
    e->scalar = scalar;
    Record(audio, AudioChangeKind::Volume, endpoint, context);
    return S_OK;
}

HRESULT SetMute(SimAudio& audio, uint32_t endpoint, bool muted, const GUID& context)
{
    SimAudioEndpoint* e = Endpoint(audio, endpoint);
    if (!e) return E_INVALIDARG;
    if ((e->muted != 0) == muted) return S_FALSE;
    e->muted = muted ? 1 : 0;
    Record(audio, AudioChangeKind::Volume, endpoint, context);
    return S_OK;
}

HRESULT StepVolume(SimAudio& audio, uint32_t endpoint, int direction, const GUID& context)
{
    SimAudioEndpoint* e = Endpoint(audio, endpoint);
    if (!e || (direction != 1 && direction != -1)) return E_INVALIDARG;
    const uint32_t step = StepOf(*e);
    if ((direction > 0 && step + 1 >= e->stepCount) || (direction < 0 && step == 0)) return S_FALSE;
    const uint32_t next = direction > 0 ? step + 1 : step - 1;
    e->scalar = static_cast<float>(next) / static_cast<float>(e->stepCount - 1);
    Record(audio, AudioChangeKind::Volume, endpoint, context);
    return S_OK;
}

HRESULT SetDefaultEndpoint(SimAudio& audio, uint32_t endpoint)
{
    if (!Endpoint(audio, endpoint)) return E_INVALIDARG;
    if (audio.defaultEndpoint == endpoint) return S_FALSE;
    audio.defaultEndpoint = endpoint;
    Record(audio, AudioChangeKind::DefaultDevice, endpoint, kNoContext);
    return S_OK;
}

std::vector<SimAudioChange> AudioChangesAfter(const SimAudio& audio, uint32_t seen)
{
    uint32_t first = seen + 1;
    if (audio.changeCount >= kMaxAudioChanges && first < audio.changeCount - kMaxAudioChanges + 1) {
        first = audio.changeCount - kMaxAudioChanges + 1;
    }
    std::vector<SimAudioChange> changes;
    for (uint32_t n = first; n <= audio.changeCount && n != 0; ++n) {
        changes.push_back(audio.changes[(n - 1) % kMaxAudioChanges]);
    }
    return changes;
}

std::wstring AudioListenerEventName(uint32_t processId, uint32_t cookie)
{
    return L"TavrinSimAudio." + std::to_wstring(processId) + L"." + std::to_wstring(cookie);
}

uint32_t NewAudioListenerCookie(SimAudio& audio)
{
    if (++audio.nextCookie == 0) ++audio.nextCookie;
    return audio.nextCookie;
}

bool AddAudioListener(SimAudio& audio, uint32_t processId, uint32_t cookie)
{
    SimAudioListener* vacant = nullptr;
    for (SimAudioListener& slot : audio.listeners) {
        if (slot.processId != 0 && !ListenerAlive(slot)) slot = SimAudioListener{};
        if (slot.processId == 0 && !vacant) vacant = &slot;
    }
    if (!vacant) return false;
    *vacant = SimAudioListener{processId, cookie, 0};
    return true;
}

void RemoveAudioListener(SimAudio& audio, uint32_t processId, uint32_t cookie)
{
    for (SimAudioListener& slot : audio.listeners) {
        if (slot.processId == processId && slot.cookie == cookie) slot = SimAudioListener{};
    }
}

void SetListenerCallbacks(SimAudio& audio, uint32_t processId, uint32_t cookie, uint32_t callbacks)
{
    for (SimAudioListener& slot : audio.listeners) {
        if (slot.processId == processId && slot.cookie == cookie) slot.callbacks = callbacks;
    }
}

void WakeAudioListeners(SimAudio& audio)
{
    for (SimAudioListener& slot : audio.listeners) {
        if (slot.processId == 0) continue;
        UniqueHandle wake(::OpenEventW(EVENT_MODIFY_STATE, FALSE,
                                       AudioListenerEventName(slot.processId, slot.cookie).c_str()));
        if (wake) {
            ::SetEvent(wake.get());
        } else {
            slot = SimAudioListener{};
        }
    }
}

} // namespace sim
