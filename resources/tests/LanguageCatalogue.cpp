#include "LanguageCatalogue.h"

#include <map>

namespace language_catalogue {

const std::vector<LanguageFile>& Translations()
{
    static const std::vector<LanguageFile> kFiles = {
        {1028, "chinese-traditional.rc", "LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL", L"CHT"},
        {1029, "czech.rc", "LANG_CZECH, SUBLANG_DEFAULT", L"CZH"},
        {1030, "danish.rc", "LANG_DANISH, SUBLANG_DEFAULT", L"DNS"},
        {1031, "german.rc", "LANG_GERMAN, SUBLANG_GERMAN", L"GER"},
        {1032, "greek.rc", "LANG_GREEK, SUBLANG_DEFAULT", L"GRK"},
        {1035, "finnish.rc", "LANG_FINNISH, SUBLANG_DEFAULT", L"FNS"},
        {1036, "french.rc", "LANG_FRENCH, SUBLANG_FRENCH", L"FRN"},
        {1037, "hebrew.rc", "LANG_HEBREW, SUBLANG_DEFAULT", L"HBR"},
        {1038, "hungarian.rc", "LANG_HUNGARIAN, SUBLANG_DEFAULT", L"HNG"},
        {1040, "italian.rc", "LANG_ITALIAN, SUBLANG_ITALIAN", L"ITA"},
        {1041, "japanese.rc", "LANG_JAPANESE, SUBLANG_DEFAULT", L"JPN"},
        {1042, "korean.rc", "LANG_KOREAN, SUBLANG_KOREAN", L"KOR"},
        {1043, "dutch.rc", "LANG_DUTCH, SUBLANG_NEUTRAL", L"DTC"},
        {1044, "norwegian.rc", "LANG_NORWEGIAN, SUBLANG_NEUTRAL", L"NRW"},
        {1045, "polish.rc", "LANG_POLISH, SUBLANG_DEFAULT", L"PLS"},
        {1046, "portuguese-brazil.rc", "LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN", L"BRP"},
        {1048, "romanian.rc", "LANG_ROMANIAN, SUBLANG_DEFAULT", L"RMN"},
        {1049, "russian.rc", "LANG_RUSSIAN, SUBLANG_DEFAULT", L"RSN"},
        {1050, "croatian.rc", "LANG_CROATIAN, SUBLANG_DEFAULT", L"CRT"},
        {1051, "slovak.rc", "LANG_SLOVAK, SUBLANG_DEFAULT", L"SLK"},
        {1053, "swedish.rc", "LANG_SWEDISH, SUBLANG_SWEDISH", L"SWD"},
        {1055, "turkish.rc", "LANG_TURKISH, SUBLANG_DEFAULT", L"TRK"},
        {1060, "slovenian.rc", "LANG_SLOVENIAN, SUBLANG_DEFAULT", L"SLV"},
        {2052, "chinese-simplified.rc", "LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED", L"CHS"},
        {2070, "portuguese-portugal.rc", "LANG_PORTUGUESE, SUBLANG_PORTUGUESE", L"PRP"},
        {3082, "spanish.rc", "LANG_SPANISH, SUBLANG_SPANISH_MODERN", L"SPN"},
        {14337, "arabic.rc", "LANG_ARABIC, SUBLANG_ARABIC_UAE", L"UAE"},
    };
    return kFiles;
}

const std::vector<Program>& Programs()
{
    static const std::vector<Program> kPrograms = {
        {"tavrin", L"TavrinTexts"}, {"battery", L"BatteryTexts"}, {"aerolo", L"AeroloTexts"},
        {"actuo", L"ActuoTexts"},   {"tessel", L"TesselTexts"},
    };
    return kPrograms;
}

std::string LanguageStatement(const std::string& program, const LanguageFile& language)
{
    if (language.id == 1040 && (program == "actuo" || program == "tessel"))
        return "LANG_ITALIAN, SUBLANG_NEUTRAL";
    return language.language;
}

LANGID StoredId(const std::string& program, const LanguageFile& language)
{
    const bool neutral = LanguageStatement(program, language).find("SUBLANG_NEUTRAL") != std::string::npos;
    return neutral ? MAKELANGID(PRIMARYLANGID(language.id), SUBLANG_NEUTRAL) : language.id;
}

const std::vector<Group>& Groups(const std::string& program)
{
    static const std::map<std::string, std::vector<Group>> kGroups = {
        {"tavrin",
         {
             {{"the context menu", {"IDS_MENU_OPEN", "IDS_MENU_ABOUT", "IDS_MENU_EXIT"}}, true},
             {{"the hotkey menu", {"IDS_MENU_HOTKEY_POPUPS"}}, true},
             {{"the hotkey submenu",
               {"IDS_MENU_DISABLE_BRIGHTNESS_OSD", "IDS_MENU_DISABLE_VOLUME_OSD",
                "IDS_MENU_DISABLE_RADIO_OSD"}},
              true},
             {{"the question boxes",
               {"IDS_YES", "IDS_NO", "IDS_DONT_SHOW_AGAIN", "IDS_DO_NOT_DISPLAY_AGAIN"}},
              false},
         }},
        {"battery",
         {
             {{"the health page",
               {"IDS_ORDER_BATTERY_ONLINE", "IDS_ORDER_ONLINE", "IDS_DO_NOT_REMIND", "IDS_CLOSE"}},
              false},
         }},
        {"aerolo",
         {
             {{"the main dialog",
               {"IDS_ENABLE_LOCATOR", "IDS_SEARCH_ANY", "IDS_SEARCH_PREFERRED", "IDS_SELECT_PREFERRED_BUTTON",
                "IDS_ADVANCED_SETTINGS", "IDS_OK", "IDS_CANCEL"}},
              false},
             {{"the radio page", {"IDS_WIFI", "IDS_WPAN", "IDS_MOBILE_BROADBAND", "IDS_ALL_RADIOS"}}, false},
             {{"the criteria page",
               {"IDS_SEARCH_WEAK_OR_STRONG", "IDS_SEARCH_STRONG_ONLY", "IDS_BANDS_BGN", "IDS_BANDS_AN",
                "IDS_BANDS_ABGN"}},
              false},
             {{"the preferred-networks dialog", {"IDS_OK", "IDS_CANCEL"}}, false},
         }},
        {"actuo",
         {
             {{"the manager dialog", {"IDS_BROWSE", "IDS_ADVANCED_SETTINGS", "IDS_OK", "IDS_CANCEL"}}, false},
         }},
        {"tessel",
         {
             {{"the keyboard-light tile", {"IDS_BACKLIGHT_BRIGHT", "IDS_BACKLIGHT_DIM", "IDS_OFF"}}, false},
             {{"the Bluetooth tile", {"IDS_TURN_ON", "IDS_TURN_OFF"}}, false},
         }},
    };
    static const std::vector<Group> kNone;
    const auto found = kGroups.find(program);
    return found == kGroups.end() ? kNone : found->second;
}

std::vector<table_checks::TextGroup> TextGroups(const std::string& program)
{
    std::vector<table_checks::TextGroup> groups;
    for (const auto& group : Groups(program)) groups.push_back(group.texts);
    return groups;
}

std::vector<unsigned> MenuTexts(const std::string& program, const std::map<std::string, unsigned>& ids)
{
    std::vector<unsigned> numbers;
    for (const auto& group : Groups(program)) {
        if (!group.menu) continue;
        for (const char* id : group.texts.ids) {
            const auto found = ids.find(id);
            if (found != ids.end()) numbers.push_back(found->second);
        }
    }
    return numbers;
}

} // namespace language_catalogue
