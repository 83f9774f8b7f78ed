// Every dialog of Tavrin.exe and its menu texts, in every language and the
// pseudo-language, measured as Windows draws them.
#include "LanguageCatalogue.h"
#include "RcTable.h"
#include "TavrinDialogTexts.h"
#include "TextFit.h"
#include "TextLoader.h"
#include "TextModule.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The widest a menu may be: 60 % of a 1024-pixel screen.
constexpr int kMaxMenuWidth = 1024 * 60 / 100;

// The texts of a dialog in one language: the numbered ones from the table,
// every other control with its template text.
std::vector<text_fit::ControlText> TextsOf(HMODULE module, WORD dialog, LANGID language)
{
    std::vector<text_fit::ControlText> texts;
    for (const auto& [index, id, text] : text_fit::TemplateTexts(module, dialog)) {
        const auto numbered
            = std::find_if(std::begin(kTavrinDialogTexts), std::end(kTavrinDialogTexts),
                           [&](const auto& entry) { return entry.dialog == dialog && entry.control == id; });
        if (numbered == std::end(kTavrinDialogTexts))
            texts.push_back({index, id, text});
        else
            texts.push_back({index, id, texts::Load(numbered->text, language, module) + numbered->appended});
    }
    return texts;
}

class TavrinProgram : public ::testing::Test {
protected:
    UniqueModule module = text_fit::LoadProgramImage(L"Tavrin.exe");
};

TEST_F(TavrinProgram, EveryDialogTextFitsItsControl)
{
    ASSERT_TRUE(module);
    const auto dialogs = text_fit::Dialogs(module.get());
    ASSERT_FALSE(dialogs.empty());
    for (const auto& entry : kTavrinDialogTexts)
        EXPECT_NE(std::find(dialogs.begin(), dialogs.end(), entry.dialog), dialogs.end())
            << "dialog " << entry.dialog;
    for (WORD dialog : dialogs) {
        for (LANGID language : text_fit::Languages(TAVRIN_PSEUDO_LOCALE)) {
            const auto texts = TextsOf(module.get(), dialog, language);
            for (const auto& entry : kTavrinDialogTexts) {
                if (entry.dialog != dialog) continue;
                const auto found = std::find_if(texts.begin(), texts.end(),
                                                [&](const auto& t) { return t.control == entry.control; });
                EXPECT_TRUE(found != texts.end() && found->text.size() > wcslen(entry.appended))
                    << "dialog " << dialog << " control " << entry.control << " has no text in " << language;
            }
            for (const auto& misfit : text_fit::DialogMisfits(module.get(), dialog, texts))
                ADD_FAILURE() << "Tavrin.exe language " << language << " " << misfit;
        }
    }
}

// The light sensor's link is drawn in a font of its own (Tahoma 15 pixels,
// weight 500, underlined), larger than the dialog's: every translation
// wraps within the label in that font.
TEST_F(TavrinProgram, LightSensorLinkFitsItsLabelInTheLinkFont)
{
    ASSERT_TRUE(module);
    const HWND dialog = ::CreateDialogParamW(
        module.get(), MAKEINTRESOURCEW(IDD_ALS), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dialog, nullptr);
    RECT label{};
    ::GetClientRect(::GetDlgItem(dialog, IDC_ALS_LINK), &label);
    const UniqueGdiObject font(::CreateFontW(-15, 0, 0, 0, 500, FALSE, TRUE, FALSE, DEFAULT_CHARSET,
                                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                             DEFAULT_PITCH, L"Tahoma"));
    const UniqueDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(font && dc);
    const HGDIOBJ old = ::SelectObject(dc.get(), font.get());
    for (LANGID language : text_fit::Languages(TAVRIN_PSEUDO_LOCALE)) {
        const std::wstring text = texts::Load(IDS_ALS_CLICK_HERE, language, module.get());
        ASSERT_FALSE(text.empty()) << language;
        RECT needed{0, 0, label.right, 0};
        ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed,
                    DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
        EXPECT_LE(needed.bottom, label.bottom)
            << "language " << language << ": " << needed.bottom << " of " << label.bottom << " pixels";
        EXPECT_LE(needed.right, label.right) << "language " << language;
    }
    ::SelectObject(dc.get(), old);
    ::DestroyWindow(dialog);
}

TEST_F(TavrinProgram, MenuTextsStayNarrowerThanTheScreenAllows)
{
    ASSERT_TRUE(module);
    const auto menu = language_catalogue::MenuTexts(
        "tavrin", rc_table::ReadIds(TAVRIN_RESOURCES_DIR "/tavrin/TavrinStrings.h"));
    ASSERT_EQ(menu.size(), 7u);
    for (LANGID language : text_fit::Languages(TAVRIN_PSEUDO_LOCALE)) {
        for (UINT number : menu) {
            const std::wstring text = texts::Load(number, language, module.get());
            EXPECT_FALSE(text.empty()) << "language " << language << " text " << number;
            const int width = text_fit::MenuTextWidth(text);
            EXPECT_GT(width, 0);
            EXPECT_LE(width, kMaxMenuWidth)
                << "language " << language << " text " << number << " is " << width << " px";
        }
    }
}

// The measurement itself, on a dialog of this test's own resources.
TEST(TextFit, TooLongTextsAreFound)
{
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const WORD dialog = 100;
    const std::vector<text_fit::ControlText> fitting{
        {0, 101, L"Short"}, {1, 102, L"Two lines\nof text"}, {2, 103, L"OK"}};
    EXPECT_EQ(text_fit::DialogMisfits(self, dialog, fitting), std::vector<std::string>{});
    const std::vector<text_fit::ControlText> wide{{0, 101, L"A label far wider than its sixty dialog units"}};
    const auto misfits = text_fit::DialogMisfits(self, dialog, wide);
    ASSERT_EQ(misfits.size(), 1u);
    EXPECT_EQ(misfits[0].rfind("dialog 100 control 101: \"A label far wider", 0), 0u) << misfits[0];
    EXPECT_EQ(text_fit::DialogMisfits(self, dialog, {{1, 102, L"One\nTwo\nThree"}}).size(), 1u)
        << "three lines in two";
    EXPECT_EQ(text_fit::DialogMisfits(self, dialog, {{2, 103, L"Cancel the whole thing"}}).size(), 1u);
    EXPECT_EQ(text_fit::DialogMisfits(self, dialog, {{2, 999, L"x"}}),
              std::vector<std::string>{"dialog 100 control 999: no such control"});
    EXPECT_EQ(text_fit::DialogMisfits(self, 4242, fitting),
              std::vector<std::string>{"dialog 4242 cannot be created"});
}

TEST(TextFit, TemplateTextsAndMenuWidths)
{
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const auto texts = text_fit::TemplateTexts(self, 100);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, L"Label");
    EXPECT_EQ(texts[2].control, 103);
    EXPECT_EQ(text_fit::Dialogs(self), std::vector<WORD>{100});
    const int narrow = text_fit::MenuTextWidth(L"&Exit");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(text_fit::MenuTextWidth(L"&Exit and never come back"), narrow * 3);
}

} // namespace
