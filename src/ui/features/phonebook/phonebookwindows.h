#pragma once

#include <QObject>

namespace vornal {

class FeatureContext;
class ReceiversWindow;
class FavouritesWindow;

// The phonebook's windows on the main window: "Phonebook" opens the favourites window,
// "RS Receivers" the broadcast receivers window, "Set RS List" the header generator.
// The two list windows are made at their first opening and afterwards only shown
// again as they were left; the header generator is made afresh each time. A saved
// favourites list refreshes the main window's lists; saved receivers open the header
// generator, whose EXIT opens the receivers file in the editor.
class PhonebookWindows : public QObject {
    Q_OBJECT
public:
    explicit PhonebookWindows(FeatureContext& context);

    void showFavourites();
    void showReceivers();
    void showHeader();

private:
    FeatureContext& m_context;
    FavouritesWindow* m_favourites = nullptr;
    ReceiversWindow* m_receivers = nullptr;
};

} // namespace vornal
