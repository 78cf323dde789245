#include "rewrites.h"

#include "broadcastheader.h"
#include "broadcastreceivers.h"
#include "clock.h"
#include "editorbuffer.h"
#include "files/textfile.h"
#include "headlinesets.h"
#include "localnumbers.h"
#include "markedphonebooklist.h"
#include "messageeditor.h"
#include "phonebookfile.h"
#include "phonebookwriter.h"
#include "receiverlines.h"
#include "scripteddialogs.h"

namespace vornal::Rewrites {

namespace {

constexpr int kSubscribers = 200;

QString file(const ProgramFolder& folder, const char* name) {
    return folder.file(QString::fromLatin1(name));
}

// The phonebook of a directory update: version 1 has one subscriber more and other names.
QList<PhonebookListModel::Row> directoryRows(int version) {
    QList<PhonebookListModel::Row> rows;
    for (int k = 1; k <= kSubscribers + version; ++k) {
        PhonebookListModel::Row row;
        row[PhonebookListModel::ID] = QString::number(k);
        row[PhonebookListModel::Number] = QString::number(100000 + 7 * k);
        row[PhonebookListModel::Name] = QStringLiteral("SUBSCRIBER %1 VERSION %2").arg(k).arg(version);
        row[PhonebookListModel::RsGr2] = QString::number((k + version) % 2);
        row[PhonebookListModel::ChangeDate] = QStringLiteral("0%1.02.2024").arg(1 + version);
        rows.append(row);
    }
    return rows;
}

class TextBuffer final : public EditorBuffer {
public:
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }
    void append(const QString& text) override { m_text += text; }

private:
    QString m_text;
};

QString failure(const ScriptedDialogs& dialogs, const QString& fallback) {
    return dialogs.messages.isEmpty() ? fallback : dialogs.texts().join(QLatin1Char('\n'));
}

} // namespace

QStringList kinds() {
    return {QStringLiteral("phonebook"), QStringLiteral("localnumbers"), QStringLiteral("editor"),
            QStringLiteral("receivers"), QStringLiteral("header"),       QStringLiteral("headlines")};
}

QStringList files(const QString& kind) {
    if (kind == QLatin1String("phonebook"))
        return {QString::fromLatin1(PhonebookFile::kFileName)};
    if (kind == QLatin1String("localnumbers"))
        return {QString::fromLatin1(LocalNumbers::kFileName)};
    if (kind == QLatin1String("editor"))
        return {QStringLiteral("\\Message.txt")};
    if (kind == QLatin1String("receivers"))
        return {QString::fromLatin1(ReceiverLines::kFileName)};
    if (kind == QLatin1String("header"))
        return {QString::fromLatin1(BroadcastHeader::kFileName)};
    if (kind == QLatin1String("headlines"))
        return {QString::fromLatin1(HeadlineSets::kSetsFile),
                QString::fromLatin1(HeadlineSets::kHeadlineFile)};
    return {};
}

void prepare(const QString& kind, const ProgramFolder& folder) {
    if (kind == QLatin1String("receivers") || kind == QLatin1String("header"))
        PhonebookWriter(folder).writePhonebook(directoryRows(0));
}

QString write(const QString& kind, const ProgramFolder& folder, int version) {
    if (kind == QLatin1String("phonebook"))
        return PhonebookWriter(folder).writePhonebook(directoryRows(version)).error;
    if (kind == QLatin1String("localnumbers")) {
        LocalNumbers::Entries entries;
        for (int i = 0; i < LocalNumbers::kCount; ++i)
            entries[std::size_t(i)] = {
                QString::number(10 + i + version),
                QStringLiteral("Teleprinter %1 in room %2").arg(i).arg(100 * version + i)};
        return LocalNumbers::SaveLocalNumbers(file(folder, LocalNumbers::kFileName), entries, folder.writer())
            .error;
    }
    if (kind == QLatin1String("editor")) {
        TextBuffer buffer;
        QString text;
        for (int line = 0; line < 300 + 10 * version; ++line)
            text += QStringLiteral("Line %1 of version %2: DER SCHNELLE BRAUNE FUCHS \u00fc\u00df\r\n")
                        .arg(line)
                        .arg(version);
        buffer.setText(text);
        ScriptedDialogs dialogs;
        SystemClock clock;
        MessageEditor editor(buffer, dialogs, clock, folder);
        if (!editor.SaveFile(file(folder, "\\Message.txt")))
            return failure(dialogs, QStringLiteral("not saved"));
        return {};
    }
    if (kind == QLatin1String("receivers")) {
        MarkedPhonebookList list(MarkedPhonebookList::windowHeaders(), &PhonebookEntry::RsGr2,
                                 {PhonebookListModel::RsGr1, PhonebookListModel::RsGr2});
        PhonebookFile phonebook(file(folder, PhonebookFile::kFileName));
        if (const FileResult loaded = list.load(phonebook); !loaded)
            return loaded.error;
        for (int r = 0; r < list.list().rows().size(); ++r)
            list.list().setTicked(r, (r % 3 == 0) != (version == 1));
        list.recolour();
        PhonebookFile again(file(folder, PhonebookFile::kFileName));
        const BroadcastReceivers::Saved saved =
            BroadcastReceivers::save(list, again, file(folder, ReceiverLines::kFileName), folder.writer());
        return saved.error;
    }
    if (kind == QLatin1String("header")) {
        // The header lists the phonebook's receivers: each version has its own.
        if (const FileResult written = PhonebookWriter(folder).writePhonebook(directoryRows(version));
            !written)
            return written.error;
        PhonebookFile phonebook(file(folder, PhonebookFile::kFileName));
        const BroadcastHeader::Written written = BroadcastHeader::write(
            phonebook, file(folder, BroadcastHeader::kFileName),
            version == 0 ? QStringLiteral("OLD STATION") : QStringLiteral("NEW STATION"), folder.writer());
        return written.error;
    }
    if (kind == QLatin1String("headlines")) {
        HeadlineSets sets;
        for (int box = 0; box < HeadlineSets::kSelectBox; ++box)
            sets.setText(box, QStringLiteral("field %1 v%2").arg(box).arg(version));
        sets.select(version == 0 ? 0 : 2);
        const FileResult saved = sets.save(folder, QDateTime(QDate(2024, 3, 4 + version), QTime(5, 6, 7)));
        return saved.error;
    }
    return QStringLiteral("unknown kind ") + kind;
}

} // namespace vornal::Rewrites
