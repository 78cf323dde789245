// A reference for the text-file sender's pacing: the plainest sender on an absolute
// schedule. It opens the tty raw and writes what the program writes, one byte at a time,
// byte k at k times the character delay from the start (CLOCK_MONOTONIC, TIMER_ABSTIME):
// the CR of opening the port and the call's byte 1, a second later the leading CR and then
// the same text wrapped at 68 columns, each line ended by a CR whose dropped LF still takes
// its turn.
//   bench_reference_sender TTY CHAR_DELAY_SECONDS CHARACTERS
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr size_t kWrapWidth = 68;

// The same words as the program's sender, wrapped as it wraps them: a line breaks before
// a word that would reach past the width, the blank after a word stays on its line, and
// each line and then the text end with CR LF.
std::string wrappedText(size_t characters) {
    static const char* const kWords[] = {"VORNAL",   "TELEX",  "PRUEFTEXT", "DER",
                                         "SCHNELLE", "BRAUNE", "FUCHS",     "1234"};
    std::string text;
    for (int i = 0; text.size() < characters; ++i)
        text += std::string(kWords[i % 8]) + ' ';
    text.resize(characters);
    std::string wire;
    size_t column = 0;
    for (size_t word = 0; word < text.size();) {
        const size_t end = std::min(text.find(' ', word), text.size());
        if (column > 0 && column + (end - word) > kWrapWidth) {
            wire += "\r\n";
            column = 0;
        }
        const size_t token = std::min(end + 1, text.size()) - word;
        wire.append(text, word, token);
        column += token;
        word += token;
    }
    return wire + "\r\n\r\n";
}

timespec after(timespec t, long long ns) {
    ns += t.tv_nsec;
    t.tv_sec += time_t(ns / 1000000000LL);
    t.tv_nsec = long(ns % 1000000000LL);
    return t;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TTY CHAR_DELAY CHARACTERS\n", argv[0]);
        return 2;
    }
    const long long interval = std::llround(std::atof(argv[2]) * 1e9);
    const std::string wire = "\r" + wrappedText(size_t(std::atoi(argv[3])));
    const int fd = open(argv[1], O_WRONLY | O_NOCTTY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
    if (write(fd, "\r\x01", 2) != 2)
        return 1;
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    start = after(start, 1000000000LL);
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &start, nullptr);
    const double cpuBefore = cpuSeconds();
    long long slot = 0;
    size_t written = 0;
    for (const char c : wire) {
        const timespec due = after(start, slot++ * interval);
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr);
        // LF is not sent; its slot is the carriage's turn.
        if (c != '\n' && write(fd, &c, 1) == 1)
            ++written;
    }
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double took = double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) / 1e9;
    std::printf("reference: %zu bytes at CharDelay %s s took %.3f s; CPU %.2f %% of one core\n", written,
                argv[2], took, 100.0 * (cpuSeconds() - cpuBefore) / took);
    tcdrain(fd);
    close(fd);
    return 0;
}
