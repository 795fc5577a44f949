// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/picturezoom.h"

#include "window/runtime/userscale.h"

#include <QHash>

#include <cmath>

namespace rb {

namespace {

QHash<qint64, PictureSource>& sources() {
    static QHash<qint64, PictureSource> known;
    return known;
}

using SizedKey = QPair<qint64, qint64>; // the picture, and width and height
QHash<SizedKey, QPixmap>& made() {
    static QHash<SizedKey, QPixmap> pictures;
    return pictures;
}

} // namespace

void setPictureSource(const QPixmap& picture, PictureSource source) {
    sources()[picture.cacheKey()] = std::move(source);
}

QSize zoomedPictureSize(const QPixmap& picture) {
    const QSizeF own = picture.deviceIndependentSize();
    const double zoom = formZoom();
    return {static_cast<int>(std::lround(own.width() * zoom)),
            static_cast<int>(std::lround(own.height() * zoom))};
}

QPixmap pictureAtSize(const QPixmap& picture, QSize logical) {
    if (picture.isNull() || logical.isEmpty() ||
        QSizeF(logical) == picture.deviceIndependentSize()) {
        return picture;
    }
    const SizedKey key{picture.cacheKey(), (qint64(logical.width()) << 32) | logical.height()};
    const auto found = made().constFind(key);
    if (found != made().constEnd()) {
        return *found;
    }
    const qreal dpr = picture.devicePixelRatio();
    QPixmap result;
    const auto source = sources().constFind(picture.cacheKey());
    if (source != sources().constEnd()) {
        result = QPixmap::fromImage((*source)(logical, dpr));
    } else {
        result =
            picture.scaled(QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr)),
                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    result.setDevicePixelRatio(dpr);
    made().insert(key, result);
    return result;
}

QPixmap zoomedPicture(const QPixmap& picture) {
    if (formZoom() == 1.0 || picture.isNull()) {
        return picture;
    }
    return pictureAtSize(picture, zoomedPictureSize(picture));
}

void forgetZoomedPictures() {
    made().clear();
}

} // namespace rb
