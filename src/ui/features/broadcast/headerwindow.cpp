#include "features/broadcast/headerwindow.h"

#include "theme/fonts.h"
#include "theme/theme.h"
#include "widgets/buttonkit.h"
#include "widgets/phonebookview.h"
#include "widgets/windowfit.h"

#include "broadcastheader.h"
#include "look/objectnames.h"
#include "phonebookfile.h"
#include "receiverlines.h"
#include "socketwait.h"
#include "userdialogs.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace vornal {

namespace {

constexpr int kShownColumns = 5;

// The phonebook list's first five columns, the only ones the window has: the view,
// and through it assistive technology, knows of no others.
class ShownColumns final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex&) const override {
        return sourceColumn < kShownColumns;
    }
};

QPushButton* makeButton(QLatin1StringView name, const QString& caption, const QString& tip) {
    return makeButton(ButtonKind::Dialog, name, caption, tip);
}

} // namespace

PhonebookListModel::Headers HeaderWindow::headers() {
    return {{{QStringLiteral("ID"), 600},
             {QStringLiteral("Number"), 1000},
             {QStringLiteral("Name"), 3100},
             {QStringLiteral("Numero"), 1000},
             {QStringLiteral("Nome"), 3100}}};
}

HeaderWindow::HeaderWindow(ProgramFolder folder, QString titleSuffix, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_titleSuffix(std::move(titleSuffix)), m_dialogs(dialogs),
      m_list(headers()) {
    setObjectName(ObjectNames::kFrmHeader);
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);
    m_list.setTickColumn(PhonebookListModel::ID);
    m_list.setTicksEditable(false);

    auto* root = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Generate Rundsenden Header with receivers list   WySiWyG"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    root->addWidget(title);
    for (const char* text :
         {"Creates a list of receivers from the Rundsenden Receivers Table previously set.",
          "This list can be send to a teleprinter and / or puncher automaticaly or by hand.",
          "If you use the automated Rundsenden Tool this list will be send automaticaly."})
        root->addWidget(new QLabel(QString::fromLatin1(text)));

    auto* lists = new QHBoxLayout;
    m_lstRSend = new QListWidget;
    m_lstRSend->setObjectName(ObjectNames::kLstRSend);
    m_lstRSend->setFont(teleprinterFont(font().pointSizeF(), font().pointSizeF()));
    m_lstRSend->setAccessibleName(QStringLiteral("Header preview"));
    // The ruler's 70 columns scroll sideways where the window is narrower.
    m_lstRSend->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_lstRSend->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lists->addWidget(m_lstRSend, 3);

    auto* shown = new ShownColumns(this);
    shown->setSourceModel(&m_list);
    m_lvwHeader = makePhonebookView(
        ObjectNames::kLvwHeader, shown, m_list, kShownColumns,
        [this](int column) { m_list.sortByColumn(column); }, this);
    lists->addWidget(m_lvwHeader, 2);
    root->addLayout(lists, 1);

    auto* buttons = new QHBoxLayout;
    m_cmdHeader =
        makeButton(ObjectNames::kCmdHeader, QStringLiteral("Elaborate"),
                   QStringLiteral("Generates the header again from the Rundsenden Receivers Table"));
    m_lblExit = makeButton(ObjectNames::kLblExit, QStringLiteral("EXIT"),
                           QStringLiteral("Closes the window and opens the receivers list in the editor"));
    buttons->addWidget(m_cmdHeader);
    buttons->addStretch(1);
    buttons->addWidget(m_lblExit);
    root->addLayout(buttons);
    connect(m_cmdHeader, &QPushButton::clicked, this, &HeaderWindow::GenerateHeader);
    connect(m_lblExit, &QPushButton::clicked, this, &HeaderWindow::exitToEditor);

    resize(fittingSize(QSize(Theme::twipsToPixels(17000, this), Theme::twipsToPixels(9000, this))));
    GenerateHeader();
}

void HeaderWindow::GenerateHeader() {
    // The events handled while the header is made may click "Elaborate" again; the
    // header being made is the one asked for.
    if (m_generating)
        return;
    m_generating = true;
    // The phonebook is read, the header built and written, and its list made and put in
    // the order of the names beside the window's events; the window then only takes them.
    BroadcastHeader::Written written;
    QList<PhonebookListModel::Row> rows;
    QList<int> order;
    QList<PhonebookListModel::Row> sorted;
    runBesideEvents([&] {
        PhonebookFile phonebook(m_folder);
        written =
            BroadcastHeader::write(phonebook, m_folder.file(QString::fromLatin1(BroadcastHeader::kFileName)),
                                   m_titleSuffix, m_folder.writer());
        rows = listRows(written);
        order = PhonebookListModel::sortOrder(rows, PhonebookListModel::Name);
        sorted = PhonebookListModel::permuted(rows, order);
    });

    m_lstRSend->clear();
    m_lstRSend->addItems(written.header.preview);
    m_list.setRows(std::move(rows), written.header.receivers);
    (void)m_list.reorder(order, std::move(sorted));
    m_generating = false;

    if (!written)
        m_dialogs.critical(QStringLiteral("The Rundsenden header could not be written.\n") + written.error);
}

QList<PhonebookListModel::Row> HeaderWindow::listRows(const BroadcastHeader::Written& written) {
    QList<PhonebookListModel::Row> rows;
    rows.reserve(written.entries.size());
    for (qsizetype i = 0; i < written.entries.size(); ++i) {
        const PhonebookEntry& e = written.entries.at(i);
        PhonebookListModel::Row row;
        row[PhonebookListModel::ID] = QString::number(e.ID);
        if (written.header.receivers.at(i)) {
            row[PhonebookListModel::Number] = e.Number;
            row[PhonebookListModel::Name] = e.Name;
        }
        rows.append(row);
    }
    return rows;
}

void HeaderWindow::exitToEditor() {
    emit editRequested(m_folder.file(QString::fromLatin1(ReceiverLines::kFileName)));
    accept();
}

} // namespace vornal
