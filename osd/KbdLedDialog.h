#pragma once
#include "OsdDialog.h"

#include <functional>

// The lock keys by the number of their notification-area indicator.
enum class LockKey { Caps = 101, Num = 102, Scroll = 103 };

// The indicators of the lock keys that are on, one notification icon each.
class ILockIndicators {
public:
    virtual ~ILockIndicators() = default;
    // Adds the key's icon (the taskbar is shown with it); false when the shell refused.
    virtual bool Add(LockKey key, UINT iconId) = 0;
    virtual void Remove(LockKey key) = 0;
};

// Which lock keys produce a display.
struct LockKeyChoice {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    // ShowKbdLock when it names any key (bits 0x001, 0x010, 0x100), else
    // TavrinControl's bits 0x4 (Caps Lock) and 0x8 (Num Lock).
    static LockKeyChoice FromSettings(bool haveShowKbdLock, DWORD showKbdLock, DWORD tavrinControl);
};

// The lock-key display family: a picture of the key that was pressed, on
// or off, while the notification area keeps one indicator per key that is
// on. Keys the display does not show change nothing, unless the firmware
// reported them.
class CKbdLedDialog : public COsdDialog {
public:
    static constexpr UINT kTemplateId = 103;
    // The key's toggle state (GetKeyState bit 0) by its virtual key.
    using KeyToggled = std::function<bool(int virtualKey)>;

    CKbdLedDialog(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled = {});
    // The indicators of the keys that are on go with the display.
    ~CKbdLedDialog() override;

    // Reads the key's state, chooses its picture and lets its indicator
    // follow; false when the display does not show the key.
    virtual bool Refresh(LockKey key, bool fromBios) = 0;
    // Draws the key last refreshed and starts the display's timer.
    virtual void Start() = 0;

    // Takes the indicators of the keys that are on out of the notification area.
    void RemoveIndicators();
    bool Shows(LockKey key) const;
    void AlsoShow(LockKey key);
    // Whether the key's indicator is in the notification area.
    bool IndicatorShown(LockKey key) const;
    UINT PictureId() const { return pictureId; }
    LockKey ShownKey() const { return shownKey; }
    bool ShownOn() const { return shownOn; }

protected:
    // The picture of a key in its state; 0 for a key this style has no picture of.
    virtual UINT PictureFor(LockKey key, bool on) const = 0;
    // The key's notification icon in this style; 0 when it has none.
    virtual UINT IndicatorIcon(LockKey key) const = 0;
    // The shared part of a refresh: false for a key not shown (and not from the firmware).
    bool RefreshKey(LockKey key, bool fromBios);
    void UpdateIndicator(LockKey key, bool on);

    LockKey shownKey = LockKey::Caps;
    bool shownOn = false;
    UINT pictureId = 0;

private:
    bool& IndicatorFlag(LockKey key);

    bool showCaps;
    bool showNum;
    bool showScroll;
    bool capsOn = false;
    bool numOn = false;
    bool scrollOn = false;
    ILockIndicators& m_indicators;
    KeyToggled m_toggled;
};
