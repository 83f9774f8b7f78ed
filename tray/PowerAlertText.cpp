#include "PowerAlertText.h"

#include "TavrinStrings.h"

namespace power_alert {
namespace {

constexpr wchar_t kLineBreak[] = L"\r\n";
constexpr uint32_t kReasonNotPlugged = 1u << 0;
constexpr uint32_t kReasonChargeSlower = 1u << 1;
constexpr uint32_t kReasonOperateSlower = 1u << 2;
constexpr uint32_t kReasonInsufficient = 1u << 3;
constexpr uint32_t kDockPortReplicator = 1u << 24;
constexpr uint32_t kDockQuarro = 1u << 25;
constexpr uint32_t kLastAdapterCode = 5;
// String numbers are 16 bits wide.
constexpr uint32_t kLastTextNumber = 0xFFFF;

std::wstring Number(uint32_t value)
{
    return std::to_wstring(value);
}

std::wstring AdapterFirstText(uint32_t code, const TextSource& text)
{
    return text(IDS_ADAPTER_NOT_RECOGNIZED_LONG + code);
}

std::wstring AdapterK7(uint32_t code, uint32_t flags, const TextSource& text)
{
    std::wstring s = AdapterFirstText(code, text);
    if (flags & kReasonInsufficient)
        s += kLineBreak + text(IDS_ADAPTER_INSUFFICIENT_POWER) + text(IDS_PERFORMANCE_IMPACTED);
    else if (flags & kReasonOperateSlower)
        s += kLineBreak + text(IDS_OPERATE_SLOWER) + L" " + text(IDS_BATTERY_CHARGE_SLOWER);
    else if (flags & kReasonChargeSlower)
        s += kLineBreak + text(IDS_OPERATE_SLOWER_CHARGE_SLOWER);
    else if (flags & kReasonNotPlugged)
        s += kLineBreak + text(IDS_OPERATE_SLOWER_NO_CHARGE);
    const std::wstring bullet = text(IDS_BULLET);
    s += kLineBreak + text(IDS_PROBLEM_SOLVED_BY) + kLineBreak + bullet + L" "
         + text(IDS_ENSURE_PLUG_INSERTED);
    if (const uint32_t watts = RatedValue(flags); watts != 0)
        s += kLineBreak + bullet + L" " + Fill(text(IDS_CONNECT_ADAPTER_WATTS), Number(watts));
    return s;
}

std::wstring AdapterClassic(uint32_t code, uint32_t flags, const TextSource& text)
{
    std::wstring s = AdapterFirstText(code, text);
    if (flags & kReasonInsufficient)
        s += L" " + text(IDS_ADAPTER_INSUFFICIENT_POWER) + text(IDS_PERFORMANCE_IMPACTED);
    else if (flags & kReasonOperateSlower)
        s += L" " + text(IDS_OPERATE_SLOWER) + L" " + text(IDS_BATTERY_CHARGE_SLOWER);
    else if (flags & kReasonChargeSlower)
        s += L" " + text(IDS_OPERATE_SLOWER_CHARGE_SLOWER);
    else if (flags & kReasonNotPlugged)
        s += L" " + text(IDS_OPERATE_SLOWER_BATTERY_NO_CHARGE);
    if (const uint32_t watts = RatedValue(flags); watts != 0)
        s += L" " + Fill(text(IDS_CONNECT_ADAPTER_WATTS_LONG), Number(watts));
    return s;
}

} // namespace

Family FamilyOf(uint32_t code)
{
    if (code == kNumberedMessage) return Family::Numbered;
    if (code >= 1 && code <= kLastAdapterCode) return Family::Adapter;
    if (code >= 17 && code <= 22) return Family::Battery;
    if (code >= 49 && code <= 53) return Family::Dock;
    return Family::None;
}

Request FromEvent(uint16_t arg1, uint16_t arg2, uint32_t flags)
{
    return Request{arg1, arg2, flags};
}

std::wstring Fill(const std::wstring& text, const std::wstring& value)
{
    std::wstring filled;
    bool placed = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%' || i + 1 == text.size()) {
            filled += text[i];
            continue;
        }
        const wchar_t next = text[i + 1];
        if (next == L'%') {
            filled += L'%';
            ++i;
        } else if (!placed && (next == L'd' || next == L'u' || next == L's')) {
            filled += value;
            placed = true;
            ++i;
        } else if (!placed && next == L'l' && i + 2 < text.size() && text[i + 2] == L's') {
            filled += value;
            placed = true;
            i += 2;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::wstring AdapterText(uint32_t code, uint32_t flags, bool k7, const TextSource& text)
{
    if (FamilyOf(code) != Family::Adapter) return {};
    if (flags == 0) {
        // The 45 W adapter has no long form.
        return code == kLastAdapterCode ? text(IDS_ADAPTER_45W_SHORT) : text(code + 1);
    }
    return k7 ? AdapterK7(code, flags, text) : AdapterClassic(code, flags, text);
}

std::wstring BatteryText(uint32_t code, uint32_t flags, const TextSource& text)
{
    switch (code) {
    case 17:
    case 18:
    case 19:
        return text(code + 1) + L" " + text(IDS_BATTERY_WILL_NOT_CHARGE) + L" "
               + text(IDS_INSERT_CORVANE_BATTERY);
    case 20:
        return text(IDS_UNSUPPORTED_BATTERY) + L" " + text(IDS_BATTERY_INSUFFICIENT_POWER) + L" "
               + text(IDS_POWER_DOWN_WHEN_UNPLUGGED) + L" " + text(IDS_INSERT_BATTERY_80WH);
    case 21: {
        std::wstring s
            = text(IDS_PRIMARY_MODEL_NOT_RECOMMENDED) + L" " + text(IDS_BATTERY_INSUFFICIENT_POWER) + L" ";
        const uint32_t wattHours = RatedValue(flags);
        if (wattHours == 0) return s + text(IDS_INSERT_CORVANE_BATTERY);
        return s + L" " + Fill(text(IDS_INSERT_BATTERY_WH), Number(wattHours));
    }
    case 22:
        return text(IDS_BATTERY_PERMANENT_FAILURE) + L" " + text(IDS_POWER_DOWN_WHEN_UNPLUGGED);
    default:
        return {};
    }
}

std::wstring DockText(uint32_t code, uint32_t flags, const TextSource& text)
{
    const std::wstring watts = Number(RatedValue(flags));
    switch (code) {
    case 49:
        return text(IDS_QUARRO_NOT_SUPPORTED);
    case 50: {
        const UINT kind = (flags & kDockPortReplicator) ? IDS_PORT_REPLICATOR
                          : (flags & kDockQuarro)       ? IDS_QUARRO
                                                        : IDS_QUARRO_OR_PORT_REPLICATOR;
        return text(IDS_DOCK_MODEL_UNKNOWN) + L" " + Fill(text(IDS_CONNECT_DEVICE), text(kind));
    }
    case 51:
        return text(IDS_DOCK_NO_ADAPTER) + L"  " + Fill(text(IDS_CONNECT_DOCK_ADAPTER_WATTS), watts);
    case 52:
        return text(IDS_DOCK_ADAPTER_UNKNOWN) + L" " + Fill(text(IDS_CONNECT_DOCK_ADAPTER_WATTS), watts);
    case 53:
        return Fill(text(IDS_DOCK_ADAPTER_WATTS), Number(DockAdapterWatts(flags))) + L" "
               + text(IDS_OPERATE_SLOWER_CHARGE_SLOWER) + L" "
               + Fill(text(IDS_CONNECT_DOCK_ADAPTER_WATTS), watts);
    default:
        return {};
    }
}

UINT NumberedText(uint32_t detail)
{
    if (detail >= kLastTextNumber) return 0;
    return detail + 1;
}

} // namespace power_alert
