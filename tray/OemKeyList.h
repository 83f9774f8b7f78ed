#pragma once
#include "Zelkey.h"

// The tray's OEM keys in the layout the keyboard DLL reads: entries 3648
// bytes apart, each starting with the scan code and the extended flag.
class COemKeyList {
public:
    static constexpr int kCapacity = 33;

    // Fills the entries from the accepted event codes, in their order.
    void Fill();
    int Count() const { return m_count; }
    const OemKeyTableEntry* Entries() const { return m_entries; }

private:
    OemKeyTableEntry m_entries[kCapacity]{};
    int m_count = 0;
};
