// SPDX-License-Identifier: GPL-3.0-or-later
// guidehtml: turns a Markdown page of the guide for teachers into one HTML page that a browser
// shows as it is, and copies its pictures beside it.
//
//   guidehtml <page.md> <out.html>
//
// Headings get the anchors that GitHub gives them, so that links within the page work; links
// to other pages of the guide (name.md) lead to their HTML (name.html). Pictures are scaled
// down to the text column, and a click on one shows it at its own size. A picture the page
// names that is not beside it fails the build.
//
// For printing: a comment "<!-- Zeilen: n -->" on a line of its own (which GitHub does not
// show) becomes n ruled lines to write an answer on; a section with such lines (a task of the
// worksheet) is not split across two pages, no heading is left at the foot of a page, and the
// worksheet's answers start a new page.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>

namespace {

// The anchor GitHub gives a heading: lower case, punctuation dropped, blanks as hyphens.
QString slug(const QString& heading) {
    QString s;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) {
            s += c;
        } else if (c == QLatin1Char(' ')) {
            s += QLatin1Char('-');
        }
    }
    return s;
}

const char* const kStyle = R"(
body { font-family: "Liberation Sans", "DejaVu Sans", Arial, sans-serif; font-size: 12pt;
       line-height: 1.45; margin: 1.5em auto; padding: 0 1em; max-width: 52em; color: #111; }
img { max-width: 100%; height: auto; border: 0; }
table { border-collapse: collapse; margin: 0.8em 0; }
td, th { border: 1px solid #999; padding: 0.25em 0.6em; vertical-align: top; }
p.code { font-family: "Liberation Mono", "DejaVu Sans Mono", monospace; margin: 0 0 0 2em;
         white-space: pre; }
h2 { margin-top: 1.6em; }
h3 { margin-top: 1.3em; }
div.answer { margin: 0.2em 0 0.9em 1.5em; }
div.answer div { height: 1.9em; border-bottom: 1px solid #888; }
@page { size: A4; margin: 16mm 18mm; }
@media print { body { max-width: none; margin: 0; padding: 0; font-size: 11pt; line-height: 1.3; }
               h2 { margin-top: 1.2em; }
               div.answer div { height: 1.75em; }
               h1, h2, h3, h4 { break-after: avoid; page-break-after: avoid; }
               p, li, tr, img { break-inside: avoid; page-break-inside: avoid; }
               div.answer { break-before: avoid; page-break-before: avoid;
                            break-inside: avoid; page-break-inside: avoid; }
               section.task { break-inside: avoid; page-break-inside: avoid; }
               section.new-page { break-before: page; page-break-before: always; } }
)";

// The marker of answer lines before the page is parsed, as a paragraph of its own.
const char* const kLinesMark = "RB-ANSWER-LINES-";

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: guidehtml <page.md> <out.html>\n");
        return 2;
    }
    const QFileInfo in(QString::fromLocal8Bit(argv[1]));
    const QFileInfo out(QString::fromLocal8Bit(argv[2]));
    QFile source(in.filePath());
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "guidehtml: cannot read %s\n", argv[1]);
        return 1;
    }
    QString markdown = QString::fromUtf8(source.readAll());
    markdown.replace(QRegularExpression(QStringLiteral("^<!-- Zeilen: ([0-9]+) -->$"),
                                        QRegularExpression::MultilineOption),
                     QLatin1String(kLinesMark) + QStringLiteral("\\1"));
    // The licence comment at the top is for the source, not for the reader.
    markdown.remove(QRegularExpression(QStringLiteral("<!--.*?-->\\s*"),
                                       QRegularExpression::DotMatchesEverythingOption));

    QTextDocument doc;
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);

    QString title;
    QSet<QString> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0) {
            title = title.isEmpty() ? block.text() : title;
            QTextCursor cursor(block);
            QTextCharFormat anchor;
            anchor.setAnchor(true);
            anchor.setAnchorNames({slug(block.text())});
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(anchor);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                pictures.insert(format.toImageFormat().name());
            }
        }
    }

    QString html = doc.toHtml();
    html.replace(QRegularExpression(QStringLiteral("href=\"([^\":#]+)\\.md(#[^\"]*)?\"")),
                 QStringLiteral("href=\"\\1.html\\2\""));
    html.replace(QRegularExpression(QStringLiteral("<body [^>]*>")), QStringLiteral("<body>"));
    html.replace(QRegularExpression(QStringLiteral("<style type=\"text/css\">.*?</style>"),
                                    QRegularExpression::DotMatchesEverythingOption),
                 QStringLiteral("<title>%1</title>\n<style>%2</style>")
                     .arg(title.toHtmlEscaped(), QLatin1String(kStyle)));
    html.replace(QLatin1String("<html>"), QLatin1String("<html lang=\"de\">"));
    // Headings and lists as the browser sets them, not squeezed to no margins; code blocks (one
    // paragraph a line) indented.
    html.replace(QRegularExpression(QStringLiteral("<(h[1-6]|ul|ol|li) style=\"[^\"]*\">")),
                 QStringLiteral("<\\1>"));
    html.replace(QRegularExpression(QStringLiteral(
                     "<p style=\"[^\"]*\"><span style=\" font-family:'monospace';\">")),
                 QStringLiteral("<p class=\"code\"><span>"));
    // Pictures in the column, each a link to itself at its own size.
    html.replace(QRegularExpression(QStringLiteral("(<img src=\"([^\"]+)\"[^>]*>)")),
                 QStringLiteral("<a href=\"\\2\">\\1</a>"));
    // Ruled lines for the answers.
    static const QRegularExpression mark(
        QStringLiteral("<p [^>]*>%1([0-9]+)</p>").arg(QLatin1String(kLinesMark)));
    for (auto m = mark.match(html); m.hasMatch(); m = mark.match(html)) {
        html.replace(m.capturedStart(), m.capturedLength(),
                     QStringLiteral("<div class=\"answer\">%1</div>")
                         .arg(QStringLiteral("<div></div>").repeated(m.captured(1).toInt())));
    }
    // Each second-level heading opens a section that holds what follows it: a task with answer
    // lines stays on one printed page, and the worksheet's answers start a new one, so that
    // the sheet goes out without them.
    const qsizetype bodyStart = html.indexOf(QLatin1String("<body>")) + 6;
    const qsizetype bodyEnd = html.lastIndexOf(QLatin1String("</body>"));
    QStringList parts = html.mid(bodyStart, bodyEnd - bodyStart).split(QLatin1String("<h2>"));
    for (qsizetype i = 1; i < parts.size(); ++i) {
        QString kind;
        if (parts[i].startsWith(QStringLiteral("<a name=\"lösungen\">"))) {
            kind = QStringLiteral(" class=\"new-page\"");
        } else if (parts[i].contains(QLatin1String("<div class=\"answer\">"))) {
            kind = QStringLiteral(" class=\"task\"");
        }
        parts[i] =
            QStringLiteral("<section%1><h2>").arg(kind) + parts[i] + QStringLiteral("</section>\n");
    }
    html = html.left(bodyStart) + parts.join(QString()) + html.mid(bodyEnd);

    QDir().mkpath(out.absolutePath());
    for (const QString& name : pictures) {
        const QString from = in.dir().filePath(name);
        const QString to = out.dir().filePath(name);
        if (!QFileInfo::exists(from)) {
            std::fprintf(stderr, "guidehtml: %s names the picture %s, which is not there\n",
                         argv[1], qPrintable(name));
            return 1;
        }
        if (QFileInfo(from).absoluteFilePath() != QFileInfo(to).absoluteFilePath()) {
            QFile::remove(to);
            if (!QFile::copy(from, to)) {
                std::fprintf(stderr, "guidehtml: cannot copy %s\n", qPrintable(from));
                return 1;
            }
        }
    }
    QFile target(out.filePath());
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "guidehtml: cannot write %s\n", argv[2]);
        return 1;
    }
    target.write(html.toUtf8());
    return 0;
}
