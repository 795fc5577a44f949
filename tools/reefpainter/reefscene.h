// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

namespace reef {

// A pale underwater reef: light-blue water with sun rays from the top, a school of silver fish
// at the top left, pink, violet and white coral heads in the middle, rock and light sand at
// the bottom. The scene is laid out in fractions of the picture, so every size shows the same
// reef; `withDiver` adds the cartoon diver in the green mask at the left edge. Opaque RGB32.
QImage paintScene(QSize size, bool withDiver);

} // namespace reef
