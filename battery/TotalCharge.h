#pragma once

// The charge of all batteries together in percent, as the system's power
// status reports it; 255 when it has no value.
int TotalCharge();
