#pragma once

#include <QObject>

namespace vornal {

class FeatureContext;

// "Save Text" in the Program group: the terminal text as it is shown, to a file of the
// operator's choice, Windows-1252 with CR LF line ends.
class SaveTextAction : public QObject {
    Q_OBJECT
public:
    explicit SaveTextAction(FeatureContext& context);

    void save();

private:
    FeatureContext& m_context;
};

} // namespace vornal
