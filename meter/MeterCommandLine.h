#pragma once
#include <optional>
#include <string>
#include <vector>

// The battery meter's command line: the switches PAGE, BHI and PF (written
// with a leading - or /, names case-sensitive, each taking at most the one
// value after it) and the other words, which choose the first page.
class CMeterCommandLine {
public:
    // The arguments without the program's name.
    explicit CMeterCommandLine(const std::vector<std::wstring>& arguments);

    // Where the sheet's pages are: indexes of the optional pages, -1 when absent.
    struct Pages {
        int count = 1;
        int health = -1;
        int desktopMode = -1;
        bool chargeDisablingSupported = false;
    };

    // The page to open on. The words first: H the health page (or the first
    // page), DOCK the last, 1 2 3 that index, BCD index 1 with charge
    // disabling (only then are the words taken in upper case); then, on the
    // K7 sheet, the PAGE value. An index past the last page is ignored.
    int FirstPage(const Pages& pages, bool k7) const;

    const std::optional<std::wstring>& Page() const { return m_page; }
    // The first letter of the PAGE value, sent to a running meter; 0 without one.
    wchar_t PageLetter() const;
    const std::optional<int>& HealthIndex() const { return m_healthIndex; }
    bool PermanentFailure() const { return m_permanentFailure; }
    const std::vector<std::wstring>& Words() const { return m_words; }

private:
    std::optional<std::wstring> m_page;
    std::optional<int> m_healthIndex;
    bool m_permanentFailure = false;
    std::vector<std::wstring> m_words;
};
