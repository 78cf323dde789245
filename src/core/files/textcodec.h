#pragma once

#include <QByteArray>
#include <QString>

namespace vornal {

// Every file of the program and the serial line carry one byte per character in
// Windows-1252. All conversions between bytes and text go through here, so that no
// code converts with Latin-1 or UTF-8 by accident.
namespace TextCodec {

QString decode(QByteArrayView bytes);
// Characters outside Windows-1252 become '?'.
QByteArray encode(QStringView text);
char encodeChar(QChar c);
QChar decodeByte(unsigned char b);

} // namespace TextCodec
} // namespace vornal
