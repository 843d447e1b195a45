// Language-specific picture ids: some skin images exist once per UI language,
// at the base id plus an offset.
#pragma once

#include <windows.h>

// Offset added to a base image id for a UI language (0 for most languages).
UINT LanImageOffset(LANGID uiLanguage);

// The image id for the user's default UI language.
UINT GetLanImageId(UINT baseId);
