#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Reading Tavrin.cfg, bytes in and the companion's name out, with nothing of
// Windows in it so that it can be fuzzed on its own.
namespace companion_config {

// A configuration file is three elements on a few lines; anything far larger
// or richer is not one, and is refused before the XML parser sees it (its
// duplicate-attribute check grows with the square of the attributes).
inline constexpr std::size_t kMaxBytes = 16 * 1024;
inline constexpr std::size_t kMaxElements = 32;
inline constexpr std::size_t kMaxAttributes = 32;

bool IsPlausible(std::string_view xml);

// The UTF-8 name of the last TrayApp/Name of a TvrConfig root that has a
// Version; empty for broken XML, another root, a missing Version or no name,
// and for a file that is not plausible.
std::string NameOf(std::string_view xml);

} // namespace companion_config
