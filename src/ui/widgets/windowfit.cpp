#include "widgets/windowfit.h"

namespace vornal {

QSize fittingSize(QSize wanted) {
    return wanted.boundedTo(kSmallestScreen - kWindowFrame);
}

} // namespace vornal
