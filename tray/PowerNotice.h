#pragma once
#include <windows.h>

// The power-setting notice of WM_POWERBROADCAST carries a pointer to its
// record. The system sends it; any program can post or send an imitation
// whose pointer means nothing in this process.
namespace power_notice {

// true for a PBT_POWERSETTINGCHANGE notice to be dropped unread: it was
// posted (sendState, as InSendMessageEx answers, is ISMEX_NOSEND), or its
// record is not readable here as a whole. Other events are never dropped.
bool IsUntrusted(WPARAM event, LPARAM record, DWORD sendState);

} // namespace power_notice
