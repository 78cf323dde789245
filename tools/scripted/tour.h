#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;
class Transcript;
class TourRunner;

// A scripted walk through the program: each step presses its buttons, waits until
// what it expects has gone over the line (or its time is up), and leaves a picture of
// the window. At the end the transcript is written and the program ends: 0 when every
// step saw what it waited for.
class Tour : public QObject {
    Q_OBJECT
public:
    struct Step {
        QString name;
        std::function<void()> action;
        std::function<bool()> done;
        int timeoutMs = 10000;
    };

    Tour(QWidget& window, Transcript& transcript, TourRunner& runner, QString folder);
    void add(Step step) { m_steps.append(std::move(step)); }
    void start();

private:
    void begin();
    void poll();
    void picture();
    void finish();

    QWidget& m_window;
    Transcript& m_transcript;
    TourRunner& m_runner;
    QString m_folder;
    QList<Step> m_steps;
    int m_index = -1;
    bool m_settling = false;
    QStringList m_missed;
    QElapsedTimer m_stepClock;
    QTimer m_poll;
};
