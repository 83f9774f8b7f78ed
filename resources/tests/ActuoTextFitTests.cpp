// Actuo.exe's dialog in every language and the pseudo-language, with every
// function the list may offer, measured as Windows draws them.
#include "ActuoDialogTexts.h"
#include "PellickFunctions.h"
#include "TextFit.h"
#include "TextLoader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ActuoProgram : public ::testing::Test {
protected:
    // The dialog's controls with the numbered texts in one language.
    std::vector<text_fit::ControlText> DialogTexts(LANGID language) const
    {
        std::vector<text_fit::ControlText> texts;
        for (const auto& [index, id, text] : text_fit::TemplateTexts(module.get(), IDD_PELLICK)) {
            const auto numbered = std::find_if(std::begin(kActuoDialogTexts), std::end(kActuoDialogTexts),
                                               [&](const auto& entry) { return entry.control == id; });
            texts.push_back({index, id,
                             numbered == std::end(kActuoDialogTexts)
                                 ? text
                                 : texts::Load(numbered->text, language, module.get())});
        }
        return texts;
    }

    UniqueModule module = text_fit::LoadProgramImage(L"Actuo.exe");
};

TEST_F(ActuoProgram, EveryDialogTextAndEveryFunctionFitsItsControl)
{
    ASSERT_TRUE(module);
    ASSERT_EQ(text_fit::Dialogs(module.get()), std::vector<WORD>{IDD_PELLICK});
    for (LANGID language : text_fit::Languages(TAVRIN_PSEUDO_LOCALE)) {
        auto texts = DialogTexts(language);
        for (const auto& entry : kActuoDialogTexts)
            EXPECT_TRUE(
                std::any_of(texts.begin(), texts.end(),
                            [&](const auto& t) { return t.control == entry.control && !t.text.empty(); }))
                << "control " << entry.control << " has no text in " << language;
        const auto list = std::find_if(texts.begin(), texts.end(),
                                       [](const auto& t) { return t.control == IDC_FUNCTIONS; });
        ASSERT_NE(list, texts.end());
        const int listIndex = list->index;
        // Every function the list may offer, in the list's own width.
        for (uint32_t function = 0; function < pellick::kFunctionCount; ++function)
            texts.push_back(
                {listIndex, IDC_FUNCTIONS, texts::Load(pellick::LabelId(function), language, module.get())});
        for (const auto& misfit : text_fit::DialogMisfits(module.get(), IDD_PELLICK, texts))
            ADD_FAILURE() << "Actuo.exe language " << language << " " << misfit;
    }
}

} // namespace
