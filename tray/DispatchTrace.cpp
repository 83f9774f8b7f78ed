#include "DispatchTrace.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void AppendValues(std::string& line, std::initializer_list<long long> values)
{
    for (long long value : values) line += ' ' + std::to_string(value);
}

} // namespace

CDispatchTrace::CDispatchTrace()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableW(kVariable, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    // Appends, so that a reader may follow the file while the tray writes it.
    m_file.reset(::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void CDispatchTrace::Code(const wchar_t* source, uint16_t code, std::initializer_list<long long> args) const
{
    if (!IsOn()) return;
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "%ls 0x%04X", source, code);
    std::string line = prefix;
    AppendValues(line, args);
    Write(line.c_str());
}

void CDispatchTrace::Entry(const char* name, std::initializer_list<long long> args) const
{
    if (!IsOn()) return;
    std::string line = std::string("entry ") + name;
    AppendValues(line, args);
    Write(line.c_str());
}

void CDispatchTrace::Write(const char* line) const
{
    if (m_lines != nullptr) {
        m_lines->push_back(line);
        return;
    }
    std::string text = std::string(line) + "\r\n";
    DWORD written = 0;
    ::WriteFile(m_file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
