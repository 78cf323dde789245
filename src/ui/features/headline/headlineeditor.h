#pragma once

#include "feature.h"

#include "headlinesets.h"

#include <QObject>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace vornal {

class FeatureContext;
class OverlayPlacement;

// The headline editor: the panel `frameHeadLine` over the main window with the three
// headline sets, the choice of the set that is sent, a preview under a column ruler,
// and the exit that saves. The stored sets are read at start-up, so "Send Headline",
// which runs the exit first, sends what was stored even before the editor was opened.
class HeadlineEditor : public QObject, public Feature {
    Q_OBJECT
public:
    explicit HeadlineEditor(FeatureContext& context);

    // "Edit Headline".
    void open();
    // "Exit ": saves both files, refreshes the lists and hides the panel. When a file
    // cannot be written the panel stays open with everything typed, and false comes back.
    bool exit();
    // "Preview" and "Clear".
    void preview();
    void clearPreview();

    // The stored sets are read at start-up.
    void load() override;

private:
    void showSelection();
    void showText(int box, const QString& text);

    FeatureContext& m_context;
    HeadlineSets m_sets;
    QFrame* m_frame = nullptr;
    OverlayPlacement* m_placement = nullptr;
    QLabel* m_info = nullptr;
    QListWidget* m_list = nullptr;
    std::array<QLineEdit*, HeadlineSets::kBoxes> m_boxes{};
    std::array<QRadioButton*, HeadlineSets::kSets> m_options{};
};

} // namespace vornal
