#include "PlaylistTestFiles.h"

#include "playlist/HtmlExport.h"
#include "playlist/PlaylistModel.h"

#include <gtest/gtest.h>

namespace {

const QStringList Head = {
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)",
    R"(<HTML><HEAD><TITLE>Tessaly Aerin Generated List</TITLE>)",
    R"(<META content="text/html; charset=utf-8" http-equiv=Content-Type><LINK)",
    R"(href="null" rel=stylesheet>)",
    R"(<STYLE type=text/css>BODY {)",
    "\tBACKGROUND: #000040",
    "}",
    ".para1 {",
    "\tCOLOR: #e1e1e1; FONT-FAMILY: font2, Arial; FONT-SIZE: 30px; LINE-HEIGHT: 35px; MARGIN-LEFT: 145px; "
    "MARGIN-RIGHT: 10px; MARGIN-TOP: -42px; TEXT-ALIGN: left",
    "}",
    ".para2 {",
    "\tCOLOR: #004080; FONT-FAMILY: font1, Arial Black; FONT-SIZE: 50px; LINE-HEIGHT: 40px; MARGIN-LEFT: 15px; "
    "MARGIN-RIGHT: 50px; MARGIN-TOP: 15px; TEXT-ALIGN: left",
    "}",
    "</STYLE>",
    R"(<META content="MSHTML 5.00.2014.210" name=GENERATOR></HEAD>)",
    R"(<BODY bgColor=#000080 leftMargin=0 text=#ffffff topMargin=0><!--TOOLBAR_START--><!--TOOLBAR_EXEMPT-->)",
    "<DIV align=center>",
    "<DIV align=center class=para2>",
    "<P>Tessaly Aerin</P></DIV>",
    "<DIV align=center class=para1>",
    "<P>PLAYLIST</P></DIV></DIV>",
    R"(<HR align=left color=#ffbf00 noShade SIZE=1 width="90%">)",
    "<BLOCKQUOTE><P><UL><FONT color=#ffffff face=Arial><SMALL>",
    "<TABLE WIDTH=80% NOBORDER CELLSPACING=3 >",
    "<TR><TD><FONT COLOR=Red>Track</FONT></TD></TR>",
};

const QStringList Tail = {
    R"(</TABLE></FONT></UL></BLOCKQUOTE><HR align=left color=#ffbf00 noShade SIZE=1 width="90%">)",
    "</SMALL></BODY></HTML>",
};

}  // namespace

// Exported pages: HtmlPlaylistLines is also what the playlist window writes
// (tested there through the file).
TEST(PlaylistHtmlExport, EmptyPlaylistHasHeadTrackRowAndTailOnly)
{
    TPlaylistModel empty;
    EXPECT_EQ(HtmlPlaylistLines(empty), Head + Tail);
}

TEST(PlaylistHtmlExport, RowsEscapePathsAndTexts)
{
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
    EXPECT_EQ(HtmlPlaylistLines(model), Head + rows + Tail);
}
