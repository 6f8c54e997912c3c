#include "skin/controls/LxEdit.h"
#include "skin/controls/PixelWidthLimit.h"

#include "ControlEvents.h"

#include <QFontMetrics>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// One pixel per character, two for "W".
int Width(const QString& s) { return int(s.size() + s.count(QLatin1Char('W'))); }

TEST(FittingPrefixLength, LongestPrefixWithinTheLimitNeverCuttingACharacterInHalf) {
    EXPECT_EQ(FittingPrefixLength("abc", 3, Width), 3);
    EXPECT_EQ(FittingPrefixLength("abcdef", 3, Width), 3);
    EXPECT_EQ(FittingPrefixLength("abWcd", 3, Width), 2);
    EXPECT_EQ(FittingPrefixLength("abc", 0, Width), 0);
    EXPECT_EQ(FittingPrefixLength("", 0, Width), 0);
    const QString clef = QString::fromUtf8("a\xF0\x9D\x84\x9E"
                                           "b"); // a, U+1D11E (two code units), b
    EXPECT_EQ(FittingPrefixLength(clef, 2, Width), 1);
    EXPECT_EQ(FittingPrefixLength(clef, 3, Width), 3);
    const QString combined = QString::fromUtf8("ae\xCC\x81x"); // a, e + combining acute, x
    EXPECT_EQ(FittingPrefixLength(combined, 2, Width), 1);
}

class LxEditSettings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    }
    static QVariant Stored(const QString& key) { return QSettings().value(key); }

private:
    QTemporaryDir dir_;
};

TEST_F(LxEditSettings, AutoSaveRestoresTheStoredTextAndSavesEveryChange) {
    QSettings().setValue("Software/Aerin/Url/Last", "http://radio.example.org:8000/");
    TLxEdit edit;
    int restored = 0;
    edit.OnRestored = [&](QObject* sender) {
        EXPECT_EQ(sender, &edit);
        ++restored;
    };
    edit.SetRegPath("Software\\Aerin\\Url");
    edit.SetRegValueName("Last");
    EXPECT_EQ(restored, 0); // AutoSave still off
    EXPECT_TRUE(edit.IsEmpty());
    edit.SetAutoSave(true);
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(edit.Text(), "http://radio.example.org:8000/");

    edit.SetText("udp://239.0.0.1:1234");
    EXPECT_EQ(Stored("Software/Aerin/Url/Last").toString(), "udp://239.0.0.1:1234");

    // Without a stored value nothing is restored.
    TLxEdit other;
    other.OnRestored = [&](QObject*) { ++restored; };
    other.SetText("kept");
    other.SetAutoSave(true);
    other.SetRegPath("Software/Aerin/Nothing");
    other.SetRegValueName("Here");
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(other.Text(), "kept");
}

TEST_F(LxEditSettings, OverLongTextIsCutBeforeItIsSaved) {
    TLxEdit edit;
    const QFontMetrics metrics(edit.MaxPixelFont());
    edit.SetMaxPixelLength(metrics.horizontalAdvance("abc"));
    edit.SetAutoSave(true);
    edit.SetRegPath("Software/Aerin");
    edit.SetRegValueName("Cut");
    QStringList changes;
    edit.OnChange = [&](QObject*) {
        changes << edit.Text();
        changes << Stored("Software/Aerin/Cut").toString();
    };

    edit.SetText("abcdef");
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(edit.cursorPosition(), 3);
    EXPECT_EQ(changes, QStringList({"abc", "abc"})); // the long text was neither reported nor saved

    // Writing the limit cuts the text at once; 0 lifts it.
    edit.OnChange = nullptr;
    edit.SetMaxPixelLength(0);
    edit.SetText("abcdef");
    edit.SetMaxPixelLength(metrics.horizontalAdvance("abcd"));
    EXPECT_EQ(edit.Text(), "abcd");
    edit.SetMaxPixelLength(0);
    edit.SetText("abcdefgh");
    EXPECT_EQ(edit.Text(), "abcdefgh");
}

TEST(LxEdit, AutoCtl3dShowsTheFrameOnlyWhileHovered) {
    TLxEdit edit;
    int ctl3dChanges = 0;
    edit.OnCtl3DChanged = [&](QObject*) { ++ctl3dChanges; };
    EXPECT_TRUE(edit.Ctl3D());
    edit.SetAutoCtl3d(true);
    EXPECT_FALSE(edit.Ctl3D());
    SendEnter(&edit);
    EXPECT_TRUE(edit.Ctl3D());
    SendLeave(&edit);
    EXPECT_FALSE(edit.Ctl3D());
    EXPECT_EQ(ctl3dChanges, 3);
}

} // namespace
