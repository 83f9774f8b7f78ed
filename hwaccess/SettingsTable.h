#pragma once
#include "Settings.h"

#include <string>
#include <variant>

// One value of a settings group: its registry name, the member of the plain
// value struct that holds it, and the default used when it is missing. A group
// lists its values once in a table that both loading and saving walk, so the
// two cannot drift apart.
template <typename Values>
class SettingsField {
public:
    constexpr SettingsField(const wchar_t* name, DWORD Values::*member, DWORD defaultValue)
        : m_name(name), m_member(member), m_defaultNumber(defaultValue)
    {}
    // Signed numbers (window positions) are stored as their two's-complement DWORD.
    constexpr SettingsField(const wchar_t* name, int Values::*member, int defaultValue)
        : m_name(name), m_member(member), m_defaultNumber(static_cast<DWORD>(defaultValue))
    {}
    constexpr SettingsField(const wchar_t* name, std::wstring Values::*member, const wchar_t* defaultValue)
        : m_name(name), m_member(member), m_defaultText(defaultValue)
    {}

    const wchar_t* Name() const { return m_name; }

    void Load(const CSettings& settings, Values& values) const
    {
        if (auto number = std::get_if<DWORD Values::*>(&m_member))
            values.*(*number) = settings.ReadDword(m_name, m_defaultNumber);
        else if (auto signedNumber = std::get_if<int Values::*>(&m_member))
            values.*(*signedNumber) = static_cast<int>(settings.ReadDword(m_name, m_defaultNumber));
        else
            values.*std::get<std::wstring Values::*>(m_member) = settings.ReadText(m_name, m_defaultText);
    }

    void Save(const CSettings& settings, const Values& values) const
    {
        if (auto number = std::get_if<DWORD Values::*>(&m_member))
            settings.WriteDword(m_name, values.*(*number));
        else if (auto signedNumber = std::get_if<int Values::*>(&m_member))
            settings.WriteDword(m_name, static_cast<DWORD>(values.*(*signedNumber)));
        else
            settings.WriteText(m_name, values.*std::get<std::wstring Values::*>(m_member));
    }

    bool Differs(const Values& a, const Values& b) const
    {
        return std::visit([&](auto member) { return a.*member != b.*member; }, m_member);
    }

private:
    const wchar_t* m_name;
    std::variant<DWORD Values::*, int Values::*, std::wstring Values::*> m_member;
    DWORD m_defaultNumber = 0;
    const wchar_t* m_defaultText = L"";
};

template <typename Values, size_t N>
Values LoadSettings(const CSettings& settings, const SettingsField<Values> (&table)[N])
{
    Values values{};
    for (const auto& field : table) field.Load(settings, values);
    return values;
}

template <typename Values, size_t N>
void SaveSettings(const CSettings& settings, const Values& values, const SettingsField<Values> (&table)[N])
{
    for (const auto& field : table) field.Save(settings, values);
}

// A settings window edits a copy; only the values the user changed are
// written, so values another program wrote meanwhile are kept.
template <typename Values, size_t N>
void SaveChangedSettings(const CSettings& settings, const Values& before, const Values& after,
                         const SettingsField<Values> (&table)[N])
{
    for (const auto& field : table)
        if (field.Differs(before, after)) field.Save(settings, after);
}
