#include "playlist/HtmlExport.h"

#include "playlist/PlaylistModel.h"

#include <QString>

namespace {

const char* const HtmlHead[] = {
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
    R"(<DIV align=center>)",
    R"(<DIV align=center class=para2>)",
    R"(<P>Tessaly Aerin</P></DIV>)",
    R"(<DIV align=center class=para1>)",
    R"(<P>PLAYLIST</P></DIV></DIV>)",
    R"(<HR align=left color=#ffbf00 noShade SIZE=1 width="90%">)",
    R"(<BLOCKQUOTE><P><UL><FONT color=#ffffff face=Arial><SMALL>)",
    R"(<TABLE WIDTH=80% NOBORDER CELLSPACING=3 >)",
};

const char* const HeaderRow = R"(<TR><TD><FONT COLOR=Red>%1</FONT></TD></TR>)";
const char* const HeaderText = "Track";
const char* const TrackRow = R"(<a href="%1"><TR><TD>%2</TD></TR></a>)";

const char* const HtmlTail[] = {
    R"(</TABLE></FONT></UL></BLOCKQUOTE><HR align=left color=#ffbf00 noShade SIZE=1 width="90%">)",
    R"(</SMALL></BODY></HTML>)",
};

} // namespace

QStringList HtmlPlaylistLines(const TPlaylistModel& playlist) {
    QStringList lines;
    for (const char* line : HtmlHead) lines.append(QString::fromUtf8(line));
    lines.append(QString::fromUtf8(HeaderRow).arg(QString::fromUtf8(HeaderText)));
    for (int i = 0; i < playlist.Count(); ++i) {
        // One arg() call with both values, so that a "%1" inside a path stays text.
        lines.append(
            QString::fromUtf8(TrackRow).arg(playlist.Path(i).toHtmlEscaped(), playlist.Text(i).toHtmlEscaped()));
    }
    for (const char* line : HtmlTail) lines.append(QString::fromUtf8(line));
    return lines;
}
