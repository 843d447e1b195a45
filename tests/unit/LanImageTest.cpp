#include "lang/LanImage.h"

#include <gtest/gtest.h>

TEST(LanImageTest, OffsetsByUiLanguage)
{
    struct Case {
        LANGID language;
        UINT offset;
    } cases[] = {{1028, 9}, {1031, 8}, {1036, 4}, {1040, 3}, {1041, 5}, {1033, 0}, {2052, 0}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(LanImageOffset(c.language), c.offset) << "language " << c.language;
    EXPECT_EQ(323 + LanImageOffset(1041), 328u);
}

TEST(LanImageTest, FollowsTheUsersUiLanguage)
{
    EXPECT_EQ(GetLanImageId(323), 323 + LanImageOffset(::GetUserDefaultUILanguage()));
}
