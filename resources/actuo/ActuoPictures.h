#pragma once
// The pictures of Actuo.exe, rendered from resources/actuo/art (pictures.txt).

#define IDI_PELLICK 128
#define IDP_HEADER 135 // 128x128
#define IDP_HEADER_ALT 136 // 128x128
#define IDI_PELLICK_ALT 138
