#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace vornal {

class PhonebookUpdate;

// The phonebook update window: the list of downloaded subscribers, the favourite and
// broadcast numbers of the old phonebook, the record being received, the status line
// and the "Retrieve" and "EXIT" buttons. It shows what its PhonebookUpdate announces;
// while a download or a save runs the window cannot be closed.
class UpdateWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = " Vornal Phonebook Update Utility ";
    static constexpr qint64 kRecordShowMs = 40;

    explicit UpdateWindow(PhonebookUpdate& update, QWidget* parent = nullptr);

    // Pixels for a length in twips on this window's screen.
    int twips(int length) const;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void place(QWidget* w, int left, int top, int width, int height);
    void showStatus(const QString& text, quint32 colour);
    // Shows the record received last, if it is not shown yet.
    void showRecord();

    PhonebookUpdate& m_update;
    QTreeView* m_lvwStat = nullptr;
    QListWidget* m_lstFav = nullptr;
    QListWidget* m_lstRSend = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QPushButton* m_lblRetrieve = nullptr;
    QPushButton* m_lblExit = nullptr;
    QLabel* m_lblStatus = nullptr;
    QTimer m_recordTimer;
    QElapsedTimer m_sinceRecordShown;
    QString m_recordNumber;
    QString m_recordName;
    bool m_recordPending = false;
};

} // namespace vornal
