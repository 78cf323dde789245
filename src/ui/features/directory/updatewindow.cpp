#include "features/directory/updatewindow.h"

#include "theme/theme.h"
#include "widgets/buttonkit.h"
#include "widgets/phonebookview.h"

#include "look/objectnames.h"
#include "phonebookupdate.h"

#include <QCloseEvent>
#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

namespace vornal {

namespace {

QPushButton* makeButton(QLatin1StringView name, const QString& caption, const QString& tip) {
    return makeButton(ButtonKind::Window, name, caption, tip);
}

QLabel* makeLabel(const QString& caption) {
    auto* l = new QLabel(caption);
    return l;
}

} // namespace

UpdateWindow::UpdateWindow(PhonebookUpdate& update, QWidget* parent) : QDialog(parent), m_update(update) {
    setObjectName(ObjectNames::kFrmUpdate);
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    setFixedSize(twips(14985), twips(9060));

    m_lvwStat = makePhonebookView(
        ObjectNames::kLvwStat, &m_update.list(), m_update.list(), PhonebookListModel::kColumnCount,
        [this](int column) { m_update.sortByColumn(column); }, this);
    place(m_lvwStat, 285, 1245, 11190, 5880);

    auto* favLabel = makeLabel(QStringLiteral("Favorites"));
    place(favLabel, 12000, 165, 1275, 400);
    m_lstFav = new QListWidget;
    m_lstFav->setObjectName(ObjectNames::kLstFav);
    m_lstFav->setAccessibleName(favLabel->text());
    favLabel->setBuddy(m_lstFav);
    place(m_lstFav, 12000, 615, 1275, 6495);
    auto* rsendLabel = makeLabel(QStringLiteral("Rundsenden"));
    place(rsendLabel, 13410, 165, 1275, 400);
    m_lstRSend = new QListWidget;
    m_lstRSend->setObjectName(ObjectNames::kLstRSend);
    m_lstRSend->setAccessibleName(rsendLabel->text());
    rsendLabel->setBuddy(m_lstRSend);
    place(m_lstRSend, 13410, 615, 1275, 6495);

    auto* numberLabel = makeLabel(QStringLiteral("Number"));
    numberLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(numberLabel, 285, 315, 720, 285);
    m_text1 = new QLineEdit;
    m_text1->setObjectName(ObjectNames::kText1);
    m_text1->setReadOnly(true);
    numberLabel->setBuddy(m_text1);
    place(m_text1, 1080, 315, 1830, 285);
    auto* nameLabel = makeLabel(QStringLiteral("Name"));
    nameLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(nameLabel, 3090, 300, 780, 300);
    m_text2 = new QLineEdit;
    m_text2->setObjectName(ObjectNames::kText2);
    m_text2->setReadOnly(true);
    nameLabel->setBuddy(m_text2);
    place(m_text2, 3945, 300, 7560, 300);

    m_lblExit =
        makeButton(ObjectNames::kLblExit, QStringLiteral("EXIT"), QStringLiteral("Close the update window"));
    place(m_lblExit, 210, 8010, 1620, 585);
    m_lblRetrieve = makeButton(ObjectNames::kLblRetrieve, QStringLiteral("Retrieve"),
                               QStringLiteral("Download the subscriber list and update the phonebook"));
    // A little right of its design place, which overlapped EXIT by 60 twips.
    place(m_lblRetrieve, 1920, 7995, 1620, 585);

    m_lblStatus = new QLabel;
    // Text from data (names, paths, the system's words) shows as it is.
    m_lblStatus->setTextFormat(Qt::PlainText);
    m_lblStatus->setObjectName(ObjectNames::kLblStatus);
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_lblStatus, 3570, 7710, 9720, 1095);

    // The two commands outside the visible area.
    auto* save =
        makeButton(ObjectNames::kCmdSave, QStringLiteral("save"), QStringLiteral("Save the list as it is"));
    place(save, 15100, 0, 900, 400);
    save->setVisible(false);
    auto* fresh = makeButton(ObjectNames::kCmdNewPhonebook, QStringLiteral("New Phonebook"),
                             QStringLiteral("Fill the list with 500 generated rows"));
    place(fresh, 15100, 500, 1500, 400);
    fresh->setVisible(false);

    connect(m_lblExit, &QPushButton::clicked, this, &UpdateWindow::accept);
    connect(m_lblRetrieve, &QPushButton::clicked, this, [this] { m_update.Retrieve(); });
    connect(save, &QPushButton::clicked, this, [this] { m_update.WritePhonebook(); });
    connect(fresh, &QPushButton::clicked, this, [this] { m_update.newPhonebook(); });

    connect(&m_update, &PhonebookUpdate::statusChanged, this, &UpdateWindow::showStatus);
    connect(&m_update, &PhonebookUpdate::buttonsEnabledChanged, this, [this](bool on) {
        m_lblExit->setEnabled(on);
        m_lblRetrieve->setEnabled(on);
    });
    // The record being received is shown at most every kRecordShowMs: set and painted
    // for every one of thousands of records a second, the two fields would cost more
    // than the download itself. The last one is always shown.
    m_recordTimer.setSingleShot(true);
    connect(&m_recordTimer, &QTimer::timeout, this, &UpdateWindow::showRecord);
    connect(&m_update, &PhonebookUpdate::currentRecord, this,
            [this](const QString& number, const QString& name) {
                m_recordNumber = number;
                m_recordName = name;
                m_recordPending = true;
                if (!m_sinceRecordShown.isValid() || m_sinceRecordShown.elapsed() >= kRecordShowMs)
                    showRecord();
                else if (!m_recordTimer.isActive())
                    m_recordTimer.start(int(kRecordShowMs - m_sinceRecordShown.elapsed()));
            });
    connect(&m_update, &PhonebookUpdate::marksLoaded, this,
            [this](const QStringList& favourites, const QStringList& receivers) {
                m_lstFav->clear();
                m_lstFav->addItems(favourites);
                m_lstRSend->clear();
                m_lstRSend->addItems(receivers);
            });

    showStatus(m_update.statusText(), m_update.statusColour());
    m_lblExit->setEnabled(m_update.buttonsEnabled());
    m_lblRetrieve->setEnabled(m_update.buttonsEnabled());
}

int UpdateWindow::twips(int length) const {
    return Theme::twipsToPixels(length, this);
}

void UpdateWindow::place(QWidget* w, int left, int top, int width, int height) {
    w->setParent(this);
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void UpdateWindow::showRecord() {
    m_recordTimer.stop();
    m_sinceRecordShown.start();
    if (!m_recordPending)
        return;
    m_recordPending = false;
    m_text1->setText(m_recordNumber);
    m_text2->setText(m_recordName);
}

void UpdateWindow::showStatus(const QString& text, quint32 colour) {
    // The download has moved on: its last record is shown first.
    showRecord();
    m_lblStatus->setText(text);
    // The status colour is the update's own state colour, shown through the palette.
    QPalette palette = m_lblStatus->palette();
    palette.setColor(QPalette::WindowText, Theme::fromColourValue(colour));
    m_lblStatus->setPalette(palette);
    m_lblStatus->setProperty("colourValue", colour);
}

void UpdateWindow::reject() {
    if (!m_update.busy())
        QDialog::reject();
}

void UpdateWindow::closeEvent(QCloseEvent* event) {
    if (m_update.busy()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace vornal
