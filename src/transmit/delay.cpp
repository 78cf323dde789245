#include "delay.h"

namespace vornal {

void Delay(double seconds) {
    const Wait::Clock::duration length = secondsToDuration(seconds);
    if (length > Wait::Clock::duration::zero())
        Wait(Wait::Clock::now() + length).run();
}

} // namespace vornal
