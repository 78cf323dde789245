#pragma once

#include <QObject>

#include <memory>

namespace vornal {

class CallSlotsPanel;
class LocalNumbersEditor;
class SlotDialler;
class TerminalWindow;

// The call lists of the main window: the favourite slots from the phonebook, the
// local numbers and their editor, and the buttons that show them. Lives as a child of
// the window.
class PhonebookPanels : public QObject {
    Q_OBJECT
public:
    explicit PhonebookPanels(TerminalWindow& window);
    ~PhonebookPanels() override;

    // The panels of a window, for the windows that change the phonebook or the lists
    // and then refresh them; null before installPhonebookPanels.
    static PhonebookPanels* of(TerminalWindow& window);

    // "Refresh Lists": reloads the preset phrases, then fills the favourite slots.
    void lblRefresh_Click();
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

    CallSlotsPanel& favourites() { return *m_favourites; }
    CallSlotsPanel& localCalls() { return *m_localCalls; }
    LocalNumbersEditor& localEditor() { return *m_localEditor; }

private:
    QString localNumbersPath() const;
    void reveal(QWidget* panel);

    TerminalWindow& m_window;
    std::unique_ptr<SlotDialler> m_dialler;
    CallSlotsPanel* m_favourites = nullptr;
    CallSlotsPanel* m_localCalls = nullptr;
    LocalNumbersEditor* m_localEditor = nullptr;
};

// Builds the call list panels and their buttons into the window.
PhonebookPanels& installPhonebookPanels(TerminalWindow& window);

} // namespace vornal
