#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace vornal {

// One subscriber of the phonebook and its 124-byte record in "\phonebook.txt":
// little-endian 16-bit integers and one byte per character in Windows-1252.
//
//   0  ID          2   Number (12)   14  Name (40)   54  Check
//   56 RsGr1 .. 64 RsGr5   66 length n of ChangeDate   68 ChangeDate (n)   68+n filler
//
// Writers set the marks to 1 or 0. Readers differ in what counts as set: the main
// window's favourite slots take any Check other than 0, the list windows only 1.
struct PhonebookEntry {
    static constexpr int kRecordSize = 124;
    static constexpr int kNumberLength = 12;
    static constexpr int kNameLength = 40;
    static constexpr int kChangeDateMax = 56;

    qint16 ID = 0;
    QString Number; // as stored: 12 characters with the padding blanks
    QString Name;   // as stored: 40 characters with the padding blanks
    qint16 Check = 0;
    qint16 RsGr1 = 0;
    qint16 RsGr2 = 0; // broadcast receiver mark
    qint16 RsGr3 = 0;
    qint16 RsGr4 = 0;
    qint16 RsGr5 = 0;
    QString ChangeDate; // 0 to 56 characters, "dd.mm.yyyy" from the directory update

    // The record form: Number and Name cut or blank-padded to 12 and 40 characters,
    // ChangeDate cut to 56, the filler zero bytes. Always kRecordSize bytes.
    QByteArray toRecord() const;
    // Reads one record of kRecordSize bytes (a shorter view gives an empty entry).
    // A stored ChangeDate length outside 0..56, as in a damaged record, is held to
    // that range, so a read never reaches past the record.
    static PhonebookEntry fromRecord(QByteArrayView record);

    // Number without its padding blanks at the end.
    QString trimmedNumber() const;
    // Name without its padding blanks at the end.
    QString trimmedName() const;

    friend bool operator==(const PhonebookEntry&, const PhonebookEntry&) = default;
};

} // namespace vornal
