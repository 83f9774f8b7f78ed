#pragma once
#include "UniqueHandle.h"

#include <string>

// Starts another program of the suite from the tray's own folder. A program
// that is not installed fails quietly, without a box.
namespace suite_programs {

inline constexpr wchar_t kRadioControl[] = L"Aerolo.exe";
inline constexpr wchar_t kLaunchButtonManager[] = L"Actuo.exe";
inline constexpr wchar_t kBatteryMeter[] = L"Battery.exe";
// The radio-control program's start from the wireless-configuration key.
inline constexpr wchar_t kFromHotkey[] = L"-HK";

// The command line: the quoted program path, then the arguments.
std::wstring CommandLine(const std::wstring& folder, const wchar_t* program, const wchar_t* arguments);

// true when the program was started.
bool Start(const wchar_t* program, const wchar_t* arguments = L"");

// Starts a command line shown normally; its process, or null when nothing started.
UniqueHandle StartCommandLine(const std::wstring& commandLine);

} // namespace suite_programs
