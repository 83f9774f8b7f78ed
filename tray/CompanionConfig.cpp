#include "CompanionConfig.h"

#include <tinyxml2.h>

#include <algorithm>

namespace companion_config {

bool IsPlausible(std::string_view xml)
{
    return xml.size() <= kMaxBytes
           && static_cast<std::size_t>(std::count(xml.begin(), xml.end(), '<')) <= 2 * kMaxElements
           && static_cast<std::size_t>(std::count(xml.begin(), xml.end(), '=')) <= kMaxAttributes;
}

std::string NameOf(std::string_view xml)
{
    if (!IsPlausible(xml)) return {};
    tinyxml2::XMLDocument document;
    if (document.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) return {};
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root || std::string_view(root->Name()) != "TvrConfig") return {};
    if (!root->FirstChildElement("Version")) return {};
    std::string name;
    for (auto* trayApp = root->FirstChildElement("TrayApp"); trayApp;
         trayApp = trayApp->NextSiblingElement("TrayApp")) {
        for (auto* child = trayApp->FirstChildElement("Name"); child;
             child = child->NextSiblingElement("Name")) {
            const char* text = child->GetText();
            name = text ? text : "";
        }
    }
    return name;
}

} // namespace companion_config
