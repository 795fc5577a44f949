// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

#include <functional>

namespace rb {

// Pictures at the form's zoom. A picture may name its source: a function that renders it anew
// at any size (vector artwork is then sharp at every zoom step, a photograph comes from its
// largest copy). Copies of a picture share it, and so share its source.

// Renders the picture at `logical` pixels for a device pixel ratio.
using PictureSource = std::function<QImage(QSize logical, qreal dpr)>;
void setPictureSource(const QPixmap& picture, PictureSource source);

// The picture at its own size times the zoom, in whole logical pixels.
QSize zoomedPictureSize(const QPixmap& picture);
// The picture shown at `logical` pixels: the picture itself at its own size, else rendered from
// its source, else scaled smoothly. Kept until the zoom changes.
QPixmap pictureAtSize(const QPixmap& picture, QSize logical);
// The picture at the zoom (the picture itself at 100 %).
QPixmap zoomedPicture(const QPixmap& picture);
// Forgets the pictures made for the previous zoom.
void forgetZoomedPictures();

} // namespace rb
