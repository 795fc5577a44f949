// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pictures.h"

#include "window/runtime/palette.h"
#include "window/runtime/picturezoom.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <climits>
#include <thread>
#include <utility>

namespace rb {

namespace {

// The painted photographs; the file is :/photos/<name>.jpg, or <name>@2x.jpg with twice the
// pixels across and down.
constexpr std::array<const char*, 2> kPhotographs = {"reefBackdrop", "reefAquarium"};

// Logical size in pixels of each vector picture; the file is :/assets/<name>.svg.
struct VectorPicture {
    const char* name;
    int width;
    int height;
    bool sixteenColours;
};

constexpr std::array<VectorPicture, 14> kVectorPictures = {{
    {"appIcon", 96, 93, false},
    {"preyFace", 63, 61, false},
    {"preyBowLeft", 62, 64, false},
    {"preyYellowLeft", 58, 64, false},
    {"preyPinkRight", 58, 64, false},
    {"fishOrangeLeft", 62, 64, false},
    {"predatorRight", 100, 98, false},
    {"eatingRight", 140, 137, false},
    {"targetCross", 27, 26, false},
    {"startArrow", 32, 32, true},
    {"startArrow16", 16, 16, true},
    {"stopSign", 32, 32, true},
    {"stopSign16", 16, 16, true},
    {"clockFace", 123, 121, false},
}};

// Mirror partners: the second is the first turned left for right, pixel for pixel.
constexpr std::array<std::pair<const char*, const char*>, 5> kMirrors = {{
    {"preyBowLeft", "preyBowRight"},
    {"preyPinkRight", "preyPinkLeft"},
    {"preyYellowLeft", "preyYellowRight"},
    {"predatorRight", "predatorLeft"},
    {"eatingRight", "eatingLeft"},
}};

QImage renderSvg(const QString& name, QSize logicalSize, qreal dpr) {
    QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(name));
    const QSize device(qRound(logicalSize.width() * dpr), qRound(logicalSize.height() * dpr));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    image.setDevicePixelRatio(dpr);
    return image;
}

// Every pixel either fully transparent or one of the 16 palette colours, fully opaque (the two
// button pictures).
QImage toSixteenColours(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) < 128) {
                line[x] = 0;
                continue;
            }
            QRgb best = kPalette[0];
            int bestDistance = INT_MAX;
            for (QRgb colour : kPalette) {
                const int dr = qRed(pixel) - qRed(colour);
                const int dg = qGreen(pixel) - qGreen(colour);
                const int db = qBlue(pixel) - qBlue(colour);
                const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = colour;
                }
            }
            line[x] = best;
        }
    }
    return image;
}

} // namespace

const PictureStore& PictureStore::instance() {
    static const PictureStore store;
    return store;
}

PictureStore::PictureStore() {
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;

    // Photographs come in two sizes. A screen with more than one device pixel per logical pixel
    // gets the ones with twice the pixels, which the painter drawing them scales to the exact
    // ratio; ordinary screens load only the small ones, as the large take four times as long.
    // Decoding them takes longest of all pictures, so a second thread does it while this one
    // renders the vector pictures; the pixmaps are made here, on the application's thread.
    const bool sharp = dpr > 1.0;
    std::array<QImage, kPhotographs.size()> photographs;
    std::jthread decoding([&photographs, sharp] {
        for (std::size_t i = 0; i < kPhotographs.size(); ++i) {
            photographs[i] = QImage(QStringLiteral(":/photos/%1%2.jpg")
                                        .arg(QLatin1String(kPhotographs[i]),
                                             sharp ? QStringLiteral("@2x") : QString()));
            photographs[i].setDevicePixelRatio(sharp ? 2.0 : 1.0);
        }
    });
    // The photographs come first among the names; their pixmaps follow when decoded.
    for (const char* name : kPhotographs)
        add(QString::fromLatin1(name), QImage());

    for (const VectorPicture& picture : kVectorPictures) {
        const QString name = QString::fromLatin1(picture.name);
        QImage image = renderSvg(name, QSize(picture.width, picture.height), dpr);
        if (picture.sixteenColours) {
            image = toSixteenColours(image);
            image.setDevicePixelRatio(dpr);
        }
        // At another zoom each picture is rendered anew from its vectors at the size shown.
        const bool sixteen = picture.sixteenColours;
        const auto render = [name, sixteen](QSize logical, qreal at) {
            QImage made = renderSvg(name, logical, at);
            if (sixteen) {
                made = toSixteenColours(made);
                made.setDevicePixelRatio(at);
            }
            return made;
        };
        add(name, image);
        setPictureSource(m_entries.back().pixmap, render);
        for (const auto& [original, mirror] : kMirrors) {
            if (name == QLatin1String(original)) {
                QImage mirrored = image.mirrored(true, false);
                mirrored.setDevicePixelRatio(dpr);
                add(QString::fromLatin1(mirror), std::move(mirrored));
                setPictureSource(m_entries.back().pixmap, [render](QSize logical, qreal at) {
                    QImage made = render(logical, at).mirrored(true, false);
                    made.setDevicePixelRatio(at);
                    return made;
                });
            }
        }
        if (name == QLatin1String("predatorRight")) {
            // Its red version: red and blue swapped.
            QImage red = image.rgbSwapped();
            red.setDevicePixelRatio(dpr);
            add(QStringLiteral("predatorRightRed"), std::move(red));
            setPictureSource(m_entries.back().pixmap, [render](QSize logical, qreal at) {
                QImage made = render(logical, at).rgbSwapped();
                made.setDevicePixelRatio(at);
                return made;
            });
        }
    }

    decoding.join();
    for (std::size_t i = 0; i < kPhotographs.size(); ++i) {
        m_entries[i].pixmap = QPixmap::fromImage(std::move(photographs[i]));
        // At another zoom a photograph is scaled from its copy with twice the pixels.
        const QString name = QString::fromLatin1(kPhotographs[i]);
        setPictureSource(m_entries[i].pixmap, [name](QSize logical, qreal at) {
            const QImage large(QStringLiteral(":/photos/%1@2x.jpg").arg(name));
            QImage made =
                large.scaled(QSize(qRound(logical.width() * at), qRound(logical.height() * at)),
                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            made.setDevicePixelRatio(at);
            return made;
        });
    }
}

void PictureStore::add(const QString& name, QImage image) {
    // Handing the image over lets the pixmap take its pixels without a copy.
    m_entries.push_back({name, QPixmap::fromImage(std::move(image))});
}

QPixmap PictureStore::picture(const QString& name) const {
    for (const Entry& entry : m_entries) {
        if (entry.name == name)
            return entry.pixmap;
    }
    return {};
}

QStringList PictureStore::names() const {
    QStringList result;
    result.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const Entry& entry : m_entries)
        result.append(entry.name);
    return result;
}

} // namespace rb
