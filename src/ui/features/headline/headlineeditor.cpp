#include "features/headline/headlineeditor.h"

#include "featurecontext.h"
#include "terminalservices.h"
#include "terminalsession.h"
#include "theme/fonts.h"
#include "theme/theme.h"
#include "theme/themerole.h"
#include "widgets/buttonkit.h"
#include "widgets/overlayplacement.h"
#include "widgets/panelkeys.h"

#include "clock.h"
#include "look/objectnames.h"
#include "textsender.h"
#include "userdialogs.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vornal {

namespace {

// The panel's place over the main window, in twips.
const QRect kPlace(45, 60, 13365, 5145);

QPushButton* button(const QString& name, const QString& caption, const QString& tip) {
    return makeButton(ButtonKind::Command, name, caption, tip);
}

QString fieldName(int position) {
    static const char* const kNames[HeadlineSets::kFieldsPerSet] = {
        "station label", "station", "number label",  "reference", "date label", "date",
        "time label",    "time",    "subject label", "subject",   "routing",
    };
    return QString::fromLatin1(kNames[position]);
}

// Where each field of a set sits: row within the set, column and column span, on the
// three lines the headline prints.
struct Cell {
    int row;
    int column;
    int span;
};
constexpr Cell kCells[HeadlineSets::kFieldsPerSet] = {
    {0, 0, 2}, {0, 2, 4},                                             // station
    {1, 0, 1}, {1, 1, 1}, {1, 2, 1}, {1, 3, 1}, {1, 4, 1}, {1, 5, 1}, // number, reference, date, time
    {2, 0, 1}, {2, 1, 4}, {2, 5, 1},                                  // subject, routing
};

} // namespace

HeadlineEditor::HeadlineEditor(FeatureContext& context) : QObject(&context), m_context(context) {
    m_frame = new QFrame(context.window());
    m_frame->setObjectName(ObjectNames::kFrameHeadLine);
    setThemeRole(m_frame, ThemeRole::CallPanel);
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(m_frame);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(4);

    auto* title = new QLabel(QStringLiteral(
        "Header Editor for Vornal - Take care to choose one out of 3 Layouts before exiting !"));
    title->setObjectName(ObjectNames::kLabel14);
    setThemeRole(title, ThemeRole::PanelHeading);
    column->addWidget(title);
    m_info = new QLabel;
    m_info->setObjectName(ObjectNames::kLblInfoHeadlines);
    setThemeRole(m_info, ThemeRole::PanelHint);
    m_info->setWordWrap(true);
    column->addWidget(m_info);

    auto* body = new QHBoxLayout;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const QFont font = teleprinterFont(9, 9);
    auto* group = new QButtonGroup(this);
    const char* const tips[HeadlineSets::kSets] = {
        "Selects the first Headline Set", "Selects thesecond Headline Set", "Selects the third Headline Set"};
    for (int s = 0; s < HeadlineSets::kSets; ++s) {
        auto* option = new QRadioButton(QStringLiteral("Headline %1").arg(s + 1));
        option->setObjectName(ObjectNames::element(ObjectNames::kOption1, s));
        option->setToolTip(QString::fromLatin1(tips[s]));
        option->setAccessibleDescription(option->toolTip());
        option->setFocusPolicy(Qt::TabFocus);
        group->addButton(option, s);
        m_options[std::size_t(s)] = option;
        grid->addWidget(option, 4 * s, 0, 3, 1, Qt::AlignTop);
        connect(option, &QRadioButton::toggled, this, [this, s](bool on) {
            if (on)
                m_sets.select(s);
        });
        for (int p = 0; p < HeadlineSets::kFieldsPerSet; ++p) {
            const int n = HeadlineSets::box(s, p);
            auto* box = new QLineEdit;
            box->setObjectName(ObjectNames::element(ObjectNames::kTxtHeadlines, n));
            box->setAccessibleName(QStringLiteral("Headline %1 %2").arg(s + 1).arg(fieldName(p)));
            box->setFont(font);
            box->setProperty("headlineSet", s);
            m_boxes[std::size_t(n)] = box;
            const Cell& cell = kCells[p];
            grid->addWidget(box, 4 * s + cell.row, 1 + cell.column, 1, cell.span);
            connect(box, &QLineEdit::textEdited, this,
                    [this, n](const QString& text) { m_sets.setText(n, text); });
        }
    }
    // A little room between the sets.
    for (int s = 1; s < HeadlineSets::kSets; ++s)
        grid->setRowMinimumHeight(4 * s - 1, 6);
    for (int c = 1; c <= 6; ++c)
        grid->setColumnStretch(c, 1);
    body->addLayout(grid, 1);

    // The chosen set's number: kept with the boxes and written as the file's last line;
    // the option buttons show it to the operator.
    auto* selectBox = new QLineEdit(m_frame);
    selectBox->setObjectName(ObjectNames::element(ObjectNames::kTxtHeadlines, HeadlineSets::kSelectBox));
    selectBox->setAccessibleName(QStringLiteral("Chosen headline set"));
    selectBox->setReadOnly(true);
    selectBox->hide();
    m_boxes[HeadlineSets::kSelectBox] = selectBox;

    auto* buttons = new QVBoxLayout;
    QPushButton* view = button(ObjectNames::kLblView, QStringLiteral("Preview"),
                               QStringLiteral("Preview the selected Headline for MaxLen check"));
    QPushButton* clear = button(ObjectNames::kLblClsPreview, QStringLiteral("Clear"),
                                QStringLiteral("Clears and hide the Preview Window"));
    QPushButton* leave = button(ObjectNames::kLblExitHeadlineEditor, QStringLiteral("Exit "),
                                QStringLiteral("Exit Headline Editor"));
    buttons->addWidget(view);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(leave);
    body->addLayout(buttons);
    column->addLayout(body);

    m_list = new QListWidget;
    m_list->setObjectName(ObjectNames::kLstHeadlines);
    m_list->setToolTip(QStringLiteral("Display Window for Headlines Preview"));
    m_list->setAccessibleName(QStringLiteral("Headline preview"));
    m_list->setFont(font);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFixedHeight(m_list->fontMetrics().lineSpacing() * 6 + 10);
    // The preview's room is kept while it is hidden, so that no button moves when it shows.
    QSizePolicy keepRoom = m_list->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_list->setSizePolicy(keepRoom);
    m_list->hide();
    column->addWidget(m_list);
    // Escape leaves as "Exit " does (saving); Return in a field shows the preview.
    new PanelKeys(
        m_frame, [this] { exit(); }, [this] { preview(); });

    m_placement = new OverlayPlacement(m_frame, kPlace);

    for (int n = 0; n < HeadlineSets::kBoxes; ++n)
        m_boxes[std::size_t(n)]->setText(m_sets.text(n));
    connect(&m_sets, &HeadlineSets::textChanged, this, &HeadlineEditor::showText);
    connect(&m_sets, &HeadlineSets::selectedChanged, &context, &FeatureContext::setHeadlineSelect);

    QPushButton* edit =
        context.addProgramButton(ObjectNames::kLblHeadlineEditor, QStringLiteral("Edit Headline"),
                                 QStringLiteral("Invokes the Headline Editor"));
    connect(edit, &QPushButton::clicked, this, &HeadlineEditor::open);
    connect(view, &QPushButton::clicked, this, &HeadlineEditor::preview);
    connect(clear, &QPushButton::clicked, this, &HeadlineEditor::clearPreview);
    connect(leave, &QPushButton::clicked, this, &HeadlineEditor::exit);
    // The panel hides when the port is toggled, a call starts or the text is cleared.
    connect(&context.session().port(), &PortController::toggling, m_frame, &QWidget::hide);
    connect(&context.session().commands(), &InterfaceCommands::hideHeadlinePanel, m_frame, &QWidget::hide);
    // "Send Headline" saves first and sends nothing when the headline could not be written.
    connect(
        &context.session().sender(), &TextSender::headlineExitRequested, this,
        [this] {
            if (!exit())
                m_context.session().sender().headlineNotWritten();
        },
        Qt::DirectConnection);
}

void HeadlineEditor::showText(int n, const QString& text) {
    QLineEdit* box = m_boxes[std::size_t(n)];
    if (box->text() != text)
        box->setText(text);
}

// At start-up the stored sets replace the boxes' first texts; a missing file is the
// first start and says nothing.
void HeadlineEditor::load() {
    const HeadlineSets::LoadResult loaded = m_sets.load(m_context.services().folder);
    if (loaded.found && !loaded.complete())
        m_context.setStatus(loaded.statusText());
}

void HeadlineEditor::showSelection() {
    const int set = m_sets.selected();
    if (HeadlineSets::isSet(set)) {
        m_options[std::size_t(set)]->setChecked(true);
        return;
    }
    QButtonGroup* group = m_options[0]->group();
    group->setExclusive(false);
    for (QRadioButton* option : m_options)
        option->setChecked(false);
    group->setExclusive(true);
}

void HeadlineEditor::open() {
    m_info->setText(HeadlineSets::infoText());
    const HeadlineSets::LoadResult loaded = m_sets.load(m_context.services().folder);
    if (!loaded.complete())
        m_context.setStatus(loaded.statusText());
    m_sets.fillDateTime(m_context.services().clock.now());
    showSelection();
    m_list->hide();
    m_placement->open();
    // The keyboard goes to the chosen set's first field.
    const int set = HeadlineSets::isSet(m_sets.selected()) ? m_sets.selected() : 0;
    m_boxes[std::size_t(HeadlineSets::box(set, HeadlineSets::StationLabel))]->setFocus();
}

bool HeadlineEditor::exit() {
    if (const FileResult saved = m_sets.save(m_context.services().folder, m_context.services().clock.now());
        !saved) {
        m_context.setStatus(QStringLiteral("Headlines not saved: ") + saved.error);
        m_context.services().dialogs.warning(
            QStringLiteral("The headlines could not be saved; the editor stays open.\n") + saved.error);
        if (!m_frame->isVisible())
            m_placement->open();
        return false;
    }
    m_list->clear();
    m_context.refreshLists();
    if (m_frame->isVisible()) {
        m_frame->hide();
        m_context.focusTerminal();
    }
    if (!HeadlineSets::isSet(m_sets.selected()))
        m_context.setStatus(QStringLiteral("No headline set chosen: Headline1.txt is empty"));
    return true;
}

void HeadlineEditor::preview() {
    m_list->clear();
    m_list->addItems(m_sets.previewItems());
    Theme::setState(m_list, "headlineSet", HeadlineSets::isSet(m_sets.selected()) ? m_sets.selected() : -1);
    m_list->show();
    m_placement->place();
}

void HeadlineEditor::clearPreview() {
    m_list->hide();
    m_placement->place();
}

} // namespace vornal
