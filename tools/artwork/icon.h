#pragma once

#include <QByteArray>
#include <QImage>

namespace artwork {

// The program's icon: a strip of punched tape under a "V", above a plug. The same
// shapes as a scalable picture and as a bitmap of the given size.
QByteArray iconSvg();
QImage iconImage(int size);

} // namespace artwork
