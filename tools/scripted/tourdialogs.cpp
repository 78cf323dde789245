#include "tourdialogs.h"

#include "transcript.h"

using vornal::DialogAnswer;
using vornal::DialogButtons;

DialogAnswer TourDialogs::message(const vornal::MessageRequest& request) {
    DialogAnswer answer = DialogAnswer::Ok;
    QString shown = QStringLiteral("OK");
    switch (request.buttons) {
    case DialogButtons::YesNo:
    case DialogButtons::YesNoCancel:
        answer = DialogAnswer::Yes;
        shown = QStringLiteral("Yes");
        break;
    case DialogButtons::AbortRetryIgnore:
        answer = DialogAnswer::Ignore;
        shown = QStringLiteral("Ignore");
        break;
    case DialogButtons::RetryCancel:
        answer = DialogAnswer::Cancel;
        shown = QStringLiteral("Cancel");
        break;
    case DialogButtons::Ok:
    case DialogButtons::OkCancel:
        break;
    }
    QString text = request.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_transcript.note(QStringLiteral("message \"") + text + QStringLiteral("\" answered ") + shown);
    return answer;
}
