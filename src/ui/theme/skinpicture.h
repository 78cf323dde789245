#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vornal {

// The skin's background picture, decoded at the size it is shown rather than at the
// file's own size, and kept without an alpha channel when the file has none (three
// bytes a pixel). It is decoded again only when the file or the size changes.
class SkinPicture {
public:
    // The picture of the file at that size in device pixels; a null image when there
    // is no file, it cannot be read or the size is empty.
    const QImage& at(const QString& path, const QSize& size);

private:
    QString m_path;
    QSize m_size;
    QImage m_image;
};

} // namespace vornal
