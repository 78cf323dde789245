#include "theme/skinpicture.h"

#include <QImageReader>

namespace vornal {

const QImage& SkinPicture::at(const QString& path, const QSize& size) {
    if (path == m_path && size == m_size)
        return m_image;
    m_path = path;
    m_size = size;
    m_image = QImage();
    if (path.isEmpty() || size.isEmpty())
        return m_image;
    QImageReader reader(path);
    // The reader scales while it decodes (a JPEG at a fraction of its size), so the
    // full-size picture is never held.
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (!image.isNull())
        m_image = image.hasAlphaChannel() ? image : image.convertToFormat(QImage::Format_RGB888);
    return m_image;
}

} // namespace vornal
