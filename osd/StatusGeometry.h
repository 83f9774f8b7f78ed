#pragma once
#include "OsdGeometry.h"

// Where the radio and keyboard-light displays go and how big they are.
// Pure arithmetic, checked alone.
namespace status_geometry {

// Dialog style: the radio pictures side by side, a tenth of a picture apart.
int RadioDialogPitch(int pictureWidth);
int RadioDialogPictureX(int index, int pictureWidth);
osd_geometry::OsdSize RadioDialogSize(int count, osd_geometry::OsdSize picture);
// A saved place beyond the desktop's right or bottom edge is forgotten.
bool RadioSavedPlaceUsable(POINT saved, const RECT& desktop);
// The saved place when either coordinate is set, else near the bottom right corner.
POINT RadioDialogPosition(POINT saved, osd_geometry::OsdSize window, const RECT& desktop);

// Panel style: the radio pictures from (24, 24) without gaps, 48 pixels of panel around them.
osd_geometry::OsdRect RadioPanelWindow(osd_geometry::OsdSize screen, int count);
// The keyboard light's panel: its picture with 48 pixels around it.
osd_geometry::OsdRect KeyboardPanelWindow(osd_geometry::OsdSize screen);
// The keyboard light's dialog: the saved place when its top left corner lies
// on the desktop, else near the bottom right corner.
POINT KeyboardDialogPosition(POINT saved, osd_geometry::OsdSize window, const RECT& desktop);
// The outline style's radio picture, centred on its panel.
POINT OutlineRadioSymbolAt(osd_geometry::OsdSize panel, osd_geometry::OsdSize symbol);

} // namespace status_geometry
