#include "OsdSet.h"

namespace {

// The display of a kind leaves itself up, except the keyboard light, whose
// entry makes its display anew; the display switch stays for a hide-all.
bool Keeps(OsdKind kind, OsdMember member)
{
    switch (member) {
    case OsdMember::DisplaySwitch:
        return kind == OsdKind::All;
    case OsdMember::Brightness:
        return kind == OsdKind::Brightness;
    case OsdMember::Radio:
        return kind == OsdKind::Radio;
    case OsdMember::Volume:
        return kind == OsdKind::Volume;
    case OsdMember::KeyboardLight:
        return false;
    case OsdMember::LockKeys:
        return kind == OsdKind::LockKeys;
    case OsdMember::Eject:
        return kind == OsdKind::Eject;
    }
    return true;
}

} // namespace

bool COsdSet::Displaces(OsdKind kind, OsdMember member)
{
    return !Keeps(kind, member);
}

void COsdSet::HideOthers(OsdKind kind)
{
    for (std::size_t i = 0; i < kMembers; ++i) {
        IOsdWindow* osd = m_members[i];
        const auto member = static_cast<OsdMember>(i);
        if (!osd || !Displaces(kind, member) || !osd->HasWindow()) continue;
        if (member == OsdMember::DisplaySwitch) {
            osd->HideWindow();
        } else {
            osd->CloseWindow();
        }
    }
}

void COsdSet::Close(OsdMember member)
{
    IOsdWindow* osd = m_members[Index(member)];
    if (osd && osd->HasWindow()) osd->CloseWindow();
}
