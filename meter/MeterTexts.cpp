#include "MeterTexts.h"

#include "TextLoader.h"

namespace meter_texts {

namespace {
LANGID g_language = 1033;
} // namespace

void SetLanguage(LANGID language)
{
    g_language = language;
}

LANGID Language()
{
    return g_language;
}

std::wstring Text(UINT id)
{
    return id == 0 ? std::wstring() : texts::Load(id, g_language);
}

} // namespace meter_texts
