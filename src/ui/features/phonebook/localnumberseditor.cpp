#include "features/phonebook/localnumberseditor.h"

#include "look/objectnames.h"
#include "widgets/buttonkit.h"
#include "widgets/fieldlabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornal {

LocalNumbersEditor::LocalNumbersEditor(QWidget* parent) : QFrame(parent) {
    setObjectName(ObjectNames::kFrameLocalTeleprinters);
    setThemeRole(this, ThemeRole::CallPanel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(2);
    column->addWidget(makeCaptionLabel(QStringLiteral("Local Numbers Editor"), ThemeRole::PanelHeading));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    const QString columns = QStringLiteral("Nr.          Description");
    int row = 0;
    for (int i = 0; i < LocalNumbers::kCount; ++i) {
        if (i == LocalNumbers::kFirstSpecial)
            grid->addWidget(makeCaptionLabel(QStringLiteral("Special Numbers"), ThemeRole::PanelSubheading),
                            row++, 0, 1, 2);
        if (i == 0 || i == LocalNumbers::kFirstSpecial)
            grid->addWidget(makeCaptionLabel(columns, ThemeRole::PanelHint), row++, 0, 1, 2);
        auto* number = new QLineEdit;
        number->setObjectName(ObjectNames::element(ObjectNames::kTxtLocalNumber, i));
        number->setMaxLength(LocalNumbers::kNumberWidth);
        number->setFixedWidth(44);
        number->setAccessibleName(QStringLiteral("Number %1").arg(i));
        auto* name = new QLineEdit;
        name->setObjectName(ObjectNames::element(ObjectNames::kTxtLocalName, i));
        name->setAccessibleName(QStringLiteral("Description %1").arg(i));
        grid->addWidget(number, row, 0);
        grid->addWidget(name, row++, 1);
        m_numbers.append(number);
        m_names.append(name);
    }
    column->addLayout(grid);

    auto* hint = makeCaptionLabel(QStringLiteral("Use only two digit numbers, \notherwise it will not work.\n"
                                                 "Descriptions should not exceed 30 chrs."),
                                  ThemeRole::PanelHint);
    hint->setObjectName(ObjectNames::kLblLocalHint);
    hint->setWordWrap(true);
    column->addWidget(hint);

    QPushButton* exit = makeButton(ButtonKind::Command, ObjectNames::kLblExitLocalNumbers,
                                   QStringLiteral("Exit Local Numbers Editor"),
                                   QStringLiteral("Close Local teleprinters editor"));
    connect(exit, &QPushButton::clicked, this, &LocalNumbersEditor::exitClicked);
    column->addWidget(exit);
    hide();
}

void LocalNumbersEditor::setEntries(const LocalNumbers::Entries& entries) {
    for (int i = 0; i < LocalNumbers::kCount; ++i) {
        m_numbers.at(i)->setText(entries[i].number);
        m_names.at(i)->setText(entries[i].description);
    }
}

LocalNumbers::Entries LocalNumbersEditor::entries() const {
    LocalNumbers::Entries entries;
    for (int i = 0; i < LocalNumbers::kCount; ++i)
        entries[i] = {m_numbers.at(i)->text(), m_names.at(i)->text()};
    return entries;
}

} // namespace vornal
