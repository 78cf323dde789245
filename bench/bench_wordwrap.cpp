// Wrapping and pacing figures: WordWrap (and the full translation) of a 1 MB text,
// median of 5 runs; Delay(0.01) and the character pacer at 10 ms over 200 calls each,
// with the mean overshoot and the process CPU time used while pacing.
#include "benchsupport.h"
#include "charpacer.h"
#include "delay.h"
#include "translatechar.h"
#include "wordwrap.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

using namespace vornal;

namespace {

// Words of 1 to 12 letters with umlauts and signs among them, single blanks, a line
// end every 40 words or so and now and then a word longer than a line.
QString sampleText(qsizetype size) {
    QRandomGenerator random(1);
    const QString alphabet = QString::fromLatin1("abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC\xDF@\"");
    QString text;
    text.reserve(size);
    while (text.size() < size) {
        const int length = random.bounded(200) == 0 ? 150 : 1 + int(random.bounded(12));
        for (int i = 0; i < length; ++i)
            text.append(alphabet[int(random.bounded(alphabet.size()))]);
        text.append(random.bounded(40) == 0 ? QStringLiteral("\r\n") : QStringLiteral(" "));
    }
    return text;
}

template <typename F> void pacing(const char* name, int calls, double seconds, F&& wait) {
    const double cpuStart = processCpuSeconds();
    const auto start = Steady::now();
    double overshootMs = 0;
    double worstMs = 0;
    for (int i = 0; i < calls; ++i) {
        const auto before = Steady::now();
        wait();
        const double over = msSince(before) - seconds * 1000.0;
        overshootMs += over;
        worstMs = std::max(worstMs, over);
    }
    const double wallMs = msSince(start);
    const double cpuMs = (processCpuSeconds() - cpuStart) * 1000.0;
    std::printf("%s x %d: wall %.1f ms (asked %.1f ms), mean overshoot %.3f ms, worst %.3f ms, "
                "CPU %.1f ms = %.2f %% of one core\n",
                name, calls, wallMs, calls * seconds * 1000.0, overshootMs / calls, worstMs, cpuMs,
                100.0 * cpuMs / wallMs);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);

    const QString text = sampleText(1 << 20);
    QString translated;
    const double translateMs = medianMs(5, [&] { translated = vornal::translateText(text); });
    QString wrapped;
    const double wrapMs = medianMs(5, [&] { wrapped = vornal::WordWrap(translated, 68); });
    std::printf("translateText of %lld characters: median %.2f ms\n", qlonglong(text.size()), translateMs);
    std::printf("WordWrap(68) of %lld characters: median %.2f ms (%lld characters out)\n",
                qlonglong(translated.size()), wrapMs, qlonglong(wrapped.size()));

    constexpr int calls = 200;
    constexpr double interval = 0.01;
    pacing("Delay(0.01)", calls, interval, [] { vornal::Delay(interval); });

    vornal::CharPacer pacer(interval);
    pacer.start();
    const auto scheduleStart = pacer.deadline();
    const double cpuStart = processCpuSeconds();
    for (int i = 0; i < calls; ++i)
        pacer.waitNext();
    const double wallMs = msSince(scheduleStart);
    const double cpuMs = (processCpuSeconds() - cpuStart) * 1000.0;
    std::printf("CharPacer(0.01) x %d: wall %.1f ms (schedule %.1f ms), CPU %.1f ms = %.2f %% of one core\n",
                calls, wallMs, calls * interval * 1000.0, cpuMs, 100.0 * cpuMs / wallMs);
    return 0;
}
