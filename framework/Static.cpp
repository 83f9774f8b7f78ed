#include "Static.h"

HICON CStatic::SetIcon(HICON icon)
{
    return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
}

HICON CStatic::Icon() const
{
    return reinterpret_cast<HICON>(Send(STM_GETICON));
}
