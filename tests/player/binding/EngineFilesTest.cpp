// The private directory and the library files written into it.
#include "player/binding/EngineFiles.h"

#include "player/binding/BindingTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString WriteSource(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(EngineFiles, WritesBothLibrariesIntoAPrivateDirectoryAndRemovesThem) {
    QTemporaryDir sources;
    QTemporaryDir runtime;
    ScopedEnvironment xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString decoder = WriteSource(sources, "engine", "ELF engine");
    const QString plugin = WriteSource(sources, "plugin", "ELF plugin");
    QString directory;
    {
        TEngineFiles files({decoder, plugin});
        directory = files.Directory();
        EXPECT_EQ(QFileInfo(directory).absolutePath(), runtime.path());
        EXPECT_TRUE(QFileInfo(directory).fileName().startsWith("taerin-"));
        struct stat status {};
        ASSERT_EQ(stat(QFile::encodeName(directory).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u);
        EXPECT_EQ(files.DecoderFile(), directory + "/libzelkor.so");
        EXPECT_EQ(files.OutputPluginFile(), directory + "/libzk_dsound_output.so");
        EXPECT_EQ(Contents(files.DecoderFile()), "ELF engine");
        EXPECT_EQ(Contents(files.OutputPluginFile()), "ELF plugin");
        TEngineFiles second({decoder, {}});
        EXPECT_NE(second.Directory(), directory);
    }
    EXPECT_FALSE(QFileInfo::exists(directory));
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
}

TEST(EngineFiles, UsesTheTemporaryDirectoryWithoutARuntimeDirectory) {
    QTemporaryDir sources;
    const QString decoder = WriteSource(sources, "engine", "x");
    for (const char* value : {"", "/nonexistent/runtime", static_cast<const char*>(nullptr)}) {
        std::optional<ScopedEnvironment> xdg;
        value ? xdg.emplace("XDG_RUNTIME_DIR", value) : xdg.emplace("XDG_RUNTIME_DIR");
        TEngineFiles files({decoder, {}});
        EXPECT_EQ(QFileInfo(files.Directory()).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath())
            << (value ? value : "unset");
    }
}

TEST(EngineFiles, AMissingSourceIsNotWrittenAndAnUnreadableOneFailsLeavingNothing) {
    QTemporaryDir runtime;
    ScopedEnvironment xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    {
        TEngineFiles files({runtime.filePath("absent"), {}});
        EXPECT_TRUE(files.DecoderFile().isEmpty());
        EXPECT_TRUE(files.OutputPluginFile().isEmpty());
        EXPECT_TRUE(DirectoryEntries(files.Directory()).isEmpty());
    }
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());

    QTemporaryDir sources;
    const QString decoder = WriteSource(sources, "engine", "x");
    // A directory exists but cannot be read as a file.
    EXPECT_THROW(TEngineFiles({decoder, sources.path()}), std::runtime_error);
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
}

namespace {

pid_t DeadProcessId() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

QString MakeFolder(const QTemporaryDir& parent, const QString& name, mode_t mode, const QStringList& files) {
    const QString path = parent.filePath(name);
    EXPECT_EQ(mkdir(QFile::encodeName(path).constData(), mode), 0);
    chmod(QFile::encodeName(path).constData(), mode);
    for (const QString& file : files) {
        QFile made(path + '/' + file);
        EXPECT_TRUE(made.open(QIODevice::WriteOnly));
    }
    return path;
}

} // namespace

TEST(EngineFiles, RemovesOnlyTheFoldersItsOwnDeadProcessesLeft) {
    QTemporaryDir runtime;
    const QString dead = QString::number(DeadProcessId());
    const QString live = QString::number(getppid());
    const QStringList libraries{"libzelkor.so", "libzk_dsound_output.so"};
    const QString crashed = MakeFolder(runtime, "taerin-" + dead + "-aB3xY9", 0700, libraries);
    const QString empty = MakeFolder(runtime, "taerin-" + dead + "-Qwerty", 0700, {});
    const QStringList kept{
        MakeFolder(runtime, "taerin-" + live + "-aB3xY9", 0700, libraries),     // still running
        MakeFolder(runtime, "taerin-" + dead + "-zz", 0700, libraries),         // not our name
        MakeFolder(runtime, "taerin-XXAB12", 0700, libraries),                  // no process id
        MakeFolder(runtime, "taerin-" + dead + "-open00", 0755, libraries),     // not private
        MakeFolder(runtime, "taerin-" + dead + "-notes0", 0700, {"notes.txt"}), // someone's files
    };
    EXPECT_EQ(TEngineFiles::RemoveStaleDirectories(runtime.path()), 2);
    EXPECT_FALSE(QFileInfo::exists(crashed));
    EXPECT_FALSE(QFileInfo::exists(empty));
    for (const QString& path : kept) EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();

    ScopedEnvironment xdg("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    MakeFolder(runtime, "taerin-" + dead + "-again1", 0700, libraries);
    TEngineFiles files({});
    EXPECT_TRUE(QFileInfo(files.Directory()).fileName().startsWith("taerin-" + QString::number(getpid()) + "-"));
    EXPECT_FALSE(QFileInfo::exists(runtime.filePath("taerin-" + dead + "-again1"))) << "cleaned at start";
}
