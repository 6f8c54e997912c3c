#include "skin/loader/SkinFonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(SkinFontFitting, ShrinksUntilTheSampleFitsTheLabel) {
    // 8 points measure 11 pixels, each point less one pixel less.
    const auto height = [](int size) { return size + 3; };
    EXPECT_EQ(FitSkinFontSize(8, 7, height), 4);
    EXPECT_EQ(FitSkinFontSize(8, 11, height), 8);
    EXPECT_EQ(FitSkinFontSize(8, 0, height), 8); // height 0 keeps the size
    EXPECT_EQ(FitSkinFontSize(8, 2, height), 1); // nothing fits: smallest size
    EXPECT_EQ(FitSkinFontSize(-4, 0, height), 1);
    EXPECT_EQ(FitSkinFontSize(100000, 0, height), kMaxSkinFontSize);
}

TEST(SkinFonts, MissingFacesAreMappedToInstalledFreeFonts) {
    SubstituteMissingSkinFont("Lingonvecka");
    SubstituteMissingSkinFont("Arial");
    for (const char* name : {"Lingonvecka", "Arial"}) {
        if (QFontDatabase::hasFamily(name)) continue;
        const QStringList substitutes = QFont::substitutes(name);
        ASSERT_FALSE(substitutes.isEmpty()) << name;
        EXPECT_TRUE(QFontDatabase::hasFamily(substitutes.front())) << name;
    }
    EXPECT_GT(SkinFontSampleHeight("Arial", 16), SkinFontSampleHeight("Arial", 7));
}

} // namespace
