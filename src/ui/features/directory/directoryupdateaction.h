#pragma once

#include "phonebookupdate.h"
#include "systemhostresolver.h"

#include <QObject>

namespace vornal {

class FeatureContext;

// The main window's "Update": the warning, then the update window on the configured
// directory server. After the phonebook was replaced the program's lists are
// refreshed.
class DirectoryUpdateAction : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kWarning =
        "This Option will retrieve the subscriber list directly from one the pre-defined servers, Favorites "
        "and "
        "Rundsend will be saved automaticaly. Please do not abuse to prevent Server issues!!";
    static constexpr const char* kWarningTitle = "Update Vornal Phonebook";

    explicit DirectoryUpdateAction(FeatureContext& context);

    // Shows the warning; on Yes, the update window, modal.
    void OpenUpdate();

    // Port, time-outs and the pause after sorting; the defaults are the real ones.
    void setOptions(const PhonebookUpdate::Options& options) { m_options = options; }

private:
    FeatureContext& m_context;
    SystemHostResolver m_systemResolver;
    PhonebookUpdate::Options m_options;
};

} // namespace vornal
