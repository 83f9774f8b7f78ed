#pragma once

// 1 when the user belongs neither to Power Users nor to Administrators, 0
// when to one of them; -1 when impersonation failed, -2 when the thread token
// could not be opened (both count as limited).
int LimitedUserFlag();
