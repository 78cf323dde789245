#pragma once

#include <QString>

namespace vornal {

// A number with a leading blank when it is zero or positive and a minus sign when it
// is negative: the form of the port displays and of the dial prefix.
QString signedNumberText(long long value);

// The shortest decimal form of a number: 11151 gives "11151", 0.5 gives "0.5".
QString shortestNumberText(double value);

// The longest leading run of a text that forms a decimal number (after leading
// blanks): optional sign, digits, one optional point. The rest is ignored; no such run
// gives 0.
double leadingDecimalNumber(QStringView text);

} // namespace vornal
