#pragma once
#include "OsdHider.h"

#include <array>
#include <cstddef>

// The display objects of the tray, each closed or hidden when another
// kind of display comes up.
class COsdSet {
public:
    void Add(OsdMember member, IOsdWindow& osd) { m_members[Index(member)] = &osd; }
    void HideOthers(OsdKind kind);
    void Close(OsdMember member);

    // Whether a display of `kind` closes `member` (the display switch: hides).
    static bool Displaces(OsdKind kind, OsdMember member);

private:
    static constexpr std::size_t kMembers = static_cast<std::size_t>(OsdMember::Eject) + 1;
    static std::size_t Index(OsdMember member) { return static_cast<std::size_t>(member); }

    std::array<IOsdWindow*, kMembers> m_members{};
};
