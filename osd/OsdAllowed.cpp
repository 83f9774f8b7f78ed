#include "OsdAllowed.h"

#include <array>

namespace {

constexpr wchar_t kDesktopTitle[] = L"Program Manager";
constexpr wchar_t kFullScreenLayoutTitle[] = L"FullScreenTopLayout";
constexpr int kTitleChars = 512;

bool SameIgnoringCase(std::wstring_view a, const wchar_t* b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

bool OsdAllowedFor(const ForegroundFacts& facts)
{
    if (!facts.titleRead || facts.title.empty() || SameIgnoringCase(facts.title, kDesktopTitle)) return true;
    if (SameIgnoringCase(facts.title, kFullScreenLayoutTitle) || !facts.rectsRead) return false;
    const LONG width = facts.foreground.right - facts.foreground.left;
    const LONG height = facts.foreground.bottom - facts.foreground.top;
    if (width < facts.desktop.right - facts.desktop.left) return true;
    return height < facts.desktop.bottom - facts.desktop.top;
}

bool OsdAllowed()
{
    const HWND foreground = ::GetForegroundWindow();
    std::array<wchar_t, kTitleChars + 1> title{};
    const int length = ::GetWindowTextW(foreground, title.data(), static_cast<int>(title.size()));
    ForegroundFacts facts;
    facts.titleRead = length > 0;
    facts.title = std::wstring_view(title.data(), length > 0 ? static_cast<size_t>(length) : 0);
    facts.rectsRead = ::GetWindowRect(foreground, &facts.foreground)
                      && ::GetWindowRect(::GetDesktopWindow(), &facts.desktop);
    return OsdAllowedFor(facts);
}
