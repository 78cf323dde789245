#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace vornal {

// The date label's pattern (value line 2 of the configuration). Tokens, in any case:
//   d dd        day without / with a leading zero;  ddd dddd  weekday short / long
//   m mm        month without / with a leading zero; mmm mmmm month name short / long
//   yy yyyy     two- or four-digit year
//   h hh n nn s ss   hours (0 to 23), minutes, seconds without / with a leading zero
// Every other character is copied; a backslash copies the character after it, and
// text in double quotes is copied as it stands. An empty pattern gives the date and
// time in the system's general form (its short date, then hh:mm:ss).
class DateFormat {
public:
    static QString format(const QString& pattern, const QDateTime& when, const QLocale& locale = QLocale());
    // The time label: two-digit hours (00 to 23), minutes and seconds.
    static QString tempo(const QTime& time);
};

} // namespace vornal
