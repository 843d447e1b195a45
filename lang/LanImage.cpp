#include "lang/LanImage.h"

UINT LanImageOffset(LANGID uiLanguage)
{
    switch (uiLanguage) {
    case 1028: return 9; // Chinese (Traditional, Taiwan)
    case 1031: return 8; // German
    case 1036: return 4; // French
    case 1040: return 3; // Italian
    case 1041: return 5; // Japanese
    default: return 0;
    }
}

UINT GetLanImageId(UINT baseId)
{
    return baseId + LanImageOffset(::GetUserDefaultUILanguage());
}
