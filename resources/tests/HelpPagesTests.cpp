// The help pages of every help-folder code, where the build puts them next to
// the programs: both pages, UTF-8, a title, the page's language and the
// right-to-left direction for Hebrew and Arabic.
#include "LanguageCatalogue.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace {

constexpr size_t kMaxPageBytes = 1 << 20;

std::string ReadPage(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::string page(kMaxPageBytes, '\0');
    file.read(page.data(), static_cast<std::streamsize>(page.size()));
    page.resize(static_cast<size_t>(file.gcount()));
    return page;
}

bool IsUtf8(const std::string& text)
{
    return text.empty()
           || ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0)
                  > 0;
}

// What is wrong with one page; empty when nothing is.
std::vector<std::string> PageFaults(const std::string& page, bool rightToLeft)
{
    std::vector<std::string> faults;
    if (page.empty()) return {"missing or empty"};
    if (!IsUtf8(page)) faults.push_back("not valid UTF-8");
    if (page.rfind("\xEF\xBB\xBF", 0) == 0) faults.push_back("starts with a byte-order mark");
    std::smatch match;
    if (!std::regex_search(page, match, std::regex("<html[^>]*\\slang=\"([A-Za-z-]+)\"[^>]*>")))
        faults.push_back("no <html lang=\"...\">");
    const bool rtl = std::regex_search(page, std::regex("<html[^>]*\\sdir=\"rtl\""));
    if (rtl != rightToLeft)
        faults.push_back(rightToLeft ? "no dir=\"rtl\" on <html>" : "dir=\"rtl\" on a left-to-right page");
    if (!std::regex_search(page, std::regex("<meta charset=\"utf-8\">", std::regex::icase)))
        faults.push_back("no <meta charset=\"utf-8\">");
    if (!std::regex_search(page, match, std::regex("<title>([^<]+)</title>"))
        || match[1].str().find_first_not_of(" \t\n") == std::string::npos)
        faults.push_back("no <title>");
    if (page.find("</html>") == std::string::npos) faults.push_back("no </html> (cut off?)");
    return faults;
}

std::vector<std::wstring> AllCodes()
{
    std::vector<std::wstring> codes{L"ENG"};
    for (const auto& language : language_catalogue::Translations()) codes.push_back(language.helpFolder);
    return codes;
}

class HelpFolder : public ::testing::TestWithParam<std::wstring> {};

TEST_P(HelpFolder, HoldsBothPages)
{
    const std::string code(GetParam().begin(), GetParam().end());
    const bool rightToLeft = code == "HBR" || code == "UAE";
    for (const char* name : {"EBL.htm", "index.htm"}) {
        const std::string page = ReadPage(std::string(TAVRIN_HELP_DIR) + "/" + code + "/" + name);
        for (const auto& fault : PageFaults(page, rightToLeft))
            ADD_FAILURE() << "help/" << code << "/" << name << ": " << fault;
    }
}

INSTANTIATE_TEST_SUITE_P(AllCodes, HelpFolder, ::testing::ValuesIn(AllCodes()),
                         [](const auto& test) { return std::string(test.param.begin(), test.param.end()); });

TEST(HelpPageFaults, EachFaultIsNamed)
{
    const std::string good
        = "<!DOCTYPE html>\n<html lang=\"he\" dir=\"rtl\">\n<head>\n<meta charset=\"utf-8\">\n"
          "<title>\xD7\xA2\xD7\x96\xD7\xA8\xD7\x94</title>\n</head><body></body>\n</html>\n";
    EXPECT_EQ(PageFaults(good, true), std::vector<std::string>{});
    EXPECT_EQ(PageFaults(good, false), std::vector<std::string>{"dir=\"rtl\" on a left-to-right page"});
    auto without = [&](const std::string& part) {
        std::string page = good;
        page.erase(page.find(part), part.size());
        return PageFaults(page, true);
    };
    EXPECT_EQ(without(" dir=\"rtl\""), std::vector<std::string>{"no dir=\"rtl\" on <html>"});
    EXPECT_EQ(without(" lang=\"he\""), std::vector<std::string>{"no <html lang=\"...\">"});
    EXPECT_EQ(without("<meta charset=\"utf-8\">"), std::vector<std::string>{"no <meta charset=\"utf-8\">"});
    EXPECT_EQ(without("\xD7\xA2\xD7\x96\xD7\xA8\xD7\x94"), std::vector<std::string>{"no <title>"});
    EXPECT_EQ(without("</html>"), std::vector<std::string>{"no </html> (cut off?)"});
    EXPECT_EQ(PageFaults(good.substr(0, good.find("\xD7\x96") + 1) + "</title></html>", true),
              std::vector<std::string>{"not valid UTF-8"});
    EXPECT_EQ(PageFaults("", false), std::vector<std::string>{"missing or empty"});
}

} // namespace
