#pragma once
#include "PellickFunctions.h"

#include <string>

// Where the optional programs the launch button can start are installed.
namespace pellick_programs {

inline constexpr wchar_t kCharacterMap[] = L"charmap.exe";
inline constexpr wchar_t kPresentationSettings[] = L"presentationsettings.exe";

// The Wireless Display application named by the first uninstall entry whose
// display name mentions it; empty when none does or it names no folder.
std::wstring FindWirelessDisplay();
// The media centre shell in the Windows folder; empty when it is missing.
std::wstring MediaCenterPath();
// A program of the system folder (it may be missing).
std::wstring SystemProgram(const wchar_t* name);
// The media launcher's main program (it may be missing).
std::wstring LumaraPath();

bool FileExists(const std::wstring& path);

pellick::Installed FindInstalled();

} // namespace pellick_programs
