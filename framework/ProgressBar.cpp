#include "ProgressBar.h"
#include <commctrl.h>

void CProgressBar::SetPosition(int position)
{
    Send(PBM_SETRANGE32, 0, 100);
    Send(PBM_SETPOS, static_cast<WPARAM>(position));
}

int CProgressBar::Position() const
{
    return static_cast<int>(Send(PBM_GETPOS));
}
