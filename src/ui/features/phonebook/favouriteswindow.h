#pragma once

#include "widgets/phonebooklistwindow.h"

namespace vornal {

class InterfaceCommands;
class SerialLink;

// The favourites window: the phonebook with a tick per subscriber for its favourite
// mark (Check); ticked rows are light green. "Save" writes the ticks into the phonebook
// and announces it, so that the main window's favourite slots are filled again;
// "Call" dials the subscriber of the clicked row.
class FavouritesWindow : public PhonebookListWindow {
    Q_OBJECT
public:
    static constexpr const char* kNoSelection = "No selection was made ....";

    FavouritesWindow(const ProgramFolder& folder, UserDialogs& dialogs, SerialLink& link,
                     InterfaceCommands& commands, QWidget* parent = nullptr);

    // "Call": the window hides and the clicked row is dialled; without a clicked row or
    // with the port closed the operator is told so.
    void CallSelected();

signals:
    // The favourites were written to the phonebook.
    void saved();
    void beep();

protected:
    void save() override;

private:
    SerialLink& m_link;
    InterfaceCommands& m_commands;
    QPushButton* m_lblCalling = nullptr;
};

} // namespace vornal
