#include "clipboardpaste.h"

#include "textsender.h"
#include "translatechar.h"
#include "transmission.h"
#include "wordwrap.h"

#include "display/linecounter.h"
#include "files/textcodec.h"
#include "files/textfile.h"
#include "programstate.h"
#include "userdialogs.h"

#include <QFile>

namespace vornal {

namespace {

const QByteArray kCR("\r");
const QByteArray kCRLF("\r\n");
const QString kLineEnd = QStringLiteral("\r\n");
const QString kTransmitting = QStringLiteral("Transmitting Clipboard Text");

} // namespace

ClipboardPaste::ClipboardPaste(Transmission& transmission, const ProgramState& state, LineCounter& counter,
                               UserDialogs& dialogs, ProgramFolder folder, QObject* parent)
    : QObject(parent), m_transmission(transmission), m_state(state), m_counter(counter), m_dialogs(dialogs),
      m_folder(std::move(folder)) {}

QString ClipboardPaste::fold(QStringView clipboardText) {
    // The text as a file would hold it: CR LF line ends and one byte a character, so
    // what the code page cannot hold shows as '?' in the preview as it does on paper.
    const QString stored = TextCodec::decode(TextSender::withCrLf(TextCodec::encode(clipboardText) + kCRLF));
    return WordWrap(translateText(stored), TextSender::kWrapWidth) + kLineEnd;
}

QString ClipboardPaste::displayText(QStringView folded) {
    QString display;
    display.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const QChar c = folded[i];
        if (c == QLatin1Char('\r')) {
            display.append(QLatin1Char('\n'));
            if (i + 1 < folded.size() && folded[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            display.append(c);
        }
    }
    return display;
}

void ClipboardPaste::error(const QString& text) {
    m_dialogs.message({text, QString(), DialogButtons::Ok, DialogIcon::Warning, {}});
}

void ClipboardPaste::reportStop(const QString& what) {
    const QString reason = m_transmission.lastError().text;
    if (!m_transmission.deviceWasLost())
        error(reason);
    emit status(what + QStringLiteral(" stopped: ") +
                (m_transmission.deviceWasLost() ? QStringLiteral("the interface box was lost") : reason));
}

ClipboardPaste::Outcome ClipboardPaste::paste(const QString& clipboardText) {
    return run(m_state.pastePreview, clipboardText);
}

ClipboardPaste::Outcome ClipboardPaste::sendPreview() {
    emit pastePreviewSet(false);
    return run(false, QString());
}

ClipboardPaste::Outcome ClipboardPaste::run(bool previewPass, const QString& clipboardText) {
    if (!previewPass && !m_state.connectionActive) {
        emit beep();
        m_dialogs.message({QStringLiteral(" No active connection  ......"),
                           QString(),
                           DialogButtons::Ok,
                           DialogIcon::None,
                           {}});
        return Outcome::NoConnection;
    }
    const Outcome outcome = previewPass ? preview(clipboardText) : send();
    if (outcome != Outcome::Busy) {
        m_counter.resetBar();
        emit pastePreviewSet(true);
    }
    return outcome;
}

ClipboardPaste::Outcome ClipboardPaste::preview(const QString& clipboardText) {
    if (m_transmission.isRunning()) {
        emit status(QStringLiteral("Clipboard not previewed: another transmission is running"));
        return Outcome::Busy;
    }
    const QString scratch = m_folder.file(QString::fromLatin1(kScratchFile));
    QFile::remove(scratch);
    const QString folded = fold(clipboardText);
    // The copy on disk is what "Send Preview" will transmit.
    if (const FileResult written = TextFile::writeText(scratch, folded, m_folder.writer()); !written) {
        error(written.error);
        return Outcome::Stopped;
    }
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            emit status(kTransmitting);
            // The box gets its CR in the preview pass too.
            run.write(kCR);
            m_previewed = folded;
            emit previewReady(displayText(folded));
            run.showCount(folded.size() - folded.lastIndexOf(QLatin1Char('\r')));
        });
    if (outcome == Transmission::Outcome::Failed)
        reportStop(QStringLiteral("Clipboard preview"));
    return Outcome::Previewed;
}

ClipboardPaste::Outcome ClipboardPaste::send() {
    const QByteArray wire = TextCodec::encode(m_previewed);
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            run.show(kTransmitting);
            emit status(kTransmitting);
            // The leading CR is paced like every other character.
            const bool started = run.write(kCR);
            emit previewCleared();
            if (!started || !run.next())
                return;
            qint64 count = 0;
            for (const char c : wire) {
                if (c == '\r')
                    count = 0;
                // LF is never sent: CR is the line end on the wire; its turn still takes
                // one pause, which gives the carriage time to return.
                if (c != '\n' && !run.write(QByteArray(1, c)))
                    return;
                ++count;
                if (!run.next())
                    return;
                run.showCount(count);
            }
        });
    switch (outcome) {
    case Transmission::Outcome::Busy:
        emit status(QStringLiteral("Clipboard text not sent: another transmission is running"));
        return Outcome::Busy;
    case Transmission::Outcome::Failed:
        reportStop(QStringLiteral("Clipboard transmission"));
        return Outcome::Stopped;
    case Transmission::Outcome::Cancelled:
        return Outcome::Stopped;
    case Transmission::Outcome::Done:
        break;
    }
    return Outcome::Sent;
}

} // namespace vornal
