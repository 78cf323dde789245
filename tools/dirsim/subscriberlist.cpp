#include "subscriberlist.h"

#include "files/textcodec.h"
#include "files/textlines.h"

#include <QFile>

namespace {

bool toNumber(const QString& text, qint32* out) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        return false;
    *out = qint32(n);
    return true;
}

QString withoutTrailingBlanks(QString text) {
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}

} // namespace

bool SubscriberList::loadCsv(const QString& path, QList<Subscriber>* out, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QStringList lines = vornal::splitTextLines(vornal::TextCodec::decode(file.readAll()));
    out->clear();
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        Subscriber s;
        bool ok = false;
        if (fields.size() == 2) {
            ok = toNumber(fields.at(0), &s.number);
            s.name = withoutTrailingBlanks(fields.at(1));
        } else if (fields.size() == 3) {
            ok = toNumber(fields.at(2), &s.number);
            s.name = withoutTrailingBlanks(fields.at(1));
        }
        if (!ok) {
            *error = QStringLiteral("%1, line %2: expected \"number,name\" or \"k,name,number\"")
                         .arg(path)
                         .arg(i + 1);
            return false;
        }
        out->append(s);
    }
    return true;
}

QList<Subscriber> SubscriberList::generate(int count, quint32 seed) {
    QList<Subscriber> list;
    list.reserve(count);
    quint32 state = seed ? seed : 1;
    for (int i = 0; i < count; ++i) {
        QString word;
        for (int c = 0; c < 6; ++c) {
            state = state * 1664525u + 1013904223u;
            word.append(QLatin1Char(char('A' + (state >> 24) % 26)));
        }
        list.append({qint32(10000 + i), word + QStringLiteral(" Station ") + QString::number(i + 1)});
    }
    return list;
}
