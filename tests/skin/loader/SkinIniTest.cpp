#include "skin/loader/SkinIni.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinIni, SectionsAndKeysIgnoreCaseTheFirstKeyWinsAndAMissingFileIsEmpty) {
    const TSkinIni ini = TSkinIni::FromText("; comment\n[Main]\r\nPlayLeft = 12\nplayleft=99\n"
                                            "font=\"Arial\"\n[other]\nplayleft=5\n");
    EXPECT_EQ(ini.ReadInteger("main", "playleft", 0), 12);
    EXPECT_EQ(ini.ReadInteger("MAIN", "PLAYLEFT", 0), 12);
    EXPECT_EQ(ini.ReadString("main", "font", "x"), "Arial");
    EXPECT_EQ(ini.ReadInteger("other", "playleft", 0), 5);
    EXPECT_EQ(ini.ReadInteger("main", "playtop", 7), 7);
    EXPECT_EQ(TSkinIni::FromFile("/nonexistent/main.ini").ReadString("main", "font", "arial"), "arial");
}

TEST(SkinIni, IntegersAreDecimalOrHexadecimalAndOtherValuesGiveTheDefault) {
    EXPECT_EQ(TSkinIni::ParseInteger("0x20"), 32);
    EXPECT_EQ(TSkinIni::ParseInteger("$20"), 32);
    EXPECT_EQ(TSkinIni::ParseInteger(" -16777201 "), -16777201);
    EXPECT_EQ(TSkinIni::ParseInteger("5719040"), 5719040);
    EXPECT_EQ(TSkinIni::ParseInteger("2147483663"), std::int32_t(0x8000000F));
    EXPECT_EQ(TSkinIni::ParseInteger("$FFFFFFFF"), -1);
    for (const char* bad : {"", "abc", "12abc", "0x", "$", "4294967296", "-2147483649", "--1", "1 2"})
        EXPECT_EQ(TSkinIni::ParseInteger(bad), std::nullopt) << bad;
    const TSkinIni ini = TSkinIni::FromText("[main]\nplayleft=left\nvolbarvertical=2\n");
    EXPECT_EQ(ini.ReadInteger("main", "playleft", 3), 3);
    EXPECT_TRUE(ini.ReadBool("main", "volbarvertical", false));
}

} // namespace
