#include "desktop/DesktopEntry.h"
#include "desktop/LxAssociateExtension.h"
#include "desktop/MimeAppsList.h"
#include "tests/desktop/QtPrinters.h"
#include "tests/desktop/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
    return QString::fromUtf8(file.readAll());
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Points the XDG folders and PATH into a temporary folder for one test.
class Association : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        environment_.Set("XDG_DATA_HOME", QFile::encodeName(home_.filePath("data")));
        environment_.Set("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath("config")));
    }

    QString EntryPath() const { return home_.filePath("data/applications/Tessaly-Aerin.desktop"); }
    QString ListPath() const { return home_.filePath("config/mimeapps.list"); }

    void AssociateAll(const QString& program) {
        for (const char* extension : {"MP3", "MP1", "MP2", "M3U"})
            associate_.Associate("", "Tessaly Aerin", extension, program);
    }

    QTemporaryDir home_;
    ScopedEnvironment environment_;
    TLxAssociateExtension associate_;
};

} // namespace

TEST(DesktopEntry, QuotesProgramPathsAsTheEntryFormatRequires) {
    EXPECT_EQ(DesktopEntry::ExecLine("/usr/bin/taerin"), "\"/usr/bin/taerin\" %f");
    EXPECT_EQ(DesktopEntry::ExecLine("/opt/my player/taerin"), "\"/opt/my player/taerin\" %f");
    // a quote becomes \" inside the argument, and the backslash is doubled by value escaping
    EXPECT_EQ(DesktopEntry::ExecLine("/a\"b/$x`y\\z%p"), "\"/a\\\\\"b/\\\\$x\\\\`y\\\\\\\\z%%p\" %f");
    EXPECT_THROW(DesktopEntry::ExecLine("taerin"), std::runtime_error);
    EXPECT_THROW(DesktopEntry::ExecLine("/bin/x\ny"), std::runtime_error);

    EXPECT_EQ(DesktopEntry::FileIdOf("Tessaly Aerin"), "Tessaly-Aerin.desktop");
    EXPECT_EQ(DesktopEntry::FileIdOf("a/b.c"), "a-b-c.desktop");
    EXPECT_EQ(DesktopEntry::FileIdOf("  "), "");
    EXPECT_EQ(DesktopEntry::MimeTypesOfExtension("mp1"), QStringList{"audio/mpeg"});
    EXPECT_EQ(DesktopEntry::MimeTypesOfExtension("mp2"), (QStringList{"audio/mp2", "audio/x-mp2"}));
    EXPECT_EQ(DesktopEntry::MimeTypesOfExtension("M3U").first(), "audio/x-mpegurl");
    EXPECT_TRUE(DesktopEntry::MimeTypesOfExtension("OGG").isEmpty());
}

TEST(MimeAppsList, SetsTheDefaultAndKeepsEveryOtherLine) {
    const QString before = "# my settings\n"
                           "[Added Associations]\n"
                           "audio/mpeg=vlc.desktop;\n"
                           "\n"
                           "[Default Applications]\n"
                           "text/plain=gedit.desktop\n"
                           "audio/mpeg = vlc.desktop;\n"
                           "not a key line\n"
                           "\n"
                           "[Removed Associations]\n"
                           "image/png=gimp.desktop;\n"
                           "[Default Applications]\n"
                           "audio/mpeg=other.desktop\n";
    const QString after = MimeAppsList::WithDefault(before, "audio/mpeg", "T.desktop");
    EXPECT_EQ(after, "# my settings\n"
                     "[Added Associations]\n"
                     "audio/mpeg=vlc.desktop;\n"
                     "\n"
                     "[Default Applications]\n"
                     "text/plain=gedit.desktop\n"
                     "audio/mpeg=T.desktop\n"
                     "not a key line\n"
                     "\n"
                     "[Removed Associations]\n"
                     "image/png=gimp.desktop;\n"
                     "[Default Applications]\n");
    EXPECT_EQ(MimeAppsList::WithDefault(after, "audio/mpeg", "T.desktop"), after);

    const QString added = MimeAppsList::WithDefault(after, "audio/x-mpegurl", "T.desktop");
    EXPECT_TRUE(added.contains("audio/mpeg=T.desktop\nnot a key line\naudio/x-mpegurl=T.desktop\n\n[Removed"));

    EXPECT_EQ(MimeAppsList::WithDefault("", "audio/mpeg", "T.desktop"),
              "[Default Applications]\naudio/mpeg=T.desktop\n");
    EXPECT_EQ(MimeAppsList::WithDefault("[Added Associations]\nx/y=z;", "audio/mpeg", "T.desktop"),
              "[Added Associations]\nx/y=z;\n\n[Default Applications]\naudio/mpeg=T.desktop\n");
}

TEST_F(Association, WritesTheEntryAndTheDefaultsIdempotentlyAndAnIconOnlyWhenGiven) {
    WriteBytes(ListPath(), "[Default Applications]\ntext/plain=gedit.desktop\naudio/mpeg=vlc.desktop\n");
    AssociateAll("/opt/my player/taerin");
    const QStringList types{"audio/mpeg",    "audio/x-mp3",     "audio/x-mpg",          "audio/x-mpeg",
                            "audio/mp3",     "audio/mp2",       "audio/x-mp2",          "audio/x-mpegurl",
                            "audio/mpegurl", "application/m3u", "audio/x-mp3-playlist", "audio/m3u",
                            "audio/x-m3u"};
    const QString entry = ReadText(EntryPath());
    const QString list = ReadText(ListPath());
    EXPECT_EQ(entry, "[Desktop Entry]\nType=Application\nName=Tessaly Aerin\n"
                     "Exec=\"/opt/my player/taerin\" %f\nMimeType=" +
                         types.join(';') + ";\nTerminal=false\n");
    QString expectedList = "[Default Applications]\ntext/plain=gedit.desktop\n";
    for (const QString& type : types) expectedList += type + "=Tessaly-Aerin.desktop\n";
    EXPECT_EQ(list, expectedList) << "the database's aliases too (.mp2 files are audio/mp2)";

    AssociateAll("/opt/my player/taerin");
    EXPECT_EQ(ReadText(EntryPath()), entry);
    EXPECT_EQ(ReadText(ListPath()), list);
    EXPECT_EQ(QDir(home_.filePath("data/applications")).entryList(QDir::Files), QStringList{"Tessaly-Aerin.desktop"});

    associate_.Associate("/usr/share/icons/taerin.png", "Tessaly Aerin", "MP3", "/usr/bin/taerin");
    EXPECT_TRUE(ReadText(EntryPath()).contains("\nIcon=/usr/share/icons/taerin.png\n"));
    associate_.Associate("", "Tessaly Aerin", "MP3", "/usr/bin/taerin");
    EXPECT_FALSE(ReadText(EntryPath()).contains("Icon="));
}

TEST_F(Association, BadInputFailsBeforeWritingAnything) {
    EXPECT_THROW(associate_.Associate("", "Tessaly Aerin", "OGG", "/usr/bin/taerin"), std::runtime_error);
    EXPECT_THROW(associate_.Associate("", "Tessaly Aerin", "MP3", "relative/taerin"), std::runtime_error);
    EXPECT_THROW(associate_.Associate("", "", "MP3", "/usr/bin/taerin"), std::runtime_error);
    EXPECT_FALSE(QFile::exists(EntryPath()));
    EXPECT_FALSE(QFile::exists(ListPath()));

    const QByteArray binary("[Default Applications]\n\xFF\xFE\0junk", 28);
    WriteBytes(ListPath(), binary);
    try {
        associate_.Associate("", "Tessaly Aerin", "MP3", "/usr/bin/taerin");
        FAIL() << "a binary mimeapps.list was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString(error.what()).contains("mimeapps.list"));
    }
    QFile list(ListPath());
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), binary);
    EXPECT_FALSE(QFile::exists(EntryPath()));

    // A file where the config folder should be cannot be replaced by a folder.
    QFile::remove(ListPath());
    QDir(home_.filePath("config")).removeRecursively();
    WriteBytes(home_.filePath("config"), "not a folder");
    EXPECT_THROW(associate_.Associate("", "Tessaly Aerin", "MP3", "/usr/bin/taerin"), std::runtime_error);
}

TEST_F(Association, RefreshesTheDesktopDatabaseWhenTheToolExists) {
    const QString bin = home_.filePath("bin");
    QDir().mkpath(bin);
    const QString tool = bin + "/update-desktop-database";
    WriteBytes(tool, "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/called\"\n");
    QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment_.Set("PATH", QFile::encodeName(bin) + ":" + qgetenv("PATH"));

    associate_.Associate("", "Tessaly Aerin", "MP3", "/usr/bin/taerin");
    EXPECT_EQ(ReadText(bin + "/called").trimmed(), home_.filePath("data/applications"));
}
