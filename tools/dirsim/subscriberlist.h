#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

struct Subscriber {
    qint32 number = 0;
    QString name;
};

// The subscribers the simulator serves: read from a CSV file or generated.
class SubscriberList {
public:
    // Lines "number,name", or "k,name,number" as in the terminal's own export; blank
    // lines and lines starting with # are skipped. Windows-1252 text.
    static bool loadCsv(const QString& path, QList<Subscriber>* out, QString* error);
    // count subscribers with distinct numbers from 10000 on and names in no
    // particular order, the same for the same seed.
    static QList<Subscriber> generate(int count, quint32 seed);
};
