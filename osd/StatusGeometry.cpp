#include "StatusGeometry.h"

using osd_geometry::OsdRect;
using osd_geometry::OsdSize;

namespace status_geometry {

namespace {

constexpr int kPanelSymbol = 48;
constexpr int kPanelGap = 3;
constexpr int kPanelExtraWidth = 45;
constexpr int kDialogLeft = 5;
constexpr int kDialogRightMargin = 100;
constexpr int kDialogBottomMargin = 120;

bool Inside(POINT p, const RECT& r)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

int RadioDialogPitch(int pictureWidth)
{
    // int(1.1 * width), in integers.
    return pictureWidth * 11 / 10;
}

int RadioDialogPictureX(int index, int pictureWidth)
{
    return kDialogLeft + index * RadioDialogPitch(pictureWidth);
}

OsdSize RadioDialogSize(int count, OsdSize picture)
{
    return {count * RadioDialogPitch(picture.width), picture.height};
}

bool RadioSavedPlaceUsable(POINT saved, const RECT& desktop)
{
    return saved.x < desktop.right && saved.y < desktop.bottom;
}

POINT RadioDialogPosition(POINT saved, OsdSize window, const RECT& desktop)
{
    if (saved.x != 0 || saved.y != 0) return saved;
    return {desktop.right - desktop.left - window.width - kDialogRightMargin,
            desktop.bottom - desktop.top - kDialogBottomMargin};
}

OsdRect RadioPanelWindow(OsdSize screen, int count)
{
    const int width = count * (kPanelSymbol + kPanelGap) + kPanelExtraWidth;
    const int height = kPanelSymbol + kPanelSymbol;
    return {screen.width * 95 / 100 - width, screen.height * 90 / 100 - kPanelSymbol - kPanelSymbol, width,
            height};
}

OsdRect KeyboardPanelWindow(OsdSize screen)
{
    const int side = kPanelSymbol + kPanelSymbol;
    return {screen.width * 95 / 100 - side, screen.height * 90 / 100 - side, side, side};
}

POINT KeyboardDialogPosition(POINT saved, OsdSize window, const RECT& desktop)
{
    if ((saved.x != 0 || saved.y != 0) && Inside(saved, desktop)) return saved;
    const int width = desktop.right - desktop.left;
    const int height = desktop.bottom - desktop.top;
    return {width - static_cast<int>(window.width * 1.25), height - 2 * window.height};
}

POINT OutlineRadioSymbolAt(OsdSize panel, OsdSize symbol)
{
    return {(panel.width - symbol.width) / 2, (panel.height - symbol.height) / 2};
}

} // namespace status_geometry
