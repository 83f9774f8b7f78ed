#pragma once

// What each feature bit of the hardware-configuration block stands for, in
// words a support engineer can read; null for bits that have no meaning.
const char* FeatureName(int bit);
