#include "RcTable.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace rc_table {
namespace {

std::string_view Trim(std::string_view s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool IsIdChar(char c, bool first)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (!first && c >= '0' && c <= '9');
}

// A quoted text starting at s[0] == '"': its raw content and what follows.
std::optional<std::string_view> Quoted(std::string_view s, std::string_view* rest)
{
    if (s.empty() || s[0] != '"') return std::nullopt;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] != '"') continue;
        if (i + 1 < s.size() && s[i + 1] == '"') {
            ++i;
            continue;
        }
        *rest = s.substr(i + 1);
        return s.substr(1, i - 1);
    }
    return std::nullopt;
}

std::string NormaliseBlanks(std::string_view s)
{
    std::string out;
    for (char c : s) {
        if (c == '\t') c = ' ';
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

class Reader {
public:
    Parsed Run(std::string_view source)
    {
        if (source.size() > kMaxSourceBytes) return Fail(0, "larger than 1 MiB");
        if (StartsWith(source, "\xEF\xBB\xBF"))
            return Fail(1, "starts with a byte-order mark (save as UTF-8 without BOM)");
        int number = 0;
        size_t pos = 0;
        while (pos < source.size()) {
            const size_t end = std::min(source.find('\n', pos), source.size());
            std::string_view line = source.substr(pos, end - pos);
            pos = end + 1;
            ++number;
            if (!line.empty() && line.back() == '\r') return Fail(number, "CR LF line end (use LF only)");
            if (!ReadLine(Trim(line), number)) return Fail(number, m_error);
        }
        if (m_state != State::AfterTable) return Fail(number, "no complete STRINGTABLE BEGIN ... END");
        if (m_table.language.empty()) return Fail(number, "no LANGUAGE statement");
        return Parsed{std::move(m_table), {}};
    }

private:
    enum class State { Head, Table, Block, AfterTable };

    Parsed Fail(int line, const std::string& what)
    {
        return Parsed{std::nullopt, "line " + std::to_string(line) + ": " + what};
    }

    bool Error(std::string what)
    {
        m_error = std::move(what);
        return false;
    }

    bool ReadLine(std::string_view line, int number)
    {
        if (line.empty()) return true;
        if (m_state == State::Block) return ReadBlockLine(line, number);
        if (StartsWith(line, "//") || StartsWith(line, "#pragma ") || StartsWith(line, "#include "))
            return true;
        if (StartsWith(line, "LANGUAGE ") && m_state == State::Head) {
            m_table.language = NormaliseBlanks(line.substr(9));
            return true;
        }
        if (line == "STRINGTABLE" && m_state == State::Head) {
            m_state = State::Table;
            return true;
        }
        if (line == "BEGIN" && m_state == State::Table) {
            m_state = State::Block;
            return true;
        }
        return Error("unexpected \"" + std::string(line.substr(0, 60)) + "\"");
    }

    bool ReadBlockLine(std::string_view line, int number)
    {
        if (line == "END") {
            if (m_note) return Error("note without a text after it");
            m_state = State::AfterTable;
            return true;
        }
        if (StartsWith(line, "// en:")) return ReadNote(Trim(line.substr(6)));
        if (StartsWith(line, "//")) return true;
        return ReadEntry(line, number);
    }

    bool ReadNote(std::string_view rest)
    {
        if (m_note) return Error("two notes in a row");
        std::string_view after;
        const auto raw = Quoted(rest, &after);
        if (!raw || !Trim(after).empty()) return Error("note is not one quoted text");
        m_note = std::string(*raw);
        return true;
    }

    bool ReadEntry(std::string_view line, int number)
    {
        size_t length = 0;
        while (length < line.size() && IsIdChar(line[length], length == 0)) ++length;
        if (length == 0) return Error("expected an id, found \"" + std::string(line.substr(0, 60)) + "\"");
        std::string_view after;
        const auto raw = Quoted(Trim(line.substr(length)), &after);
        if (!raw)
            return Error("text of " + std::string(line.substr(0, length))
                         + " is not one quoted text on its line");
        if (!Trim(after).empty())
            return Error("something after the text of " + std::string(line.substr(0, length)));
        auto text = Decode(*raw);
        if (!text)
            return Error("text of " + std::string(line.substr(0, length))
                         + " is not valid UTF-8 or has an unknown escape");
        m_table.entries.push_back(Entry{std::string(line.substr(0, length)), std::string(*raw),
                                        std::move(*text), std::move(m_note), number});
        m_note.reset();
        return true;
    }

    State m_state = State::Head;
    Table m_table;
    std::optional<std::string> m_note;
    std::string m_error;
};

} // namespace

std::optional<std::wstring> Decode(std::string_view raw)
{
    std::string bytes;
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            if (i + 1 >= raw.size() || raw[i + 1] != '"') return std::nullopt;
            bytes.push_back('"');
            ++i;
        } else if (c == '\\') {
            if (i + 1 >= raw.size()) return std::nullopt;
            switch (raw[++i]) {
            case 'n':
                bytes.push_back('\n');
                break;
            case 'r':
                bytes.push_back('\r');
                break;
            case 't':
                bytes.push_back('\t');
                break;
            case '\\':
                bytes.push_back('\\');
                break;
            default:
                return std::nullopt;
            }
        } else {
            bytes.push_back(c);
        }
    }
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int wide = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), wide);
    return text;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

Parsed Parse(std::string_view source)
{
    return Reader().Run(source);
}

namespace {

std::optional<std::string> ReadBounded(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string source;
    source.resize(kMaxSourceBytes + 1);
    file.read(source.data(), static_cast<std::streamsize>(source.size()));
    source.resize(static_cast<size_t>(file.gcount()));
    return source;
}

} // namespace

Parsed ReadFile(const std::string& path)
{
    const auto source = ReadBounded(path);
    if (!source) return Parsed{std::nullopt, "cannot be opened"};
    return Parse(*source);
}

std::map<std::string, unsigned> ParseIds(std::string_view header)
{
    std::map<std::string, unsigned> ids;
    size_t pos = 0;
    while (pos < header.size()) {
        const size_t end = std::min(header.find('\n', pos), header.size());
        std::string_view line = Trim(header.substr(pos, end - pos));
        pos = end + 1;
        if (!StartsWith(line, "#define ")) continue;
        line = Trim(line.substr(8));
        size_t length = 0;
        while (length < line.size() && IsIdChar(line[length], length == 0)) ++length;
        const std::string_view value = Trim(line.substr(length));
        if (length == 0 || value.empty() || value.size() > 9
            || value.find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        ids[std::string(line.substr(0, length))] = static_cast<unsigned>(std::stoul(std::string(value)));
    }
    return ids;
}

std::map<std::string, unsigned> ReadIds(const std::string& path)
{
    const auto header = ReadBounded(path);
    return header ? ParseIds(*header) : std::map<std::string, unsigned>{};
}

} // namespace rc_table
