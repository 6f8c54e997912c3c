#include "PlaylistTestFiles.h"

#include "playlist/HtmlExport.h"
#include "playlist/PlaylistModel.h"

#include <gtest/gtest.h>

// The page is a fixed head ending in the "Track" row, a row per line and a
// fixed tail; the playlist window writes these lines (tested there).
TEST(PlaylistHtmlExport, RowsBetweenHeadAndTailEscapePathsAndTexts) {
    TPlaylistModel empty;
    const QStringList page = HtmlPlaylistLines(empty);
    ASSERT_EQ(page.size(), 27);
    EXPECT_EQ(page.first(), R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)");
    EXPECT_EQ(page[24], "<TR><TD><FONT COLOR=Red>Track</FONT></TD></TR>");
    EXPECT_EQ(page.last(), "</SMALL></BODY></HTML>");

    TPlaylistModel model;
    model.SetShowNumbers(true);
    model.AddItem("/music/plain.mp3");
    model.AddItem("/music/Tom & \"Jerry\" <live> %1 %2.mp3");
    model.AddItem("http://host/a?x=1&y=2");
    model.AddItem("/music/Ärger.mp3");
    const QStringList rows = {
        R"(<a href="/music/plain.mp3"><TR><TD>1. plain.mp3</TD></TR></a>)",
        R"(<a href="/music/Tom &amp; &quot;Jerry&quot; &lt;live&gt; %1 %2.mp3"><TR><TD>2. Tom &amp; &quot;Jerry&quot; &lt;live&gt; %1 %2.mp3</TD></TR></a>)",
        R"(<a href="http://host/a?x=1&amp;y=2"><TR><TD>3. http://host/a?x=1&amp;y=2</TD></TR></a>)",
        QString::fromUtf8(R"(<a href="/music/Ärger.mp3"><TR><TD>4. Ärger.mp3</TD></TR></a>)"),
    };
    EXPECT_EQ(HtmlPlaylistLines(model), page.mid(0, 25) + rows + page.mid(25));
}
