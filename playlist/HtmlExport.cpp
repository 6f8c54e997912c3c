#include "playlist/HtmlExport.h"

#include "desktop/files/FileNames.h"
#include "playlist/DisplayText.h"
#include "playlist/PlaylistModel.h"

#include <QString>
#include <QUrl>

namespace {

// The page is well-formed (every element closed and nested, attributes
// quoted), so that HTML and XML readers take it alike.
const char* const HtmlHead[] = {
    "<!DOCTYPE html>",
    "<html><head><title>Tessaly Aerin Generated List</title>",
    R"(<meta http-equiv="Content-Type" content="text/html; charset=utf-8"/>)",
    R"(<style type="text/css">)",
    "body {",
    "\tbackground: #000080; color: #ffffff; margin: 0; font-family: Arial, sans-serif",
    "}",
    ".para1 {",
    "\tcolor: #e1e1e1; font-family: font2, Arial; font-size: 30px; line-height: 35px; margin-left: 145px; "
    "margin-right: 10px; margin-top: -42px; text-align: left",
    "}",
    ".para2 {",
    "\tcolor: #004080; font-family: font1, 'Arial Black'; font-size: 50px; line-height: 40px; margin-left: 15px; "
    "margin-right: 50px; margin-top: 15px; text-align: left",
    "}",
    "hr { border: 0; border-top: 1px solid #ffbf00; width: 90%; margin-left: 0 }",
    "table { width: 80%; font-size: small }",
    "th { color: red; font-weight: normal; text-align: left }",
    "a { color: #ffffff }",
    "</style></head>",
    "<body>",
    R"(<div style="text-align: center">)",
    R"(<div class="para2"><p>Tessaly Aerin</p></div>)",
    R"(<div class="para1"><p>PLAYLIST</p></div></div>)",
    "<hr/>",
    R"(<blockquote><table cellspacing="3">)",
};

const char* const HeaderRow = R"(<tr><th>%1</th></tr>)";
const char* const HeaderText = "Track";
const char* const TrackRow = R"(<tr><td><a href="%1">%2</a></td></tr>)";

const char* const HtmlTail[] = {
    "</table></blockquote><hr/>",
    "</body></html>",
};

// A file becomes a file: URL, a stream address stays one; either way every
// character that would end or change the address ('#', '?', '%', spaces, ...)
// is percent-encoded.
QString LinkTo(const QString& path) {
    if (!IsUrl(path)) return FileUrlOfPath(path).toHtmlEscaped();
    return QString::fromLatin1(QUrl(path, QUrl::TolerantMode).toEncoded()).toHtmlEscaped();
}

} // namespace

QStringList HtmlPlaylistLines(const TPlaylistModel& playlist) {
    QStringList lines;
    for (const char* line : HtmlHead) lines.append(QString::fromUtf8(line));
    lines.append(QString::fromUtf8(HeaderRow).arg(QString::fromUtf8(HeaderText)));
    for (int i = 0; i < playlist.Count(); ++i) {
        // One arg() call with both values, so that a "%1" inside a path stays text.
        lines.append(QString::fromUtf8(TrackRow).arg(LinkTo(playlist.Path(i)), playlist.Text(i).toHtmlEscaped()));
    }
    for (const char* line : HtmlTail) lines.append(QString::fromUtf8(line));
    return lines;
}
