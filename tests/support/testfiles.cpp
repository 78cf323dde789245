#include "testfiles.h"

#include <QFile>

namespace vornal {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

QByteArray fileBytes(const QString& path, const QByteArray& whenMissing) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : whenMissing;
}

QString programFile(const char* file) {
    QString name = QString::fromLatin1(file);
    if (name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    return name;
}

} // namespace vornal
