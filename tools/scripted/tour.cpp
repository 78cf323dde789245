#include "tour.h"

#include "tourrunner.h"
#include "transcript.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <cstdio>

Tour::Tour(QWidget& window, Transcript& transcript, TourRunner& runner, QString folder)
    : m_window(window), m_transcript(transcript), m_runner(runner), m_folder(std::move(folder)) {
    m_poll.setInterval(100);
    connect(&m_poll, &QTimer::timeout, this, &Tour::poll);
}

void Tour::start() {
    m_index = 0;
    begin();
    m_poll.start();
}

void Tour::begin() {
    const Step& step = m_steps.at(m_index);
    m_transcript.step(QStringLiteral("%1. %2").arg(m_index + 1).arg(step.name));
    std::printf("vornal-tour: %d. %s\n", m_index + 1, qPrintable(step.name));
    std::fflush(stdout);
    m_stepClock.start();
    m_settling = false;
    if (step.action)
        step.action();
}

void Tour::poll() {
    // A modal window of the tour turns the event loop itself; the step goes on after it.
    if (m_runner.running() || m_settling || m_index < 0 || m_index >= m_steps.size())
        return;
    const Step& step = m_steps.at(m_index);
    const bool done = !step.done || step.done();
    if (!done && m_stepClock.elapsed() < step.timeoutMs)
        return;
    if (!done) {
        m_transcript.note(QStringLiteral("not seen in time"));
        m_missed.append(step.name);
    }
    // A moment for the window to show what came last, then its picture.
    m_settling = true;
    QTimer::singleShot(400, this, [this] {
        picture();
        if (++m_index < m_steps.size())
            begin();
        else
            finish();
    });
}

void Tour::picture() {
    QString slug = m_steps.at(m_index).name.toLower();
    for (QChar& c : slug) {
        if (!c.isLetterOrNumber())
            c = QLatin1Char('-');
    }
    const QString path =
        m_folder + QStringLiteral("/%1-%2.png").arg(m_index + 1, 2, 10, QLatin1Char('0')).arg(slug);
    if (m_window.grab().save(path))
        std::printf("vornal-tour: %s\n", qPrintable(path));
    std::fflush(stdout);
}

void Tour::finish() {
    m_poll.stop();
    const QString path = m_folder + QStringLiteral("/transcript.txt");
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(m_transcript.text().toUtf8()) > 0;
    file.close();
    if (!written)
        std::fprintf(stderr, "vornal-tour: cannot write %s\n", qPrintable(path));
    for (const QString& missed : m_missed)
        std::fprintf(stderr, "vornal-tour: the step \"%s\" did not see what it waited for\n",
                     qPrintable(missed));
    std::printf("vornal-tour: the pictures and the transcript of the line are in %s\n", qPrintable(m_folder));
    std::fflush(stdout);
    QApplication::exit(written && m_missed.isEmpty() ? 0 : 1);
}
