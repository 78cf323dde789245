#pragma once

#include "feature.h"

#include <QObject>

#include <memory>

namespace vornal {

class CallSlotsPanel;
class FeatureContext;
class LocalNumbersEditor;
class SlotDialler;

// The call lists of the main window: the favourite slots from the phonebook, the
// local numbers and their editor, and the buttons that show them. The favourite slots
// are read again whenever the program's lists are refreshed.
class PhonebookPanels : public QObject, public Feature {
    Q_OBJECT
public:
    explicit PhonebookPanels(FeatureContext& context);
    ~PhonebookPanels() override;

    // Fills the favourite slots from the phonebook (the part of "Refresh Lists" that
    // is this feature's).
    void fillFavourites();
    void refreshLists() override { fillFavourites(); }
    // "Favorites" and "Exit Favorites".
    void showFavourites();
    void hideFavourites();
    // "Local Numbers" and "Exit Local Numbers".
    void showLocalNumbers();
    void hideLocalNumbers();
    // "Edit Local Nr." and "Exit Local Numbers Editor".
    void editLocalNumbers();
    void exitLocalNumbersEditor();
    void dialFavourite(int i);
    void dialLocalNumber(int i);

private:
    QString localNumbersPath() const;

    FeatureContext& m_context;
    std::unique_ptr<SlotDialler> m_dialler;
    CallSlotsPanel* m_favourites = nullptr;
    CallSlotsPanel* m_localCalls = nullptr;
    LocalNumbersEditor* m_localEditor = nullptr;
};

} // namespace vornal
