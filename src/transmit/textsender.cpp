#include "textsender.h"

#include "charpacer.h"
#include "delay.h"
#include "translatechar.h"
#include "wordwrap.h"

#include "core/programstate.h"
#include "core/seriallink.h"
#include "core/textcodec.h"
#include "core/textlines.h"
#include "core/userdialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace vornal {

namespace {

const QByteArray kCR("\r");
const QByteArray kCRCR("\r\r");

} // namespace

TextSender::TextSender(SerialLink& link, ProgramState& state, UserDialogs& dialogs, ProgramFolder folder,
                       QObject* parent)
    : QObject(parent), m_link(link), m_state(state), m_dialogs(dialogs), m_folder(std::move(folder)) {}

bool TextSender::write(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return true;
    return m_link.output(bytes);
}

void TextSender::error(const QString& text) {
    m_dialogs.message({text, QString(), DialogButtons::Ok, DialogIcon::Warning, {}});
}

const QList<TextSender::SendCommandInfo>& TextSender::sendCommands() {
    static const QList<SendCommandInfo> kCommands = {
        {SendCommand::Header, "lblSendHeader", " You are about to send the Header File ", "Send Header",
         "\\RSHeader.txt"},
        {SendCommand::Headlines, "lblSendHeadlines", " You are about to send the Headlines File ",
         "Send Message", "\\Headline1.txt"},
        {SendCommand::Message, "lblSendMessage", " You are about to send the Message File ", "Send Message",
         "\\Message.txt"},
        {SendCommand::TextFile, "lblSendText1", " You are about to send a Text File ", "Send Message", ""},
    };
    return kCommands;
}

void TextSender::runSendCommand(SendCommand command) {
    const auto& table = sendCommands();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [command](const SendCommandInfo& c) { return c.command == command; });
    emit beep();
    const DialogAnswer answer =
        m_dialogs.message({QString::fromLatin1(it->prompt), QString(), DialogButtons::YesNo, DialogIcon::None,
                           DialogAnswer::Yes});
    if (answer != DialogAnswer::Yes)
        return;
    if (command == SendCommand::Headlines && onExitHeadlineEditor)
        onExitHeadlineEditor();
    emit status(QString::fromLatin1(it->status));
    const QString file = QString::fromLatin1(it->file);
    m_state.CurrentFilePath = file.isEmpty() ? QString() : m_folder.file(file);
    m_state.FileMode = 5;
    SendTextFile(m_state.CurrentFilePath, m_state.FileMode);
    emit sendCommandsEnabled(true);
}

bool TextSender::SendTxt(const QString& TextString) {
    m_state.CancelSend = 0;
    emit status(QStringLiteral("Transmitting Text"));
    bool sent = write(kCR);
    CharPacer pacer(m_state.config.CharDelay);
    for (qsizetype i = 0; sent && i < TextString.size(); ++i) {
        sent = write(TextCodec::encode(shortTranslateChar(TextString[i])));
        if (sent)
            pacer.waitNext();
    }
    if (!sent)
        emit status(QStringLiteral("Text not sent: ") + m_link.lastError().text);
    emit sendIndicatorIdle();
    return sent;
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

void TextSender::SendTextFile(const QString& path, int mode) {
    if (m_state.ConnectionActive == 0) {
        emit beep();
        m_dialogs.message({QStringLiteral(" No existing connection active ......"),
                           QString(),
                           DialogButtons::Ok,
                           DialogIcon::None,
                           {}});
        return;
    }
    m_state.CancelSend = 0;
    emit sendCommandsEnabled(false);
    if (path.isEmpty() && mode == 5) {
        QString chosen;
        if (!chooseFile(&chosen)) {
            emit sendCommandsEnabled(true);
            return;
        }
    } else {
        m_SendFileName = path;
    }

    QFile source(m_SendFileName);
    if (!source.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("%1: %2").arg(m_SendFileName, source.errorString()));
        finishFile();
        return;
    }
    const QByteArray raw = source.readAll();
    if (source.error() != QFile::NoError) {
        error(QStringLiteral("%1: %2").arg(m_SendFileName, source.errorString()));
        finishFile();
        return;
    }
    source.close();
    const QString translated = translateText(TextCodec::decode(raw));
    m_state.Cycle += raw.size();
    const QByteArray copy = TextCodec::encode(WordWrap(translated, kWrapWidth)) + "\r\n";

    // The copy on disk is what goes out, so it can be looked at after a transmission.
    const QString copyPath = m_folder.file(QStringLiteral("\\SendFile.txt"));
    QFile scratch(copyPath);
    if (!scratch.open(QIODevice::WriteOnly | QIODevice::Truncate) || scratch.write(copy) != copy.size() ||
        !scratch.flush()) {
        error(QStringLiteral("%1: %2").arg(copyPath, scratch.errorString()));
        finishFile();
        return;
    }
    scratch.close();
    if (!scratch.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("%1: %2").arg(copyPath, scratch.errorString()));
        finishFile();
        return;
    }
    const QByteArray wire = scratch.readAll();
    scratch.close();

    m_state.CancelSend = 0;
    emit transmissionShown(QStringLiteral("Transmitting  TextFile: ") + m_SendFileName);
    emit status(QStringLiteral("Transmitting TextFile: ") + m_SendFileName);
    // Let the cancel window appear before the first character, so that drawing it does
    // not fall into the first pause.
    QCoreApplication::processEvents();
    // The leading CR is paced like every other character, so the first character of
    // the text does not follow it at once.
    CharPacer pacer(m_state.config.CharDelay);
    bool ok = write(kCR);
    emit previewCleared();
    if (ok)
        pacer.waitNext();
    for (qsizetype i = 0; ok && i < wire.size() && m_state.CancelSend == 0; ++i) {
        const char c = wire[i];
        if (c == '\r')
            m_state.Cycle = 0;
        // LF is never sent: CR is the line end on the wire. Its turn still takes one
        // pause, which gives the carriage time to return.
        ok = c == '\n' || write(QByteArray(1, c));
        ++m_state.Cycle;
        if (!ok)
            break;
        pacer.waitNext();
        emit counterCaption(QString::number(m_state.Cycle));
    }
    if (!ok)
        error(m_link.lastError().text);
    finishFile();
}

void TextSender::finishFile() {
    emit sendTextFileEnabled();
    m_state.CancelSend = 1;
    emit sendIndicatorIdle();
    emit transmissionHidden();
}

void TextSender::SendKlkl() {
    const QString answerPath = m_folder.file(QStringLiteral("\\klkl.txt"));
    const QString tempPath = m_folder.file(QStringLiteral("\\klkl-Temp.txt"));
    QFile answer(answerPath);
    if (!answer.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("%1: %2").arg(answerPath, answer.errorString()));
        finishKlkl();
        return;
    }
    const QString text = TextCodec::decode(answer.readAll());
    answer.close();
    QFile::remove(tempPath);
    QByteArray wrapped;
    m_state.CancelSend = 0;
    for (const QString& line : splitTextLines(text))
        wrapped += TextCodec::encode(WordWrap(line, kWrapWidth)) + "\r\n";
    QFile temp(tempPath);
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate) || temp.write(wrapped) != wrapped.size() ||
        !temp.flush()) {
        error(QStringLiteral("%1: %2").arg(tempPath, temp.errorString()));
        finishKlkl();
        return;
    }
    temp.close();

    m_state.CancelSend = 0;
    emit transmissionShown(QStringLiteral("Transmitting KLKL - ") + m_SendFileName);
    emit status(QStringLiteral("Transmitting KLKL File"));
    if (!temp.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("%1: %2").arg(tempPath, temp.errorString()));
        finishKlkl();
        return;
    }
    const QString wire = TextCodec::decode(temp.readAll());
    temp.close();
    bool ok = write(kCRCR);
    if (ok) {
        Delay(m_klklPause);
        ok = write(kCRCR);
    }
    int column = 0;
    CharPacer pacer(m_state.config.CharDelay);
    if (ok)
        pacer.waitNext();
    for (qsizetype i = 0; ok && i < wire.size() && m_state.CancelSend == 0; ++i) {
        const QChar c = wire[i];
        if (c == QLatin1Char('\r'))
            column = 0;
        ok = write(TextCodec::encode(shortTranslateChar(c)));
        // Every character read counts, the dropped CR and the LF included.
        ++column;
        if (ok && column > 69) {
            ok = write(kCR);
            column = 0;
        }
        if (!ok)
            break;
        pacer.waitNext();
        emit counterCaption(QString::number(column));
    }
    if (!ok)
        error(m_link.lastError().text);
    finishKlkl();
}

void TextSender::finishKlkl() {
    // The answer always ends with its two CR CR pairs, cancelled or not.
    write(kCRCR);
    write(kCRCR);
    emit sendTextFileEnabled();
    m_state.CancelSend = 1;
    emit sendIndicatorIdle();
    emit transmissionHidden();
}

} // namespace vornal
