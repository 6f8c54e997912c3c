#include "zelkor.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorStrings, TextsGapsAndUnknownCodes) {
    EXPECT_STREQ(zelkor_error_string(-100), "out of memory");
    EXPECT_STREQ(zelkor_error_string(-505), "no such device");
    EXPECT_STREQ(zelkor_error_string(-511), "no such device");
    EXPECT_STREQ(zelkor_error_string(-600), "invalid frame");
    EXPECT_STREQ(zelkor_error_string(-801), "invalid environment variable type");
    // Gaps within a hundred of the table are empty; the rest is unknown.
    for (int32_t gap : {-599, -104, -514, -899, 5, 0}) EXPECT_STREQ(zelkor_error_string(gap), "") << gap;
    for (int32_t unknown : {-900, -50, -1, INT32_MIN}) EXPECT_STREQ(zelkor_error_string(unknown), "unknown error");
}

TEST(Versions, ApiWordsAndDecoderVersion) {
    EXPECT_EQ(zelkor_get_api_version(1), 0x00030003u);
    EXPECT_EQ(zelkor_get_api_version(0), 0u);
    EXPECT_EQ(zelkor_get_api_version(3), 0u);
    EXPECT_EQ(ZK_VERSION_REVISION(zelkor_get_api_version(2)), 6u);
    const char *major = nullptr, *minor = nullptr, *release = nullptr;
    EXPECT_STREQ(decoder_version(&major, &minor, &release), "1.2.0");
    EXPECT_STREQ(major, "1");
    EXPECT_STREQ(minor, "2");
    EXPECT_STREQ(release, "0");
}

} // namespace
