#include "TableChecks.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <map>

namespace table_checks {
namespace {

// Names, units and symbols that read the same in every language.
const std::map<std::string, std::set<std::string>> kNamesAndUnits = {
    {"tavrin",
     {"IDS_TRAY_TOOLTIP", "IDS_APP_TITLE", "IDS_BULLET", "IDS_QUARRO", "IDS_NETWISP_BAND_BG",
      "IDS_NETWISP_BAND_A", "IDS_NETWISP_BAND_ABG"}},
    {"battery", {}},
    {"aerolo", {"IDS_WPAN", "IDS_WIFI", "IDS_BANDS_BGN", "IDS_BANDS_AN", "IDS_BANDS_ABGN"}},
    {"actuo", {}},
    {"tessel", {"IDS_NETWISP_TITLE", "IDS_FLINTO_TITLE", "IDS_OEM_NAME", "IDS_BLUETOOTH"}},
};

std::string Joined(const std::vector<std::wstring>& items)
{
    std::wstring all;
    for (const auto& item : items) all += (all.empty() ? L"" : L" ") + item;
    return all.empty() ? "none" : rc_table::Utf8(all);
}

std::wstring Leading(const std::wstring& text)
{
    return text.substr(0, std::min(text.size(), text.find_first_not_of(L" \t\r\n")));
}

std::wstring Trailing(const std::wstring& text)
{
    const size_t last = text.find_last_not_of(L" \t\r\n");
    return last == std::wstring::npos ? text : text.substr(last + 1);
}

std::string Visible(const std::wstring& blanks)
{
    std::string out;
    for (wchar_t c : blanks) out += c == L'\n' ? "\\n" : c == L'\r' ? "\\r" : c == L'\t' ? "\\t" : "\xC2\xB7";
    return "\"" + out + "\"";
}

size_t CountOf(const std::wstring& text, wchar_t c)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

class Checker {
public:
    Checker(const Subject& subject, std::vector<std::string>& failures)
        : m_subject(subject), m_failures(failures)
    {}

    void Fail(const std::string& id, const std::string& what)
    {
        m_failures.push_back(m_subject.program + " " + m_subject.file + (id.empty() ? "" : " " + id) + ": "
                             + what);
    }

    void Order(const rc_table::Table& english, const rc_table::Table& translated)
    {
        std::set<std::string> englishIds, seen;
        for (const auto& entry : english.entries) englishIds.insert(entry.id);
        for (const auto& entry : translated.entries) {
            if (!englishIds.count(entry.id)) Fail(entry.id, "not an id of the English table");
            if (!seen.insert(entry.id).second) Fail(entry.id, "appears twice");
        }
        for (const auto& entry : english.entries)
            if (!seen.count(entry.id)) Fail(entry.id, "missing");
        const size_t common = std::min(english.entries.size(), translated.entries.size());
        for (size_t i = 0; i < common; ++i) {
            if (english.entries[i].id != translated.entries[i].id
                && englishIds.count(translated.entries[i].id)) {
                Fail(translated.entries[i].id,
                     "out of the English order (expected " + english.entries[i].id + " here)");
                return;
            }
        }
    }

    void Entry(const rc_table::Entry& english, const rc_table::Entry& entry, bool identicalAllowed)
    {
        const std::string& id = entry.id;
        if (!entry.englishNote)
            Fail(id, "no // en: note before it");
        else if (*entry.englishNote != english.raw)
            Fail(id, "stale // en: note \"" + *entry.englishNote + "\"; English now reads \"" + english.raw
                         + "\"");
        if (entry.text.empty()) {
            Fail(id, "empty text");
            return;
        }
        const auto want = Placeholders(english.text), have = Placeholders(entry.text);
        if (want != have) Fail(id, "placeholders " + Joined(have) + " where English has " + Joined(want));
        const int mnemonic = Mnemonic(entry.text), englishMnemonic = Mnemonic(english.text);
        if (mnemonic < 0)
            Fail(id, "more than one & mnemonic");
        else if (englishMnemonic > 0 && mnemonic == 0)
            Fail(id, "no & mnemonic where English has one");
        else if (englishMnemonic == 0 && mnemonic > 0)
            Fail(id, "a & mnemonic where English has none");
        if (Leading(entry.text) != Leading(english.text) || Trailing(entry.text) != Trailing(english.text))
            Fail(id, "leading/trailing blanks " + Visible(Leading(entry.text)) + "/"
                         + Visible(Trailing(entry.text)) + " differ from English "
                         + Visible(Leading(english.text)) + "/" + Visible(Trailing(english.text)));
        if (CountOf(entry.text, L'\n') != CountOf(english.text, L'\n'))
            Fail(id, "line breaks differ from English");
        if (CountOf(entry.text, L'*') != CountOf(english.text, L'*'))
            Fail(id, "*link* marker stars differ from English");
        if (entry.text == english.text && !identicalAllowed)
            Fail(id, "same as English but not a name or unit listed");
    }

    void Mnemonics(const rc_table::Table& translated, const std::vector<TextGroup>& groups)
    {
        std::map<std::string, const rc_table::Entry*> byId;
        for (const auto& entry : translated.entries) byId[entry.id] = &entry;
        for (const auto& group : groups) {
            std::map<int, std::string> taken;
            for (const char* id : group.ids) {
                const auto found = byId.find(id);
                if (found == byId.end()) continue;
                const int letter = Mnemonic(found->second->text);
                if (letter <= 0) continue;
                const auto [it, added] = taken.emplace(letter, id);
                if (!added)
                    Fail(id, "mnemonic &" + rc_table::Utf8(std::wstring(1, static_cast<wchar_t>(letter)))
                                 + " also used by " + it->second + " in " + group.name);
            }
        }
    }

private:
    const Subject& m_subject;
    std::vector<std::string>& m_failures;
};

} // namespace

std::set<std::string> AllowedIdentical(const std::string& program, const std::set<std::string>& listed)
{
    std::set<std::string> allowed = listed;
    const auto names = kNamesAndUnits.find(program);
    if (names != kNamesAndUnits.end()) allowed.insert(names->second.begin(), names->second.end());
    return allowed;
}

std::vector<std::wstring> Placeholders(const std::wstring& text)
{
    std::vector<std::wstring> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') continue;
        size_t end = i + 1;
        if (end < text.size() && text[end] == L'%') {
            found.push_back(L"%%");
            i = end;
            continue;
        }
        while (end < text.size() && iswdigit(text[end])) ++end;
        if (end == i + 1) {
            if (end < text.size() && (text[end] == L'l' || text[end] == L'h')) ++end;
            if (end < text.size() && wcschr(L"dsuxXc", text[end])) ++end;
        }
        // A lone '%' is kept as one too, so that a stray one shows as a difference.
        found.push_back(text.substr(i, end - i));
        i = end - 1;
    }
    return found;
}

int Mnemonic(const std::wstring& text)
{
    int letter = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (i + 1 < text.size() && text[i + 1] == L'&') {
            ++i;
            continue;
        }
        if (letter != 0 || i + 1 >= text.size()) return -1;
        letter = static_cast<int>(towupper(text[i + 1]));
    }
    return letter;
}

std::vector<std::string> Check(const Subject& subject, const rc_table::Table& english,
                               const rc_table::Table& translated,
                               const std::set<std::string>& allowedIdentical,
                               const std::vector<TextGroup>& groups)
{
    std::vector<std::string> failures;
    Checker checker(subject, failures);
    if (translated.language != subject.language)
        checker.Fail("", "LANGUAGE " + translated.language + " where " + subject.language + " is expected");
    checker.Order(english, translated);
    std::map<std::string, const rc_table::Entry*> englishById;
    for (const auto& entry : english.entries) englishById[entry.id] = &entry;
    for (const auto& entry : translated.entries) {
        const auto found = englishById.find(entry.id);
        if (found != englishById.end())
            checker.Entry(*found->second, entry, allowedIdentical.count(entry.id) > 0);
    }
    checker.Mnemonics(translated, groups);
    return failures;
}

std::vector<std::string> UnknownGroupIds(const rc_table::Table& english, const std::vector<TextGroup>& groups)
{
    std::set<std::string> ids;
    for (const auto& entry : english.entries) ids.insert(entry.id);
    std::vector<std::string> unknown;
    for (const auto& group : groups)
        for (const char* id : group.ids)
            if (!ids.count(id)) unknown.push_back(std::string(group.name) + ": " + id);
    return unknown;
}

} // namespace table_checks
