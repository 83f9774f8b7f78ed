#include "OemKeyList.h"
#include "OemKeyTable.h"

static_assert(kOemKeyCodes.size() == COemKeyList::kCapacity);

void COemKeyList::Fill()
{
    for (int i = 0; i < kCapacity; ++i) {
        m_entries[i] = OemKeyTableEntry{};
        m_entries[i].scanCode = OemKeyScanCode(kOemKeyCodes[i]);
        m_entries[i].ext = IsExtendedOemKey(kOemKeyCodes[i]) ? 1 : 0;
    }
    m_count = kCapacity;
}
