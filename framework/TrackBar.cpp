#include "TrackBar.h"
#include <commctrl.h>

void CTrackBar::SetRange(int minimum, int maximum)
{
    Send(TBM_SETRANGEMIN, FALSE, minimum);
    Send(TBM_SETRANGEMAX, TRUE, maximum);
}

int CTrackBar::Minimum() const
{
    return static_cast<int>(Send(TBM_GETRANGEMIN));
}

int CTrackBar::Maximum() const
{
    return static_cast<int>(Send(TBM_GETRANGEMAX));
}

void CTrackBar::SetPosition(int position)
{
    Send(TBM_SETPOS, TRUE, position);
}

int CTrackBar::Position() const
{
    return static_cast<int>(Send(TBM_GETPOS));
}
