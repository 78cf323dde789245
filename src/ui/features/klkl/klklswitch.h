#pragma once

#include "feature.h"

#include <QObject>

class QPushButton;

namespace vornal {

class FeatureContext;

// The automatic answer: the "klkl" switch in the Send group turns it on and off,
// "Edit KLKL" opens its text, and while it is on a "klkl" heard from the far side is
// answered with that text.
class KlklSwitch : public QObject, public Feature {
    Q_OBJECT
public:
    explicit KlklSwitch(FeatureContext& context);

private:
    void follow(bool on);
    void answer();

    FeatureContext& m_context;
    QPushButton* m_switch = nullptr;
};

} // namespace vornal
