// Battery.exe's pages and its information dialog in every language and the
// pseudo-language, each control with the longest text it can show, measured
// as Windows draws them.
#include "MeterDialogTexts.h"
#include "MeterDisplay.h"
#include "TextFit.h"
#include "TextLoader.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

class MeterProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LINK_CLASS};
        ::InitCommonControlsEx(&controls);
    }

    // A dialog's controls with the numbered texts of one language, and in
    // each status and charge-time control every text it may show.
    std::vector<text_fit::ControlText> DialogTexts(WORD dialog, LANGID language) const
    {
        std::vector<text_fit::ControlText> texts;
        for (const auto& [index, id, text] : text_fit::TemplateTexts(module.get(), dialog)) {
            const auto numbered = std::find_if(
                std::begin(kMeterDialogTexts), std::end(kMeterDialogTexts),
                [&](const auto& entry) { return entry.dialog == dialog && entry.control == id; });
            const bool isNumbered = numbered != std::end(kMeterDialogTexts);
            texts.push_back({index, id, isNumbered ? Text(numbered->text, language) : text});
            const WORD offset = static_cast<WORD>(id % 10);
            if (id < IDC_PRIMARY_BLOCK || id >= IDC_TOTAL_GROUP) continue;
            if (offset == IDC_BLOCK_STATUS)
                for (UINT status : kMeterStatusTexts) texts.push_back({index, id, Text(status, language)});
            if (offset == IDC_BLOCK_TIME)
                texts.push_back({index, id,
                                 meter_display::MinutesText(240, Text(IDS_MINUTE, language),
                                                            Text(IDS_MINUTES, language))});
            if (offset == IDC_BLOCK_PERCENT) texts.push_back({index, id, meter_display::PercentText(100)});
        }
        return texts;
    }

    std::wstring Text(UINT id, LANGID language) const { return texts::Load(id, language, module.get()); }

    UniqueModule module = text_fit::LoadProgramImage(L"Battery.exe");
};

TEST_F(MeterProgram, EveryPageTextFitsItsControlInEveryLanguage)
{
    ASSERT_TRUE(module);
    std::set<WORD> dialogs;
    for (const auto& entry : kMeterDialogTexts) dialogs.insert(entry.dialog);
    auto present = text_fit::Dialogs(module.get());
    std::sort(present.begin(), present.end());
    ASSERT_EQ(present, std::vector<WORD>(dialogs.begin(), dialogs.end())) << "a template without its texts";
    for (LANGID language : text_fit::Languages(TAVRIN_PSEUDO_LOCALE)) {
        for (WORD dialog : dialogs) {
            const auto texts = DialogTexts(dialog, language);
            for (const auto& entry : kMeterDialogTexts) {
                if (entry.dialog != dialog) continue;
                EXPECT_TRUE(
                    std::any_of(texts.begin(), texts.end(),
                                [&](const auto& t) { return t.control == entry.control && !t.text.empty(); }))
                    << "dialog " << dialog << " control " << entry.control << " has no text in " << language;
            }
            for (const auto& misfit : text_fit::DialogMisfits(module.get(), dialog, texts))
                ADD_FAILURE() << "Battery.exe language " << language << " " << misfit;
        }
    }
}

} // namespace
