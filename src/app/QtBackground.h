#pragma once

#include <QImage>
#include <QSize>

// The idle screen's picture, painted at the size asked for, so it is sharp at
// any window size and the program needs no picture file beside it.

namespace zephirax {

QImage BackgroundPicture(QSize size);

}  // namespace zephirax
