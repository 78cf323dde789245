#include "textsender.h"

#include "files/programfiles.h"

#include "translatechar.h"
#include "transmission.h"
#include "wordwrap.h"

#include "display/linecounter.h"
#include "files/textcodec.h"
#include "files/textfile.h"
#include "files/textlines.h"
#include "programstate.h"
#include "userdialogs.h"

#include <QFile>
#include <QFileInfo>

namespace vornal {

namespace {

const QByteArray kCR("\r");
const QByteArray kCRCR("\r\r");
const QByteArray kCRLF("\r\n");

} // namespace

TextSender::TextSender(Transmission& transmission, const ProgramState& state, LineCounter& counter,
                       UserDialogs& dialogs, ProgramFolder folder, QObject* parent)
    : QObject(parent), m_transmission(transmission), m_state(state), m_counter(counter), m_dialogs(dialogs),
      m_folder(std::move(folder)) {}

void TextSender::error(const QString& text) {
    m_dialogs.message({text, QString(), DialogButtons::Ok, DialogIcon::Warning, {}});
}

// A failed write ends a transmission. When the interface box went away the operator
// has been told already; the status line says what became of the transmission.
void TextSender::reportStop(const QString& what) {
    const QString reason = m_transmission.lastError().text;
    if (!m_transmission.deviceWasLost())
        error(reason);
    emit status(what + QStringLiteral(" stopped: ") +
                (m_transmission.deviceWasLost() ? QStringLiteral("the interface box was lost") : reason));
}

QByteArray TextSender::withCrLf(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            out += '\r';
        out += bytes[i];
    }
    return out;
}

const QList<TextSender::SendCommandInfo>& TextSender::sendCommands() {
    static const QList<SendCommandInfo> kCommands = {
        {SendCommand::Header, " You are about to send the Header File ", "Send Header",
         ProgramFiles::kBroadcastHeader},
        {SendCommand::Headlines, " You are about to send the Headlines File ", "Send Message",
         ProgramFiles::kHeadline},
        {SendCommand::Message, " You are about to send the Message File ", "Send Message",
         ProgramFiles::kMessage},
        {SendCommand::TextFile, " You are about to send a Text File ", "Send Message", ""},
    };
    return kCommands;
}

void TextSender::runSendCommand(SendCommand command) {
    if (m_transmission.isRunning())
        return;
    const auto& table = sendCommands();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [command](const SendCommandInfo& c) { return c.command == command; });
    emit beep();
    const DialogAnswer answer =
        m_dialogs.message({QString::fromLatin1(it->prompt), QString(), DialogButtons::YesNo, DialogIcon::None,
                           DialogAnswer::Yes});
    if (answer != DialogAnswer::Yes)
        return;
    if (command == SendCommand::Headlines) {
        m_headlineNotWritten = false;
        emit headlineExitRequested();
        if (m_headlineNotWritten) {
            emit status(QStringLiteral("Headline not sent: it could not be written"));
            return;
        }
    }
    emit status(QString::fromLatin1(it->status));
    const QString file = QString::fromLatin1(it->file);
    SendTextFile(file.isEmpty() ? QString() : m_folder.file(file), FileSource::AskWhenEmpty);
}

bool TextSender::SendTxt(const QString& TextString) {
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            emit status(QStringLiteral("Transmitting Text"));
            writeShortText(run, TextString);
        });
    if (outcome == Transmission::Outcome::Busy) {
        emit status(QStringLiteral("Text not sent: another transmission is running"));
        return false;
    }
    if (outcome == Transmission::Outcome::Failed) {
        emit status(QStringLiteral("Text not sent: ") + (m_transmission.deviceWasLost()
                                                             ? QStringLiteral("the interface box was lost")
                                                             : m_transmission.lastError().text));
        return false;
    }
    return true;
}

bool TextSender::writeShortText(TransmissionRun& run, const QString& TextString) {
    run.restartPacing();
    if (!run.write(kCR))
        return false;
    for (QChar c : TextString) {
        if (!run.write(TextCodec::encode(shortTranslateChar(c))) || !run.next())
            return false;
    }
    return true;
}

bool TextSender::chooseFile(QString* path) {
    const FileRequest request{QStringLiteral("Send Text File"), m_folder.root(),
                              QStringLiteral("Text Files (*.TXT *.txt);;All Files (*.*)")};
    for (;;) {
        const QString chosen = m_dialogs.openFile(request);
        if (chosen.isEmpty())
            return false;
        m_SendFileName = chosen;
        if (QFileInfo(chosen).isFile()) {
            *path = chosen;
            return true;
        }
        error(chosen + QStringLiteral(" not found!"));
    }
}

bool TextSender::SendTextFile(const QString& path, FileSource source) {
    if (!m_state.connectionActive) {
        emit beep();
        m_dialogs.message({QStringLiteral(" No existing connection active ......"),
                           QString(),
                           DialogButtons::Ok,
                           DialogIcon::None,
                           {}});
        return false;
    }
    bool complete = false;
    // The send commands are off from here on, while the operator chooses the file too.
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            if (path.isEmpty() && source == FileSource::AskWhenEmpty) {
                QString chosen;
                if (!chooseFile(&chosen))
                    return;
            } else {
                m_SendFileName = path;
            }
            QByteArray raw;
            if (const FileResult read = TextFile::readBytes(m_SendFileName, &raw); !read) {
                error(read.error);
                return;
            }
            const QString translated = translateText(TextCodec::decode(withCrLf(raw)));
            m_counter.setCycle(m_counter.cycle() + raw.size());
            const QByteArray wire = TextCodec::encode(WordWrap(translated, kWrapWidth)) + kCRLF;

            // The copy on disk is what goes out, so it can be looked at after a transmission.
            if (const FileResult written = TextFile::writeBytes(
                    m_folder.file(QString::fromLatin1(ProgramFiles::kSendFile)), wire, m_folder.writer());
                !written) {
                error(written.error);
                return;
            }

            run.show(QStringLiteral("Transmitting  TextFile: ") + m_SendFileName);
            emit status(QStringLiteral("Transmitting TextFile: ") + m_SendFileName);
            // The leading CR is paced like every other character, so the first character of
            // the text does not follow it at once.
            const bool started = run.write(kCR);
            emit previewCleared();
            if (!started || !run.next())
                return;
            for (const char c : wire) {
                qint64 cycle = c == '\r' ? 0 : m_counter.cycle();
                // LF is never sent: CR is the line end on the wire. Its turn still takes one
                // pause, which gives the carriage time to return.
                if (c != '\n' && !run.write(QByteArray(1, c)))
                    return;
                m_counter.setCycle(++cycle);
                if (!run.next())
                    return;
                run.showCount(cycle);
            }
            complete = true;
        });
    if (outcome == Transmission::Outcome::Failed)
        reportStop(QStringLiteral("Transmission"));
    return complete && outcome == Transmission::Outcome::Done;
}

void TextSender::SendKlkl() {
    const QString answerPath = m_folder.file(QString::fromLatin1(ProgramFiles::kKlklAnswer));
    const QString tempPath = m_folder.file(QString::fromLatin1(ProgramFiles::kKlklScratch));
    const Transmission::Outcome outcome =
        m_transmission.run(m_state.config.CharDelay, [&](TransmissionRun& run) {
            // The answer always ends with its two CR CR pairs, whatever happens before.
            const auto closing = [&run] {
                run.write(kCRCR);
                run.write(kCRCR);
            };
            QString text;
            QFile::remove(tempPath);
            if (const FileResult read = TextFile::readText(answerPath, &text); !read) {
                error(read.error);
                return closing();
            }
            QByteArray wrapped;
            for (const QString& line : splitTextLines(text))
                wrapped += TextCodec::encode(WordWrap(line, kWrapWidth)) + kCRLF;
            if (const FileResult written = TextFile::writeBytes(tempPath, wrapped, m_folder.writer());
                !written) {
                error(written.error);
                return closing();
            }

            run.show(QStringLiteral("Transmitting KLKL - ") + m_SendFileName);
            emit status(QStringLiteral("Transmitting KLKL File"));
            const QString wire = TextCodec::decode(wrapped);
            if (!run.write(kCRCR))
                return closing();
            run.pause(m_klklPause);
            if (!run.write(kCRCR) || !run.next())
                return closing();
            int column = 0;
            for (const QChar c : wire) {
                if (c == QLatin1Char('\r'))
                    column = 0;
                if (!run.write(TextCodec::encode(shortTranslateChar(c))))
                    return closing();
                // Every character read counts, the dropped CR and the LF included.
                if (++column > kLineEndAt) {
                    if (!run.write(kCR))
                        return closing();
                    column = 0;
                }
                if (!run.next())
                    return closing();
                run.showCount(column);
            }
            closing();
        });
    if (outcome == Transmission::Outcome::Failed)
        reportStop(QStringLiteral("KLKL answer"));
    else if (outcome == Transmission::Outcome::Busy)
        emit status(QStringLiteral("KLKL answer not sent: another transmission is running"));
}

} // namespace vornal
