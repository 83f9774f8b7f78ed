#include "PowerPlans.h"

#include <objbase.h>

#include <cwchar>

namespace sim {
namespace {

constexpr GUID kBalanced = {0x381B4222, 0xF694, 0x41F0, {0x96, 0x85, 0xFF, 0x5B, 0xB2, 0x60, 0xDF, 0x2E}};
constexpr GUID kPowerSaver = {0xA1841308, 0x3541, 0x4FAB, {0xBC, 0x81, 0xF7, 0x15, 0x56, 0xF2, 0x0B, 0x4A}};
constexpr GUID kHighPerformance
    = {0x8C5E7FDA, 0xE8BF, 0x4A96, {0x9A, 0x85, 0xA6, 0xE2, 0x3A, 0x8C, 0x63, 0x5C}};

constexpr DWORD kMaxBrightness = 100;
// POWER_DATA_ACCESSOR values the checks accept: the AC and DC value indices
// and the scheme itself.
constexpr int kAccessAcIndex = 0;
constexpr int kAccessScheme = 16;

const SimPowerPlan* FindPlan(const SimPowerPlans& plans, const GUID& guid)
{
    for (uint32_t i = 0; i < plans.planCount && i < kMaxPowerPlans; ++i) {
        if (IsEqualGUID(plans.plans[i].guid, guid)) return &plans.plans[i];
    }
    return nullptr;
}

SimPlanValue* FindValue(SimPowerPlan& plan, const GUID& subgroup, const GUID& setting)
{
    return const_cast<SimPlanValue*>(FindPlanValue(plan, subgroup, setting));
}

} // namespace

void LoadDefaultPlans(SimPowerPlans& plans)
{
    plans = SimPowerPlans{};
    AddPlan(plans, kBalanced, L"Balanced", 100, 60);
    AddPlan(plans, kPowerSaver, L"Power saver", 60, 40);
    AddPlan(plans, kHighPerformance, L"High performance", 100, 100);
    plans.active = 0;
}

bool AddPlan(SimPowerPlans& plans, const GUID& guid, const std::wstring& name, uint32_t acBrightness,
             uint32_t dcBrightness)
{
    if (plans.planCount >= kMaxPowerPlans || name.empty() || FindPlan(plans, guid)) return false;
    SimPowerPlan& plan = plans.plans[plans.planCount++];
    plan = SimPowerPlan{};
    plan.guid = guid;
    wcsncpy(plan.name, name.c_str(), kPlanNameLength - 1);
    plan.valueCount = 1;
    plan.values[0] = SimPlanValue{kVideoSubgroup, kVideoBrightness, acBrightness, dcBrightness};
    return true;
}

SimPowerPlan* FindPlan(SimPowerPlans& plans, const GUID& guid)
{
    return const_cast<SimPowerPlan*>(FindPlan(static_cast<const SimPowerPlans&>(plans), guid));
}

const SimPlanValue* FindPlanValue(const SimPowerPlan& plan, const GUID& subgroup, const GUID& setting)
{
    for (uint32_t i = 0; i < plan.valueCount && i < kMaxPlanValues; ++i) {
        const SimPlanValue& v = plan.values[i];
        if (IsEqualGUID(v.subgroup, subgroup) && IsEqualGUID(v.setting, setting)) return &v;
    }
    return nullptr;
}

SimPowerPlan* PlanByNumberOrName(SimPowerPlans& plans, const std::wstring& text)
{
    const uint32_t count = plans.planCount < kMaxPowerPlans ? plans.planCount : kMaxPowerPlans;
    wchar_t* end = nullptr;
    unsigned long number = wcstoul(text.c_str(), &end, 10);
    if (!text.empty() && *end == L'\0')
        return number >= 1 && number <= count ? &plans.plans[number - 1] : nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        std::wstring name(plans.plans[i].name, wcsnlen(plans.plans[i].name, kPlanNameLength));
        if (_wcsicmp(name.c_str(), text.c_str()) == 0) return &plans.plans[i];
    }
    return nullptr;
}

DWORD GetActivePlan(const SimPowerPlans& plans, GUID& scheme)
{
    if (plans.failGetActive) return ERROR_ACCESS_DENIED;
    if (plans.active >= plans.planCount || plans.active >= kMaxPowerPlans) return ERROR_FILE_NOT_FOUND;
    scheme = plans.plans[plans.active].guid;
    return ERROR_SUCCESS;
}

DWORD CheckPlanAccess(const SimPowerPlans& plans, int access, const GUID& scheme)
{
    if (access < kAccessAcIndex || access > kAccessScheme) return ERROR_INVALID_PARAMETER;
    if (!FindPlan(plans, scheme)) return ERROR_FILE_NOT_FOUND;
    return plans.failAccessCheck ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

DWORD ReadPlanValue(const SimPowerPlans& plans, PlanSource source, const GUID& scheme, const GUID& subgroup,
                    const GUID& setting, DWORD& value)
{
    const SimPowerPlan* plan = FindPlan(plans, scheme);
    if (!plan) return ERROR_FILE_NOT_FOUND;
    const SimPlanValue* v = FindPlanValue(*plan, subgroup, setting);
    if (!v) return ERROR_FILE_NOT_FOUND;
    value = source == PlanSource::Dc ? v->dc : v->ac;
    return ERROR_SUCCESS;
}

DWORD WritePlanValue(SimPowerPlans& plans, PlanSource source, const GUID& scheme, const GUID& subgroup,
                     const GUID& setting, DWORD value)
{
    if (source != PlanSource::Ac && source != PlanSource::Dc) return ERROR_INVALID_PARAMETER;
    SimPowerPlan* plan = FindPlan(plans, scheme);
    if (!plan) return ERROR_FILE_NOT_FOUND;
    const bool brightness = IsEqualGUID(subgroup, kVideoSubgroup) && IsEqualGUID(setting, kVideoBrightness);
    if (brightness && value > kMaxBrightness) return ERROR_INVALID_PARAMETER;
    SimPlanValue* v = FindValue(*plan, subgroup, setting);
    if (!v) {
        if (plan->valueCount >= kMaxPlanValues) return ERROR_NOT_ENOUGH_MEMORY;
        v = &plan->values[plan->valueCount++];
        *v = SimPlanValue{subgroup, setting, value, value};
    }
    (source == PlanSource::Ac ? v->ac : v->dc) = value;
    ++plans.writeCount;
    plans.lastSource = source;
    plans.lastPlan = scheme;
    plans.lastSubgroup = subgroup;
    plans.lastSetting = setting;
    plans.lastValue = value;
    return ERROR_SUCCESS;
}

DWORD ActivatePlan(SimPowerPlans& plans, const GUID& scheme)
{
    const SimPowerPlan* plan = FindPlan(plans, scheme);
    if (!plan) return ERROR_FILE_NOT_FOUND;
    plans.active = static_cast<uint8_t>(plan - plans.plans);
    ++plans.activations;
    return ERROR_SUCCESS;
}

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

bool ParseGuid(const std::wstring& text, GUID& guid)
{
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return false;
    std::wstring copy = text;
    return SUCCEEDED(::CLSIDFromString(copy.data(), &guid));
}

} // namespace sim
