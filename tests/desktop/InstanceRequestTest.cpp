#include "desktop/InstanceRequest.h"
#include "desktop/SingleInstance.h"
#include "desktop/files/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using InstanceRequest::Status;

TEST(InstanceRequestTest, RoundTripsNamesArrivingInPieces) {
    const QStringList names{"/music/a b.mp3", QString::fromUtf8("/music/\xc3\xa9t\xc3\xa9\n.mp3"), "",
                            DecodeFileName("/music/\xe9t\xe9.mp3")};
    const QByteArray bytes = InstanceRequest::Encode(names);
    QStringList decoded;
    for (qsizetype cut = 0; cut < bytes.size(); ++cut)
        ASSERT_EQ(InstanceRequest::Decode(bytes.left(cut), decoded), Status::Incomplete) << cut;
    ASSERT_EQ(InstanceRequest::Decode(bytes, decoded), Status::Complete);
    EXPECT_EQ(decoded, names);
    ASSERT_EQ(InstanceRequest::Decode(InstanceRequest::Encode({}), decoded), Status::Complete);
    EXPECT_TRUE(decoded.isEmpty()) << "an empty request raises the player";
}

TEST(InstanceRequestTest, MalformedRequestsAreInvalidWithoutHugeAllocations) {
    QStringList decoded{"kept"};
    const QByteArray good = InstanceRequest::Encode({"x"});
    QByteArray wrongMagic = good;
    wrongMagic[0] = 'X';
    EXPECT_EQ(InstanceRequest::Decode(wrongMagic, decoded), Status::Invalid);
    EXPECT_EQ(InstanceRequest::Decode(good + "trailing", decoded), Status::Invalid);
    QByteArray hugeCount = good.left(4) + QByteArray("\xff\xff\xff\xff", 4);
    EXPECT_EQ(InstanceRequest::Decode(hugeCount, decoded), Status::Invalid);
    QByteArray hugeLength = good.left(8) + QByteArray("\x7f\xff\xff\xff", 4);
    EXPECT_EQ(InstanceRequest::Decode(hugeLength, decoded), Status::Invalid);
    EXPECT_EQ(decoded, QStringList{"kept"});
}

TEST(InstanceRequestTest, PathsAreResolvedByTheSenderUrlsKept) {
    EXPECT_EQ(TSingleInstance::Resolved({"a.mp3", "/b.mp3", "http://host/s"}),
              (QStringList{QDir::current().absoluteFilePath("a.mp3"), "/b.mp3", "http://host/s"}));
}

} // namespace

namespace {

TEST(SingleInstanceTest, SomethingElseAtTheSocketPathIsNeitherUsedNorReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("taerin.instance");
    QFile stranger(path);
    ASSERT_TRUE(stranger.open(QIODevice::WriteOnly));
    stranger.write("not a socket");
    stranger.close();
    TSingleInstance instance(path);
    EXPECT_FALSE(instance.HandOverOrListen({"a.mp3"}));
    EXPECT_FALSE(instance.Listening()) << "runs alone";
    EXPECT_TRUE(QFile::exists(path));

    TSingleInstance first(dir.filePath("own.instance"));
    EXPECT_FALSE(first.HandOverOrListen({}));
    EXPECT_TRUE(first.Listening());
}

} // namespace
