// SPDX-License-Identifier: GPL-3.0-or-later
// iconrender: renders an SVG picture into square PNG icons for the desktop's icon theme.
//
//   iconrender <picture.svg> <size> <out.png> [<size> <out.png> ...]
//
// The picture keeps its proportions: it is scaled to fit the square and centred in it, the
// rest stays transparent.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

QImage renderSquare(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSizeF picture = renderer.defaultSize();
    if (picture.isEmpty()) {
        picture = QSizeF(size, size);
    }
    picture.scale(size, size, Qt::KeepAspectRatio);
    const QRectF target(QPointF((size - picture.width()) / 2, (size - picture.height()) / 2),
                        picture);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, target);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4 || args.size() % 2 != 0) {
        std::fputs("usage: iconrender <picture.svg> <size> <out.png> [<size> <out.png> ...]\n",
                   stderr);
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    for (qsizetype k = 2; k + 1 < args.size(); k += 2) {
        bool ok = false;
        const int size = args.at(k).toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "iconrender: bad size %s\n", qPrintable(args.at(k)));
            return 2;
        }
        const QString& out = args.at(k + 1);
        if (!renderSquare(renderer, size).save(out, "PNG")) {
            std::fprintf(stderr, "iconrender: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
