#pragma once

#include "files/programfolder.h"
#include "look/objectnames.h"
#include "markedphonebooklist.h"

#include <QColor>
#include <QDialog>
#include <QList>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace vornal {

class UserDialogs;

// The frame of the favourites and the receivers window: the whole phonebook in the
// list lvwStat, one row per subscriber with a tick box for one of its marks, the
// values of the clicked row in display-only fields, and the buttons "Save", "Preview"
// and "Exit". The window is made once and afterwards only hidden and shown again,
// keeping its rows and ticks; "Exit" and the window's close button hide it.
class PhonebookListWindow : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString objectName;
        QString title;
        QString heading;
        QString help;
        QString helpName; // the help label's objectName
        QString saveCaption;
        QString saveTip;
        QString previewTip;
        QString exitTip;
        QColor tickedColour;
        bool withDate = false; // the receivers window shows the Change Date in txtAction
    };

    // The detail fields, in the order of the list's columns 0 to 8 (and 9 with a date).
    static constexpr QLatin1StringView kFieldNames[] = {
        ObjectNames::kTxtID,    ObjectNames::kTxtNumber, ObjectNames::kTxtName,  ObjectNames::kTxtChk,
        ObjectNames::kTxtRsGr1, ObjectNames::kTxtRsGr2,  ObjectNames::kTxtRsGr3, ObjectNames::kTxtRsGr4,
        ObjectNames::kTxtRsGr5, ObjectNames::kTxtAction};

    PhonebookListWindow(const Texts& texts, MarkedPhonebookList::Mark mark, QList<int> markColumns,
                        ProgramFolder folder, UserDialogs& dialogs, QWidget* parent = nullptr);

    MarkedPhonebookList& list() { return m_list; }
    // Reads the phonebook into the list ("Preview", and once when the window is made);
    // a phonebook that can be neither opened nor created is reported.
    void loadList();
    // A row's values into the detail fields, as a click on it does.
    void showRow(int row);
    bool rowShown() const { return m_rowShown; }

protected:
    QString phonebookPath() const;
    // Where the windows add their own controls: beside the list, and in the button row.
    QBoxLayout* besideList() const { return m_besideList; }
    QBoxLayout* buttonRow() const { return m_buttonRow; }
    QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip);
    QLineEdit* field(int column) const { return m_fields.value(column); }
    // "Save": the window's own.
    virtual void save() = 0;

    ProgramFolder m_folder;
    UserDialogs& m_dialogs;
    MarkedPhonebookList m_list;
    QTreeView* m_lvwStat = nullptr;
    QPushButton* m_lblSave = nullptr;
    QPushButton* m_lblPreview = nullptr;
    QPushButton* m_lblExit = nullptr;

private:
    bool m_withDate = false;
    bool m_rowShown = false;
    QList<QLineEdit*> m_fields;
    QBoxLayout* m_besideList = nullptr;
    QBoxLayout* m_buttonRow = nullptr;
};

} // namespace vornal
