#pragma once

#include "widgets/phonebooklistwindow.h"

class QListWidget;

namespace vornal {

// The broadcast receivers window: the phonebook with a tick per subscriber for its
// receiver mark (RsGr2); ticked rows are light orange. "Save Receivers List" writes the
// ticks into the phonebook and the receivers file, shows the receivers in lstRSend and
// closes the window with QDialog::Accepted, after which the header generator opens.
class ReceiversWindow : public PhonebookListWindow {
    Q_OBJECT
public:
    ReceiversWindow(ProgramFolder folder, UserDialogs& dialogs, QWidget* parent = nullptr);

protected:
    void save() override;

private:
    QListWidget* m_lstRSend = nullptr;
    bool m_saving = false;
};

} // namespace vornal
