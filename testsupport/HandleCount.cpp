#include "HandleCount.h"

#include "UniqueHandle.h"

DWORD CountOpenHandles(HANDLE process)
{
    constexpr int kFreeRunAtEnd = 1024;
    DWORD open = 0;
    int freeRun = 0;
    for (ULONG_PTR value = 4; freeRun < kFreeRunAtEnd; value += 4) {
        UniqueHandle copy;
        if (::DuplicateHandle(process, reinterpret_cast<HANDLE>(value), ::GetCurrentProcess(), copy.put(), 0,
                              FALSE, DUPLICATE_SAME_ACCESS)) {
            ++open;
            freeRun = 0;
        } else {
            ++freeRun;
        }
    }
    return open;
}
