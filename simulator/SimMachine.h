#pragma once
#include <guiddef.h>

#include <cstddef>
#include <cstdint>

// The whole simulated notebook as every process of a run sees it: one packed
// block in a file-backed named mapping (see MachineState.h). Fixed widths and
// offsets, because processes built at different times may map the same file;
// a layout change bumps kSimMachineVersion and the block is then reloaded.
namespace sim {

inline constexpr uint32_t kSimMachineMagic = 0x4D495354; // "TSIM"
inline constexpr uint32_t kSimMachineVersion = 11;

inline constexpr int kMaxOemStrings = 8;
inline constexpr int kSmbiosStringLength = 64;
inline constexpr int kMaxTokens = 64;
inline constexpr int kMaxSettings = 64;
inline constexpr int kMaxFixedAnswers = 32;
inline constexpr int kMaxForcedAnswers = 8;
inline constexpr int kCallLogSize = 1024;
inline constexpr int kMaxEvents = 32;
inline constexpr int kEventBytes = 256;
inline constexpr int kMaxSubscribers = 16;
inline constexpr int kProfileNameLength = 260;
inline constexpr int kMaxPowerPlans = 4;
inline constexpr int kMaxPlanValues = 8;
inline constexpr int kPlanNameLength = 32;
inline constexpr int kMaxAudioEndpoints = 4;
inline constexpr int kEndpointTextLength = 64;
inline constexpr int kMaxAudioChanges = 32;
inline constexpr int kMaxAudioListeners = 16;

#pragma pack(push, 1)

struct SimToken {
    uint16_t identifier;
    uint16_t location;
    uint16_t value;
};
static_assert(sizeof(SimToken) == 6);

// The firmware setting behind one token location. A split setting keeps one
// value for battery and one for AC power: select 1 and 2 name them, select 0
// the current power source. Otherwise both are the same value whatever the
// select. Reads also return res3/res4 in cbRes3/cbRes4.
struct SimSetting {
    uint16_t location;
    uint16_t battery;
    uint16_t ac;
    uint8_t split;
    uint8_t pad;
    uint32_t res3;
    uint32_t res4;
};
static_assert(sizeof(SimSetting) == 16);

// A call the profile answers with fixed result words.
struct SimFixedAnswer {
    uint16_t cbClass;
    uint16_t cbSelect;
    uint32_t arg1;
    uint8_t matchArg1; // 0: any cbArg1
    uint8_t pad[3];
    int32_t res1;
    uint32_t res2;
    uint32_t res3;
    uint32_t res4;
};
static_assert(sizeof(SimFixedAnswer) == 28);

inline constexpr uint32_t kForcedForever = 0xFFFFFFFFu;

// An injected status: calls that match answer res1 without touching the model.
struct SimForcedAnswer {
    uint16_t cbClass;
    uint16_t cbSelect;
    uint8_t anyCall; // 1: matches every call
    uint8_t pad[3];
    int32_t res1;
    uint32_t remaining; // 0 = slot free, kForcedForever = until cleared
};
static_assert(sizeof(SimForcedAnswer) == 16);

struct SimCall {
    uint32_t sequence; // 1-based number of the call since the log was cleared
    uint16_t cbClass;
    uint16_t cbSelect;
    uint32_t args[4];
    int32_t res1;
    uint32_t res[3];
    uint32_t requestLength; // bytes the caller sent
    uint8_t tailZero; // every byte after the first 44 was zero
    uint8_t reservedZero; // the reserved bytes 0x24..0x2B were zero
    uint8_t pad[2];
};
static_assert(sizeof(SimCall) == 48);

enum class EventDataKind : uint8_t {
    EmbeddedObject = 0, // Data is a BDat-like object holding Bytes
    ByteArray = 1, // Data is the byte array itself
    WrongType = 2, // Data is a number
    Missing = 3, // Get("Data") fails
};

// Which notification query an event answers.
enum class EventStream : uint8_t {
    Firmware = 0, // SELECT * FROM BIOSEvent
    MonitorBrightness = 1, // SELECT * FROM WmiMonitorBrightnessEvent
};

// How a monitor-brightness event carries its Brightness (data[1]); data[0]
// is the value, data[2] the Active flag.
enum class BrightnessType : uint8_t { Ui1 = 0, Ui8 = 1, I4 = 2, String = 3, Missing = 4 };

struct SimEvent {
    uint32_t sequence;
    wchar_t className[32];
    EventDataKind dataKind;
    EventStream stream;
    uint16_t length; // bytes in data
    uint8_t data[kEventBytes];
};
static_assert(sizeof(SimEvent) == 328);

struct SimSubscriber {
    uint32_t processId; // 0 = free slot
    uint32_t cookie; // names the subscriber's wake-up event
};
static_assert(sizeof(SimSubscriber) == 8);

struct SimSmbios {
    char biosVendor[kSmbiosStringLength];
    char biosVersion[kSmbiosStringLength];
    char biosDate[kSmbiosStringLength];
    char manufacturer[kSmbiosStringLength];
    char product[kSmbiosStringLength];
    char oem[kMaxOemStrings][kSmbiosStringLength];
    uint8_t oemCount;
    uint8_t hasCapabilities; // type 177 present
    uint8_t hasSystemId; // type 208 present
    uint8_t systemIdWide; // type 208 in the 0xFE form (u16 at offset 8)
    uint16_t capabilityWords[4];
    uint16_t systemId;
    uint16_t tokenCount;
    SimToken tokens[kMaxTokens];
};
static_assert(sizeof(SimSmbios) == 5 * 64 + 8 * 64 + 4 + 8 + 2 + 2 + 6 * 64);

struct SimFirmware {
    uint32_t dataBufferSize; // reported through QDATA
    int32_t radioRes1;
    uint32_t radioStatus; // cbRes2 of 0x11/0x0B
    int32_t query040BRes1;
    uint32_t query040B; // cbRes2 of 0x04/0x0B with cbArg1 0x30
    uint32_t versionReports; // number of 0x11/0x03 calls
    uint32_t lastVersion[4]; // their last four argument words
    uint16_t settingCount;
    uint16_t fixedAnswerCount;
    SimSetting settings[kMaxSettings];
    SimFixedAnswer fixedAnswers[kMaxFixedAnswers];
};
static_assert(sizeof(SimFirmware) == 44 + 16 * 64 + 28 * 32);

struct SimPower {
    uint8_t acOnline;
    uint8_t batteryPresent;
    uint8_t batteryPercent;
    uint8_t charging;
    int32_t batteryLifeTime; // seconds, -1 unknown
    int32_t batteryFullLifeTime; // seconds, -1 unknown
};
static_assert(sizeof(SimPower) == 12);

struct SimFaults {
    uint8_t noAcpiWmi; // root\wmi lacks the firmware classes
    uint8_t smbiosFails; // SMBiosData cannot be read
    uint8_t quirkArgs; // answers come back with the argument words inverted
    uint8_t pad;
    uint32_t shortAnswer; // nonzero: the answer array has this many bytes
    uint32_t failNext; // next N DoBFn calls fail
    SimForcedAnswer forced[kMaxForcedAnswers];
};
static_assert(sizeof(SimFaults) == 12 + 16 * 8);

// One value of a power plan: the value indices on AC and on battery.
struct SimPlanValue {
    GUID subgroup;
    GUID setting;
    uint32_t ac;
    uint32_t dc;
};
static_assert(sizeof(SimPlanValue) == 40);

struct SimPowerPlan {
    GUID guid;
    wchar_t name[kPlanNameLength];
    uint32_t valueCount;
    SimPlanValue values[kMaxPlanValues];
};
static_assert(sizeof(SimPowerPlan) == 16 + 2 * kPlanNameLength + 4 + 40 * kMaxPlanValues);

enum class PlanSource : uint8_t { None = 0, Ac = 1, Dc = 2 };

struct SimPowerPlans {
    uint8_t planCount;
    uint8_t active; // index into plans
    uint8_t failGetActive; // PowerGetActiveScheme fails
    uint8_t failAccessCheck; // PowerSettingAccessCheck fails
    uint32_t writeCount; // successful value writes since the profile was loaded
    uint32_t activations; // successful PowerSetActiveScheme calls
    PlanSource lastSource; // of the last successful write
    uint8_t pad[3];
    GUID lastPlan;
    GUID lastSubgroup;
    GUID lastSetting;
    uint32_t lastValue;
    SimPowerPlan plans[kMaxPowerPlans];
};
static_assert(sizeof(SimPowerPlans) == 16 + 48 + 4 + sizeof(SimPowerPlan) * kMaxPowerPlans);

struct SimAudioEndpoint {
    wchar_t id[kEndpointTextLength];
    wchar_t name[kEndpointTextLength];
    float scalar; // master volume 0..1
    uint8_t muted;
    uint8_t pad[3];
    uint32_t stepCount; // volume steps, at least 2
    uint32_t channels;
};
static_assert(sizeof(SimAudioEndpoint) == 4 * kEndpointTextLength + 16);

enum class AudioChangeKind : uint32_t { None = 0, Volume = 1, DefaultDevice = 2 };

// One change of the audio state, as every process's watcher delivers it.
struct SimAudioChange {
    uint32_t sequence;
    AudioChangeKind kind;
    uint32_t endpoint;
    GUID context; // the changer's event context
    float scalar;
    uint8_t muted;
    uint8_t pad[3];
    uint32_t channels;
};
static_assert(sizeof(SimAudioChange) == 40);

// A process watching the audio state: its wake-up event is named after it
// (see AudioModel.h), and it holds `callbacks` registered callbacks.
struct SimAudioListener {
    uint32_t processId; // 0 = free slot
    uint32_t cookie;
    uint32_t callbacks;
};
static_assert(sizeof(SimAudioListener) == 12);

struct SimAudio {
    uint32_t endpointCount;
    uint32_t defaultEndpoint; // index into endpoints
    uint32_t changeCount; // changes since the block was made; never reset by a profile
    uint32_t nextCookie;
    SimAudioEndpoint endpoints[kMaxAudioEndpoints];
    SimAudioChange changes[kMaxAudioChanges];
    SimAudioListener listeners[kMaxAudioListeners];
};
static_assert(sizeof(SimAudio)
              == 16 + sizeof(SimAudioEndpoint) * kMaxAudioEndpoints + 40 * kMaxAudioChanges
                     + 12 * kMaxAudioListeners);

// The firmware types keys for the launch button (class 4, select 0x0B:
// cbArg1 0x40 asks, 0x41 types the scan code in the low word of cbArg2 with
// the modifier, 1 for Alt, in the high word).
struct SimKeys {
    uint8_t typesKeys;
    uint8_t pad[3];
    uint32_t typed; // keys typed since the profile was loaded
    uint32_t lastKey; // cbArg2 of the last one
};
static_assert(sizeof(SimKeys) == 12);

enum class SleepOutcome : uint8_t { Suspend = 0, Fail = 1, Veto = 2 };
enum class ReserveOutcome : uint8_t { Enable = 0, AccessDenied = 1, Fail = 2 };

// Sleep and hibernation. A request that suspends holds the caller until
// `simctl resume` signals kResumeEventName.
struct SimSleep {
    uint8_t hibernateAllowed;
    ReserveOutcome reserve; // what reserving the hibernation file does
    SleepOutcome outcome; // what a sleep or hibernate request does
    uint8_t asleep; // a request waits for the resume
    uint32_t requests; // every request
    uint32_t sleeps; // requests that suspended to sleep
    uint32_t hibernations; // ... and to hibernation
    uint32_t forced; // requests that asked to force
    uint32_t vetoes; // requests that were vetoed
    uint32_t reserveCalls;
};
static_assert(sizeof(SimSleep) == 28);

// The alert the firmware holds for the tray (class 0x11, select 5 with the
// TVRN signature answers it once, then nothing is pending: code and detail
// 0xFFFFFFFF).
inline constexpr uint32_t kNoAlert = 0xFFFFFFFFu;

struct SimAlert {
    uint32_t code;
    uint32_t detail;
    uint32_t flags;
    uint32_t queries; // alert queries answered since the profile was loaded
};
static_assert(sizeof(SimAlert) == 16);

// How an optical drive is attached: the enumerator its node reports.
enum class OpticalBus : uint8_t { Ide = 0, UsbStorage = 1, Scsi = 2 };

// An optical drive: in the device tree while present, with its drive letter.
struct SimOptical {
    uint8_t present;
    uint8_t letter; // 'D'..'Z'
    uint8_t media; // a disc is in the drive
    OpticalBus bus;
    uint32_t ejects; // eject requests the drive carried out
};
static_assert(sizeof(SimOptical) == 8);

// The ambient light sensor behind the status call (class 0x11, select 0x0A).
struct SimAls {
    uint8_t present; // 0: the call is answered from the profile's fixed answers
    uint8_t enabled;
    uint16_t pad;
    uint32_t statusCalls; // status calls answered
};
static_assert(sizeof(SimAls) == 8);

// The keyboard's lock keys, as the platform's key state reports them.
struct SimLockKeys {
    uint8_t caps;
    uint8_t num;
    uint8_t scroll;
    uint8_t pad;
};
static_assert(sizeof(SimLockKeys) == 4);

// The keyboard light and the wireless key's selector (class 4, select 0x0B:
// cbArg1 0 the highest level in byte 2 of cbRes3; 1 the state, low word of
// cbRes2 level + 1 with the level in byte 2 of cbRes3; 0x10 the selector's
// availability in cbRes2).
struct SimKeyboard {
    uint8_t light; // the firmware answers the light calls
    uint8_t levels; // highest level
    uint8_t level; // 0 = off
    uint8_t pad;
    int32_t selector; // the availability answer
    int32_t selectorRes1; // its status (-1: the call is not supported)
};
static_assert(sizeof(SimKeyboard) == 12);

inline constexpr wchar_t kResumeEventName[] = L"TavrinSimulatedMachineResume";

inline constexpr int kLocatorAreaCapacity = 512;

// The radios, the hardware switch and the network locator (RadioModel.h).
// The status word itself is firmware.radioStatus: the model keeps its bits
// 16..19 in step with the switch and the disable flags.
struct SimRadio {
    uint8_t modelled; // 0: the profile has no [Radio]; every 0x11/0x0B call answers the status word
    uint8_t switchOn; // position of the hardware switch
    uint8_t disabled; // bits 0..2: Wi-Fi, Bluetooth, Mobile Broadband switched off by a call
    uint8_t formatVersion; // of the locator area
    uint16_t switchConfig; // bits 0..2 follow the switch, 7 locked, 8 locator on, 15 locator locked
    uint16_t areaSize; // 0: no locator area
    int32_t legacyRes1; // status of the legacy radio-state call (-2: not supported)
    uint32_t switchFlips;
    uint32_t areaLoads;
    uint32_t areaCommits;
    uint8_t area[kLocatorAreaCapacity]; // what the firmware keeps
    uint8_t working[kLocatorAreaCapacity]; // what the chunk calls read and write; loaded and committed
};
static_assert(sizeof(SimRadio) == 24 + 2 * kLocatorAreaCapacity);
// The batteries: slot 0 primary, 1 secondary, 2 the docking station's.
inline constexpr int kBatterySlots = 3;
inline constexpr int kBatteryTextLength = 32;

struct SimBattery {
    uint8_t present;
    uint8_t healthSupported; // the firmware reports a health index
    uint8_t healthIndex; // 0..6, as the firmware reports it
    uint8_t healthPercent;
    uint8_t failureStatus; // firmware failure status byte; 0 = none
    uint8_t pad[3];
    char chemistry[4]; // not terminated when all four are used
    uint32_t designCapacity; // mWh
    uint32_t fullCapacity; // mWh
    double remaining; // mWh, may exceed fullCapacity when a profile says so
    int32_t rate; // mW the battery reports now: + charging, - discharging
    uint32_t chargeRate; // mW while it charges
    uint32_t dischargeRate; // mW while it carries the machine
    uint32_t voltage; // mV
    uint32_t cycleCount;
    uint32_t tag; // changes with every insertion; 0 while absent
    wchar_t deviceName[kBatteryTextLength];
    wchar_t manufacturer[kBatteryTextLength];
    wchar_t serial[kBatteryTextLength];
    wchar_t uniqueId[kBatteryTextLength];
};
static_assert(sizeof(SimBattery) == 52 + 8 * kBatteryTextLength);
static_assert(offsetof(SimBattery, remaining) == 20);
static_assert(offsetof(SimBattery, deviceName) == 52);

struct SimBatteries {
    uint8_t modelled; // the profile has batteries: they drive the power summary
    uint8_t chargeDisableSupported;
    uint8_t chargeDisabled;
    uint8_t pad;
    uint32_t timeScale; // simulated seconds per real second, at least 1
    uint64_t lastAdvance; // system time in ms the charges were last moved
    uint32_t nextTag;
    uint32_t pad2;
    SimBattery slots[kBatterySlots];
};
static_assert(sizeof(SimBatteries) == 24 + sizeof(SimBattery) * kBatterySlots);

// What changes of the device tree itself (its nodes follow from the rest of
// the machine, see DeviceNodes.h).
struct SimDeviceTree {
    uint32_t disabledNodes; // one bit per node number switched off by a state change
    uint32_t reenumerations;
};
static_assert(sizeof(SimDeviceTree) == 8);

struct SimMachine {
    uint32_t magic;
    uint32_t version;
    uint32_t size;
    uint32_t loaded; // 1 once a profile was loaded
    wchar_t profile[kProfileNameLength];
    SimSmbios smbios;
    SimFirmware firmware;
    SimPower power;
    SimFaults faults;
    uint32_t callCount; // calls logged since the last clear
    SimCall calls[kCallLogSize];
    uint32_t eventCount; // events raised since the profile was loaded
    SimEvent events[kMaxEvents];
    uint32_t nextCookie;
    SimSubscriber subscribers[kMaxSubscribers];
    SimPowerPlans powerPlans;
    SimAudio audio;
    SimKeys keys;
    SimSleep sleep;
    SimRadio radio;
    SimBatteries batteries;
    SimDeviceTree deviceTree;
    SimAlert alert;
    SimOptical optical;
    SimOptical secondOptical; // attached otherwise than the first, by default
    SimAls als;
    SimLockKeys lockKeys;
    SimKeyboard keyboard;
};
#pragma pack(pop)

static_assert(offsetof(SimMachine, profile) == 16);
static_assert(offsetof(SimMachine, smbios) == 16 + 2 * kProfileNameLength);
static_assert(offsetof(SimMachine, firmware) == offsetof(SimMachine, smbios) + sizeof(SimSmbios));
static_assert(offsetof(SimMachine, power) == offsetof(SimMachine, firmware) + sizeof(SimFirmware));
static_assert(offsetof(SimMachine, faults) == offsetof(SimMachine, power) + sizeof(SimPower));
static_assert(offsetof(SimMachine, callCount) == offsetof(SimMachine, faults) + sizeof(SimFaults));
static_assert(offsetof(SimMachine, calls) == offsetof(SimMachine, callCount) + 4);
static_assert(offsetof(SimMachine, eventCount) == offsetof(SimMachine, calls) + 48 * kCallLogSize);
static_assert(offsetof(SimMachine, powerPlans) == offsetof(SimMachine, subscribers) + 8 * kMaxSubscribers);
static_assert(offsetof(SimMachine, audio) == offsetof(SimMachine, powerPlans) + sizeof(SimPowerPlans));
static_assert(offsetof(SimMachine, keys) == offsetof(SimMachine, audio) + sizeof(SimAudio));
static_assert(offsetof(SimMachine, radio) == offsetof(SimMachine, keys) + sizeof(SimKeys) + sizeof(SimSleep));
static_assert(offsetof(SimMachine, batteries) == offsetof(SimMachine, radio) + sizeof(SimRadio));
static_assert(offsetof(SimMachine, deviceTree) == offsetof(SimMachine, batteries) + sizeof(SimBatteries));
static_assert(offsetof(SimMachine, alert) == offsetof(SimMachine, deviceTree) + sizeof(SimDeviceTree));
static_assert(offsetof(SimMachine, optical) == offsetof(SimMachine, alert) + sizeof(SimAlert));
static_assert(offsetof(SimMachine, secondOptical) == offsetof(SimMachine, optical) + sizeof(SimOptical));
static_assert(offsetof(SimMachine, als) == offsetof(SimMachine, secondOptical) + sizeof(SimOptical));
static_assert(offsetof(SimMachine, lockKeys) == offsetof(SimMachine, als) + sizeof(SimAls));
static_assert(offsetof(SimMachine, keyboard) == offsetof(SimMachine, lockKeys) + sizeof(SimLockKeys));
static_assert(sizeof(SimMachine) == offsetof(SimMachine, keyboard) + sizeof(SimKeyboard));

} // namespace sim
