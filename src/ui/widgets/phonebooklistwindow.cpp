#include "widgets/phonebooklistwindow.h"

#include "theme/theme.h"
#include "widgets/buttonkit.h"
#include "widgets/phonebookview.h"
#include "widgets/windowfit.h"

#include "look/objectnames.h"
#include "phonebookfile.h"
#include "userdialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace vornal {

namespace {

// The labels of the detail fields; the favourites window has none for the ID field,
// whose text "ID" stands until the first row is clicked.
const char* const kFieldLabels[] = {"ID",    "Number", "Name",  "Chk",   "RsGr1",
                                    "RsGr2", "RsGr3",  "RsGr4", "RsGr5", "Date"};

} // namespace

PhonebookListWindow::PhonebookListWindow(const Texts& texts, MarkedPhonebookList::Mark mark,
                                         QList<int> markColumns, ProgramFolder folder, UserDialogs& dialogs,
                                         QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs),
      m_list(MarkedPhonebookList::windowHeaders(), mark, std::move(markColumns)), m_withDate(texts.withDate) {
    setObjectName(texts.objectName);
    setWindowTitle(texts.title);
    setModal(true);
    m_list.list().setTickedBackground(texts.tickedColour);

    auto* root = new QVBoxLayout(this);
    auto* heading = new QLabel(texts.heading);
    heading->setObjectName(ObjectNames::kLblHeading);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    root->addWidget(heading);
    auto* help = new QLabel(texts.help);
    help->setObjectName(texts.helpName);
    help->setWordWrap(true);
    help->setTextInteractionFlags(Qt::TextSelectableByMouse);
    root->addWidget(help);

    m_lvwStat = makePhonebookView(
        ObjectNames::kLvwStat, &m_list.list(), m_list.list(), PhonebookListModel::kColumnCount,
        [this](int column) { m_list.list().sortByColumn(column); }, this);
    connect(m_lvwStat, &QTreeView::clicked, this, [this](const QModelIndex& index) { showRow(index.row()); });
    connect(m_lvwStat, &QTreeView::activated, this,
            [this](const QModelIndex& index) { showRow(index.row()); });
    m_besideList = new QHBoxLayout;
    m_besideList->addWidget(m_lvwStat, 1);
    root->addLayout(m_besideList, 1);

    auto* details = new QGridLayout;
    const int fieldCount = texts.withDate ? 10 : 9;
    for (int c = 0; c < fieldCount; ++c) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(kFieldNames[c]));
        edit->setReadOnly(true);
        const QString label = QString::fromLatin1(kFieldLabels[c]);
        if (c > 0 || texts.withDate) {
            auto* caption = new QLabel(label);
            caption->setBuddy(edit);
            details->addWidget(caption, 0, c);
        } else {
            edit->setAccessibleName(label);
        }
        details->addWidget(edit, 1, c);
        details->setColumnStretch(c, c == PhonebookListModel::Name     ? 4
                                     : c == PhonebookListModel::Number ? 2
                                                                       : 1);
        m_fields.append(edit);
    }
    if (!texts.withDate)
        m_fields.first()->setText(QStringLiteral("ID"));
    root->addLayout(details);

    m_buttonRow = new QHBoxLayout;
    m_lblSave = makeButton(ObjectNames::kLblSave, texts.saveCaption, texts.saveTip);
    m_lblSave->setEnabled(false);
    m_lblPreview = makeButton(ObjectNames::kLblPreview, QStringLiteral("Preview"), texts.previewTip);
    m_lblExit = makeButton(ObjectNames::kLblExit, QStringLiteral("Exit"), texts.exitTip);
    m_buttonRow->addWidget(m_lblSave);
    m_buttonRow->addWidget(m_lblPreview);
    m_buttonRow->addStretch(1);
    m_buttonRow->addWidget(m_lblExit);
    root->addLayout(m_buttonRow);

    connect(&m_list, &MarkedPhonebookList::saveEnabledChanged, m_lblSave, &QPushButton::setEnabled);
    connect(m_lblSave, &QPushButton::clicked, this, [this] { save(); });
    connect(m_lblPreview, &QPushButton::clicked, this, &PhonebookListWindow::loadList);
    connect(m_lblExit, &QPushButton::clicked, this, &QDialog::reject);

    resize(fittingSize(QSize(Theme::twipsToPixels(14400, this), Theme::twipsToPixels(9000, this))));
}

QPushButton* PhonebookListWindow::makeButton(const QString& name, const QString& caption,
                                             const QString& tip) {
    return vornal::makeButton(ButtonKind::Dialog, name, caption, tip);
}

QString PhonebookListWindow::phonebookPath() const {
    return m_folder.file(QString::fromLatin1(PhonebookFile::kFileName));
}

void PhonebookListWindow::loadList() {
    PhonebookFile file(phonebookPath());
    if (const FileResult loaded = m_list.load(file); !loaded)
        m_dialogs.critical(loaded.error);
}

void PhonebookListWindow::showRow(int row) {
    if (row < 0 || row >= m_list.list().rows().size())
        return;
    const PhonebookListModel::Row& values = m_list.list().row(row);
    for (int c = 0; c < m_fields.size(); ++c)
        m_fields.at(c)->setText(values[size_t(c)]);
    m_rowShown = true;
}

} // namespace vornal
