#include "look/dateformat.h"

namespace vornal {

namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The length of the run of `letter` (either case) at `at`.
qsizetype runLength(const QString& pattern, qsizetype at, QChar letter) {
    qsizetype n = 0;
    while (at + n < pattern.size() && pattern[at + n].toLower() == letter)
        ++n;
    return n;
}

} // namespace

QString DateFormat::tempo(const QTime& time) {
    return twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(':') +
           twoDigits(time.second());
}

QString DateFormat::format(const QString& pattern, const QDateTime& when, const QLocale& locale) {
    const QDate date = when.date();
    const QTime time = when.time();
    if (pattern.isEmpty())
        return locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ') + tempo(time);

    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar letter = c.toLower();
        if (c == QLatin1Char('\\')) {
            if (i + 1 < pattern.size())
                out.append(pattern[i + 1]);
            i += 2;
            continue;
        }
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            out.append(QStringView(pattern).mid(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        const qsizetype run = runLength(pattern, i, letter);
        if (letter == QLatin1Char('d')) {
            // The longest token first; a longer run is split into tokens.
            const qsizetype n = qMin<qsizetype>(run, 4);
            if (n == 4)
                out.append(locale.dayName(date.dayOfWeek(), QLocale::LongFormat));
            else if (n == 3)
                out.append(locale.dayName(date.dayOfWeek(), QLocale::ShortFormat));
            else if (n == 2)
                out.append(twoDigits(date.day()));
            else
                out.append(QString::number(date.day()));
            i += n;
        } else if (letter == QLatin1Char('m')) {
            const qsizetype n = qMin<qsizetype>(run, 4);
            if (n == 4)
                out.append(locale.monthName(date.month(), QLocale::LongFormat));
            else if (n == 3)
                out.append(locale.monthName(date.month(), QLocale::ShortFormat));
            else if (n == 2)
                out.append(twoDigits(date.month()));
            else
                out.append(QString::number(date.month()));
            i += n;
        } else if (letter == QLatin1Char('y') && run >= 2) {
            if (run >= 4) {
                out.append(QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')));
                i += 4;
            } else {
                out.append(twoDigits(date.year() % 100));
                i += 2;
            }
        } else if (letter == QLatin1Char('h') || letter == QLatin1Char('n') || letter == QLatin1Char('s')) {
            const int value = letter == QLatin1Char('h')   ? time.hour()
                              : letter == QLatin1Char('n') ? time.minute()
                                                           : time.second();
            const qsizetype n = qMin<qsizetype>(run, 2);
            out.append(n == 2 ? twoDigits(value) : QString::number(value));
            i += n;
        } else {
            out.append(c);
            ++i;
        }
    }
    return out;
}

} // namespace vornal
