#include "player/binding/ApiVersion.h"

#include <gtest/gtest.h>

TEST(ApiVersion, AcceptsThreeZeroWithAnyRevisionAndNamesBothVersionsOtherwise) {
    for (uint32_t version : {0x00030000u, 0x00030006u, 0x000300FFu})
        EXPECT_TRUE(ApiVersionAccepted(version)) << version;
    for (uint32_t version : {0x00030100u, 0x00040000u, 0x00020000u, 0u})
        EXPECT_FALSE(ApiVersionAccepted(version)) << version;
    EXPECT_EQ(ApiMismatchText(0x00040000), "Zelkor DLL API Mismatch\nExpected 3,0\nGot 4,0");
    EXPECT_EQ(ApiMismatchText(0x00030A07), "Zelkor DLL API Mismatch\nExpected 3,0\nGot 3,10");
}
