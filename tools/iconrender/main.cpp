// SPDX-License-Identifier: GPL-3.0-or-later
// iconrender: renders an SVG picture into square PNG icons for the desktop's icon theme, or
// into one Windows icon file that holds it at several sizes.
//
//   iconrender <picture.svg> <size> <out.png> [<size> <out.png> ...]
//   iconrender <picture.svg> --ico <out.ico> <size> [<size> ...]
//
// The picture keeps its proportions: it is scaled to fit the square and centred in it, the
// rest stays transparent. The icon file stores each size as a PNG, as Windows Vista and later
// read them, from 16 to 256 pixels.

#include <QBuffer>
#include <QFile>
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

void putLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int k = 0; k < bytes; ++k) {
        out.append(static_cast<char>((value >> (8 * k)) & 0xff));
    }
}

// An icon file: a header, a directory entry for each picture, then the pictures as PNGs. A
// size of 256 is written as 0 in the entry's one-byte width and height.
bool writeIcon(QSvgRenderer& renderer, const QList<int>& sizes, const QString& out) {
    QList<QByteArray> pngs;
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!renderSquare(renderer, size).save(&buffer, "PNG")) {
            return false;
        }
        pngs.append(png);
    }
    QByteArray file;
    putLittleEndian(file, 0, 2);                                  // reserved
    putLittleEndian(file, 1, 2);                                  // type: icon
    putLittleEndian(file, static_cast<quint32>(sizes.size()), 2); // count
    quint32 offset = 6 + 16 * static_cast<quint32>(sizes.size());
    for (qsizetype k = 0; k < sizes.size(); ++k) {
        const quint32 side = sizes[k] >= 256 ? 0 : static_cast<quint32>(sizes[k]);
        putLittleEndian(file, side, 1);
        putLittleEndian(file, side, 1);
        putLittleEndian(file, 0, 1);  // no palette
        putLittleEndian(file, 0, 1);  // reserved
        putLittleEndian(file, 1, 2);  // colour planes
        putLittleEndian(file, 32, 2); // bits per pixel
        putLittleEndian(file, static_cast<quint32>(pngs[k].size()), 4);
        putLittleEndian(file, offset, 4);
        offset += static_cast<quint32>(pngs[k].size());
    }
    for (const QByteArray& png : pngs) {
        file.append(png);
    }
    QFile target(out);
    return target.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           target.write(file) == file.size();
}

int usage() {
    std::fputs("usage: iconrender <picture.svg> <size> <out.png> [<size> <out.png> ...]\n"
               "       iconrender <picture.svg> --ico <out.ico> <size> [<size> ...]\n",
               stderr);
    return 2;
}

bool readSize(const QString& text, int& size) {
    bool ok = false;
    size = text.toInt(&ok);
    if (!ok || size < 1 || size > 4096) {
        std::fprintf(stderr, "iconrender: bad size %s\n", qPrintable(text));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const bool icon = args.size() >= 5 && args.at(2) == QLatin1String("--ico");
    if (args.size() < 4 || (!icon && args.size() % 2 != 0)) {
        return usage();
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    if (icon) {
        QList<int> sizes;
        for (qsizetype k = 4; k < args.size(); ++k) {
            int size = 0;
            if (!readSize(args.at(k), size) || size > 256) {
                return 2;
            }
            sizes.append(size);
        }
        if (!writeIcon(renderer, sizes, args.at(3))) {
            std::fprintf(stderr, "iconrender: cannot write %s\n", qPrintable(args.at(3)));
            return 1;
        }
        return 0;
    }
    for (qsizetype k = 2; k + 1 < args.size(); k += 2) {
        int size = 0;
        if (!readSize(args.at(k), size)) {
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
