#include "KbdLedDialog.h"

#include "PlatformSeams.h"

namespace {

constexpr DWORD kShowCapsBit = 0x001;
constexpr DWORD kShowNumBit = 0x010;
constexpr DWORD kShowScrollBit = 0x100;
constexpr DWORD kControlCapsBit = 0x4;
constexpr DWORD kControlNumBit = 0x8;

int VirtualKey(LockKey key)
{
    switch (key) {
    case LockKey::Caps:
        return VK_CAPITAL;
    case LockKey::Num:
        return VK_NUMLOCK;
    case LockKey::Scroll:
        return VK_SCROLL;
    }
    return 0;
}

bool SystemKeyToggled(int virtualKey)
{
    return (seams::GetKeyState(virtualKey) & 1) != 0;
}

} // namespace

LockKeyChoice LockKeyChoice::FromSettings(bool haveShowKbdLock, DWORD showKbdLock, DWORD tavrinControl)
{
    if (haveShowKbdLock && (showKbdLock & (kShowCapsBit | kShowNumBit | kShowScrollBit)) != 0)
        return {(showKbdLock & kShowCapsBit) != 0, (showKbdLock & kShowNumBit) != 0,
                (showKbdLock & kShowScrollBit) != 0};
    return {(tavrinControl & kControlCapsBit) != 0, (tavrinControl & kControlNumBit) != 0, false};
}

CKbdLedDialog::CKbdLedDialog(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled)
    : COsdDialog(kTemplateId, nullptr)
    , showCaps(choice.caps)
    , showNum(choice.num)
    , showScroll(choice.scroll)
    , m_indicators(indicators)
    , m_toggled(toggled ? std::move(toggled) : KeyToggled(&SystemKeyToggled))
{}

CKbdLedDialog::~CKbdLedDialog()
{
    RemoveIndicators();
}

void CKbdLedDialog::RemoveIndicators()
{
    for (LockKey key : {LockKey::Caps, LockKey::Num, LockKey::Scroll}) {
        bool& shown = IndicatorFlag(key);
        if (shown) m_indicators.Remove(key);
        shown = false;
    }
}

bool CKbdLedDialog::Shows(LockKey key) const
{
    switch (key) {
    case LockKey::Caps:
        return showCaps;
    case LockKey::Num:
        return showNum;
    case LockKey::Scroll:
        return showScroll;
    }
    return false;
}

void CKbdLedDialog::AlsoShow(LockKey key)
{
    switch (key) {
    case LockKey::Caps:
        showCaps = true;
        break;
    case LockKey::Num:
        showNum = true;
        break;
    case LockKey::Scroll:
        showScroll = true;
        break;
    }
}

bool& CKbdLedDialog::IndicatorFlag(LockKey key)
{
    switch (key) {
    case LockKey::Num:
        return numOn;
    case LockKey::Scroll:
        return scrollOn;
    case LockKey::Caps:
        break;
    }
    return capsOn;
}

bool CKbdLedDialog::IndicatorShown(LockKey key) const
{
    switch (key) {
    case LockKey::Caps:
        return capsOn;
    case LockKey::Num:
        return numOn;
    case LockKey::Scroll:
        return scrollOn;
    }
    return false;
}

bool CKbdLedDialog::RefreshKey(LockKey key, bool fromBios)
{
    if (!Shows(key) && !fromBios) return false;
    const bool on = m_toggled(VirtualKey(key));
    const UINT picture = PictureFor(key, on);
    if (picture == 0) return false;
    shownKey = key;
    shownOn = on;
    pictureId = picture;
    UpdateIndicator(key, on);
    return true;
}

// Added once while the key is on, removed once when it goes off: the shell
// keeps one icon per key.
void CKbdLedDialog::UpdateIndicator(LockKey key, bool on)
{
    bool& shown = IndicatorFlag(key);
    if (on && !shown) {
        const UINT icon = IndicatorIcon(key);
        if (icon != 0) shown = m_indicators.Add(key, icon);
    } else if (!on && shown) {
        m_indicators.Remove(key);
        shown = false;
    }
}
