#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "SimMachine.h"

// The simulated notebook's render endpoints: the model every process changes
// through the shared block, and the change ring its watchers deliver from.
// Each change wakes every listening process through its own named event.
namespace sim {

// Volume steps of an endpoint when the profile names none: 2 dB-ish steps of
// a typical notebook codec driver, 0..50.
inline constexpr uint32_t kDefaultVolumeSteps = 51;
// GUID_NULL: the context of the volume keys and of changes that name none.
inline constexpr GUID kNoContext = {};

// Two endpoints, "Speakers (Corvane HD Audio)" the default at 50 % and
// "Headphones" at 30 %, stereo, kDefaultVolumeSteps each.
void LoadDefaultAudio(SimAudio& audio);
// Replaces the endpoints (keeping the change ring and its listeners); false
// when the table is full or the name is empty.
bool AddEndpoint(SimAudio& audio, const std::wstring& name, float scalar, bool muted, uint32_t steps,
                 uint32_t channels);
void ClearEndpoints(SimAudio& audio);

// The endpoint by index, null when there is none.
SimAudioEndpoint* Endpoint(SimAudio& audio, uint32_t index);
const SimAudioEndpoint* Endpoint(const SimAudio& audio, uint32_t index);
// By 1-based number or name (ignoring case); -1 when none.
int EndpointByNumberOrName(const SimAudio& audio, const std::wstring& text);
int EndpointById(const SimAudio& audio, const wchar_t* id);

// The step a scalar lies on (nearest), 0..stepCount-1.
uint32_t StepOf(const SimAudioEndpoint& endpoint);

// Each change returns S_OK when it changed something (and queued the
// change), S_FALSE when the state already was so, E_INVALIDARG otherwise.
HRESULT SetVolume(SimAudio& audio, uint32_t endpoint, float scalar, const GUID& context);
HRESULT SetMute(SimAudio& audio, uint32_t endpoint, bool muted, const GUID& context);
// One step up (+1) or down (-1); at the ends nothing changes (S_FALSE).
HRESULT StepVolume(SimAudio& audio, uint32_t endpoint, int direction, const GUID& context);
HRESULT SetDefaultEndpoint(SimAudio& audio, uint32_t endpoint);

// Changes after sequence `seen`, oldest first (at most the ring's length).
std::vector<SimAudioChange> AudioChangesAfter(const SimAudio& audio, uint32_t seen);

// The wake-up event of one listening process.
std::wstring AudioListenerEventName(uint32_t processId, uint32_t cookie);
uint32_t NewAudioListenerCookie(SimAudio& audio);
// Frees the slots of ended processes, then takes one; false when all are held.
bool AddAudioListener(SimAudio& audio, uint32_t processId, uint32_t cookie);
void RemoveAudioListener(SimAudio& audio, uint32_t processId, uint32_t cookie);
void SetListenerCallbacks(SimAudio& audio, uint32_t processId, uint32_t cookie, uint32_t callbacks);
// Sets every listener's event; slots whose event is gone are freed.
void WakeAudioListeners(SimAudio& audio);

} // namespace sim
