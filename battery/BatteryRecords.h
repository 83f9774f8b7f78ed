#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The records of the battery I/O controls as they travel between a program
// and the battery class driver: little-endian, packed, fixed offsets. The
// parsers take whatever bytes came back and never read past them, so a short
// or odd answer gives "nothing" instead of garbage.
namespace battery_records {

inline constexpr uint32_t kQueryTag = 0x00294040; // IOCTL_BATTERY_QUERY_TAG
inline constexpr uint32_t kQueryInformation = 0x00294044; // IOCTL_BATTERY_QUERY_INFORMATION
inline constexpr uint32_t kQueryStatus = 0x0029404C; // IOCTL_BATTERY_QUERY_STATUS

// Information levels of kQueryInformation.
enum InformationLevel : uint32_t {
    kLevelInformation = 0,
    kLevelDeviceName = 4,
    kLevelManufacturerName = 6,
    kLevelUniqueId = 7,
};

inline constexpr uint32_t kPowerOnLine = 0x1;
inline constexpr uint32_t kDischarging = 0x2;
inline constexpr uint32_t kCharging = 0x4;
inline constexpr uint32_t kCritical = 0x8;
inline constexpr uint32_t kUnknownCapacity = 0xFFFFFFFF;
inline constexpr int32_t kUnknownRate = INT32_MIN; // 0x80000000

#pragma pack(push, 1)
struct QueryInformation {
    uint32_t batteryTag;
    uint32_t level;
    int32_t atRate;
};

struct WaitStatus {
    uint32_t batteryTag;
    uint32_t timeoutMs;
    uint32_t powerState;
    uint32_t lowCapacity;
    uint32_t highCapacity;
};

struct Information {
    uint32_t capabilities;
    uint8_t technology;
    uint8_t reserved[3];
    uint8_t chemistry[4];
    uint32_t designedCapacity; // mWh
    uint32_t fullChargedCapacity; // mWh
    uint32_t defaultAlert1;
    uint32_t defaultAlert2;
    uint32_t criticalBias;
    uint32_t cycleCount;
};

struct Status {
    uint32_t powerState;
    uint32_t capacity; // mWh, or kUnknownCapacity
    uint32_t voltage; // mV
    int32_t rate; // mW, + charging, - discharging, or kUnknownRate
};
#pragma pack(pop)

static_assert(sizeof(QueryInformation) == 12);
static_assert(offsetof(QueryInformation, level) == 4);
static_assert(sizeof(WaitStatus) == 20);
static_assert(offsetof(WaitStatus, timeoutMs) == 4);
static_assert(sizeof(Information) == 36);
static_assert(offsetof(Information, chemistry) == 8);
static_assert(offsetof(Information, fullChargedCapacity) == 16);
static_assert(offsetof(Information, cycleCount) == 32);
static_assert(sizeof(Status) == 16);
static_assert(offsetof(Status, rate) == 12);

// A whole record at the start of `length` bytes, or nothing when they are fewer.
std::optional<uint32_t> ParseTag(const uint8_t* data, size_t length);
std::optional<Information> ParseInformation(const uint8_t* data, size_t length);
std::optional<Status> ParseStatus(const uint8_t* data, size_t length);

// A UTF-16LE text: up to its terminator or to the end of the bytes, an odd
// last byte left out.
std::wstring ParseText(const uint8_t* data, size_t length);

// The four chemistry bytes as text, up to the first zero byte.
std::wstring ChemistryText(const uint8_t (&chemistry)[4]);

} // namespace battery_records
