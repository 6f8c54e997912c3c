#include "player/binding/ApiVersion.h"

#include <gtest/gtest.h>

TEST(ApiVersion, AcceptsThreeZeroWithAnyRevision)
{
    EXPECT_TRUE(ApiVersionAccepted(0x00030000));
    EXPECT_TRUE(ApiVersionAccepted(0x00030006));
    EXPECT_TRUE(ApiVersionAccepted(0x000300FF));
    EXPECT_FALSE(ApiVersionAccepted(0x00030100));
    EXPECT_FALSE(ApiVersionAccepted(0x00040000));
    EXPECT_FALSE(ApiVersionAccepted(0x00020000));
    EXPECT_FALSE(ApiVersionAccepted(0));
}

TEST(ApiVersion, MismatchTextNamesBothVersions)
{
    EXPECT_EQ(ApiMismatchText(0x00040000), "Zelkor DLL API Mismatch\nExpected 3,0\nGot 4,0");
    EXPECT_EQ(ApiMismatchText(0x00030A07), "Zelkor DLL API Mismatch\nExpected 3,0\nGot 3,10");
}
