#include "PlaylistTestFiles.h"

#include "playlist/HtmlExport.h"
#include "playlist/PlaylistModel.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct TLink {
    QString Href;
    QString Text;
};

// Reads the page as XML: a page that is not well-formed fails the test.
// Returns the links of the table rows and the header cells.
std::pair<std::vector<TLink>, QStringList> ParsePage(const QStringList& lines) {
    QXmlStreamReader reader(lines.join("\r\n"));
    std::vector<TLink> links;
    QStringList headers;
    QStringList open;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            open << reader.name().toString();
            if (reader.name() == u"a") {
                const QString href = reader.attributes().value("href").toString();
                links.push_back({href, reader.readElementText()});
                open.removeLast();
                EXPECT_EQ(open.mid(open.size() - 2), (QStringList{"tr", "td"}));
            } else if (reader.name() == u"th") {
                headers << reader.readElementText();
                open.removeLast();
            }
        } else if (reader.isEndElement()) {
            open.removeLast();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString() << " at line " << reader.lineNumber();
    EXPECT_TRUE(open.isEmpty());
    return {links, headers};
}

} // namespace

TEST(PlaylistHtmlExport, APageOfWellFormedRowsLinkingEncodedAddresses) {
    TPlaylistModel empty;
    const auto [noLinks, headers] = ParsePage(HtmlPlaylistLines(empty));
    EXPECT_TRUE(noLinks.empty());
    EXPECT_EQ(headers, QStringList{"Track"});

    TPlaylistModel model;
    model.SetShowNumbers(true);
    const QStringList paths = {
        "/music/plain.mp3",        "/music/Tom & \"Jerry\" <live> %1 %2.mp3",
        "/music/#5 ?why 100%.mp3", QString::fromUtf8("/music/Ärger.mp3"),
        "http://host/a?x=1&y=2",
    };
    model.AddItems(paths);
    const auto [links, unused] = ParsePage(HtmlPlaylistLines(model));
    ASSERT_EQ(links.size(), paths.size());
    EXPECT_EQ(links[0].Href, "file:///music/plain.mp3");
    EXPECT_EQ(links[2].Href, "file:///music/%235%20%3Fwhy%20100%25.mp3");
    EXPECT_EQ(links[4].Href, "http://host/a?x=1&y=2");
    for (size_t i = 0; i < size_t(paths.size()); ++i) {
        const QUrl url(links[i].Href, QUrl::StrictMode);
        ASSERT_TRUE(url.isValid()) << links[i].Href.toStdString();
        EXPECT_EQ(i < 4 ? url.toLocalFile() : url.toString(), paths[int(i)]);
        EXPECT_EQ(links[i].Text, model.Text(int(i)));
    }
}
