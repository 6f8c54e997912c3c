#include "zelkor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ErrorStrings, EveryCodeOfTheTableHasItsText) {
    EXPECT_STREQ(zelkor_error_string(-100), "out of memory");
    EXPECT_STREQ(zelkor_error_string(-103), "timeout");
    EXPECT_STREQ(zelkor_error_string(-214), "ftp error");
    EXPECT_STREQ(zelkor_error_string(-308), "post failed");
    EXPECT_STREQ(zelkor_error_string(-401), "invalid url syntax");
    EXPECT_STREQ(zelkor_error_string(-505), "no such device");
    EXPECT_STREQ(zelkor_error_string(-511), "no such device");
    EXPECT_STREQ(zelkor_error_string(-513), "input end");
    EXPECT_STREQ(zelkor_error_string(-600), "invalid frame");
    EXPECT_STREQ(zelkor_error_string(-701), "symbol not found");
    EXPECT_STREQ(zelkor_error_string(-800), "no such environment variable");
    EXPECT_STREQ(zelkor_error_string(-801), "invalid environment variable type");
}

TEST(ErrorStrings, GapsWithinAHundredAreEmptyOthersUnknown) {
    EXPECT_STREQ(zelkor_error_string(-599), "");
    EXPECT_STREQ(zelkor_error_string(-104), "");
    EXPECT_STREQ(zelkor_error_string(-514), "");
    EXPECT_STREQ(zelkor_error_string(-899), "");
    EXPECT_STREQ(zelkor_error_string(5), "");
    EXPECT_STREQ(zelkor_error_string(0), "");
    EXPECT_STREQ(zelkor_error_string(-900), "unknown error");
    EXPECT_STREQ(zelkor_error_string(-50), "unknown error");
    EXPECT_STREQ(zelkor_error_string(-1), "unknown error");
    EXPECT_STREQ(zelkor_error_string(INT32_MIN), "unknown error");
}

TEST(Versions, ApiWordsAndDecoderVersion) {
    EXPECT_EQ(zelkor_get_api_version(2), 0x00030006u);
    EXPECT_EQ(zelkor_get_api_version(1), 0x00030003u);
    EXPECT_EQ(zelkor_get_api_version(0), 0u);
    EXPECT_EQ(zelkor_get_api_version(3), 0u);
    EXPECT_EQ(ZK_VERSION_MAJOR(zelkor_get_api_version(2)), 3u);
    EXPECT_EQ(ZK_VERSION_MINOR(zelkor_get_api_version(2)), 0u);
    EXPECT_EQ(ZK_VERSION_REVISION(zelkor_get_api_version(2)), 6u);

    const char *major = nullptr, *minor = nullptr, *release = nullptr;
    EXPECT_STREQ(decoder_version(&major, &minor, &release), "1.2.0");
    EXPECT_STREQ(major, "1");
    EXPECT_STREQ(minor, "2");
    EXPECT_STREQ(release, "0");
    EXPECT_STREQ(decoder_version(nullptr, nullptr, nullptr), "1.2.0");
}

} // namespace
