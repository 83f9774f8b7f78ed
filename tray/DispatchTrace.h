#pragma once
#include "UniqueHandle.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// A line per hotkey and firmware code the tray dispatches and per main-window
// entry it reaches, appended to the file named by the environment variable
// TAVRIN_TRACE: how support and the end-to-end tests see what the tray did
// with an event. Without the variable nothing is written and each call costs
// one test.
class CDispatchTrace {
public:
    static constexpr wchar_t kVariable[] = L"TAVRIN_TRACE";

    // Opens the file the environment names, if any.
    CDispatchTrace();
    // Keeps the lines in memory instead, for tests that follow the dispatch in process.
    explicit CDispatchTrace(std::vector<std::string>& lines) : m_lines(&lines) {}
    CDispatchTrace(const CDispatchTrace&) = delete;
    CDispatchTrace& operator=(const CDispatchTrace&) = delete;

    bool IsOn() const { return m_lines != nullptr || static_cast<bool>(m_file); }
    // "<source> 0x<code> <arg>..." for a code taken from the keyboard or the firmware.
    void Code(const wchar_t* source, uint16_t code, std::initializer_list<long long> args = {}) const;
    // "entry <name> <value>..." for an entry operation and its arguments.
    void Entry(const char* name, std::initializer_list<long long> args = {}) const;

private:
    void Write(const char* line) const;

    UniqueFileHandle m_file;
    std::vector<std::string>* m_lines = nullptr;
};
