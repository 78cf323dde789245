#include "script.h"

#include <QFile>
#include <QHash>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A stall longer than this is a typing error rather than a test of a slow box.
constexpr double kMaxStallSeconds = 3600;

std::optional<double> parseSeconds(QByteArrayView text) {
    bool ok = false;
    const double value = QByteArray(text.data(), text.size()).trimmed().toDouble(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QByteArray> Script::unescape(QByteArrayView text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            out.append(c);
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i]) {
        case 'r':
            out.append('\r');
            break;
        case 'n':
            out.append('\n');
            break;
        case 't':
            out.append('\t');
            break;
        case '\\':
            out.append('\\');
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out.append(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::optional<Script> Script::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return parse(file.readAll(), error);
}

std::optional<Script> Script::parse(QByteArrayView source, QString* error) {
    static const QHash<QByteArray, ScriptStep::Kind> noArgument = {
        {"close", ScriptStep::Kind::Close},
        {"xoff", ScriptStep::Kind::Xoff},
        {"xon", ScriptStep::Kind::Xon},
        {"resume", ScriptStep::Kind::Resume},
    };
    Script script;
    const QList<QByteArray> lines = QByteArray(source.data(), source.size()).split('\n');
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QByteArray line = lines[index];
        if (line.endsWith('\r'))
            line.chop(1);
        const int lineNumber = static_cast<int>(index + 1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#'))
            continue;
        qsizetype indent = 0;
        while (line[indent] == ' ' || line[indent] == '\t')
            ++indent;
        line.remove(0, indent);

        // The argument is the rest of the line after one blank, kept verbatim:
        // prompts such as " +++):" start with a blank of their own.
        const qsizetype blank = line.indexOf(' ');
        const QByteArray word = blank < 0 ? line : line.left(blank);
        const QByteArrayView argument = blank < 0 ? QByteArrayView() : QByteArrayView(line).sliced(blank + 1);
        auto fail = [&](const QString& why) {
            *error = QStringLiteral("script line %1: %2").arg(lineNumber).arg(why);
            return std::nullopt;
        };

        ScriptStep step;
        step.line = lineNumber;
        if (word == "send" || word == "wait") {
            step.kind = word == "send" ? ScriptStep::Kind::Send : ScriptStep::Kind::Wait;
            const std::optional<QByteArray> text = unescape(argument);
            if (!text)
                return fail(QStringLiteral("bad escape"));
            if (text->isEmpty())
                return fail(QStringLiteral("%1 needs a text").arg(QString::fromLatin1(word)));
            step.text = *text;
        } else if (word == "pause" || word == "timeout") {
            step.kind = word == "pause" ? ScriptStep::Kind::Pause : ScriptStep::Kind::Timeout;
            const std::optional<double> seconds = parseSeconds(argument);
            if (!seconds)
                return fail(QStringLiteral("%1 needs a number of seconds").arg(QString::fromLatin1(word)));
            step.seconds = *seconds;
        } else if (word == "stall") {
            step.kind = ScriptStep::Kind::Stall;
            const std::optional<double> seconds = parseSeconds(argument);
            if (!seconds || *seconds > kMaxStallSeconds)
                return fail(QStringLiteral("stall needs a number of seconds up to %1").arg(kMaxStallSeconds));
            step.seconds = *seconds;
        } else if (argument.trimmed().isEmpty() && noArgument.contains(word)) {
            step.kind = noArgument.value(word);
        } else {
            return fail(QStringLiteral("unknown line \"%1\"").arg(QString::fromLatin1(trimmed)));
        }
        script.m_steps.push_back(step);
    }
    return script;
}
