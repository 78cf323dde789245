#pragma once

#include "punchsender.h"
#include "rsendpunch.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace vornal {

class FeatureContext;
class PunchPicture;

// `frmPunch`, "Human Readable Punchtape": the operator types a text in `txtInput`, the
// picture `picPunch` previews its lettering as it is typed, "Punch" sends it to the
// teleprinter's punch and "Exit" hides the panel. The panel lives under the terminal
// text and follows its text through ordinary events; while it punches, the picture
// shows the glyph of each character sent and `lblPreview` says " Puncher Active ".
class PunchPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit PunchPanel(FeatureContext& context, QWidget* parent = nullptr);

    // "Puncher": without an active connection a beep and a message, and the panel stays
    // closed; otherwise the panel opens with an empty text and the keyboard.
    void OpenPunchPanel();
    // Redraws the preview of the text: feed holes, then glyphs.
    void RefreshPunchPreview();
    // "Punch": the text goes out as human-readable tape.
    void PunchText();
    // "Exit": hides the panel; punching under way goes on to its end.
    void ClosePunchPanel();

    PunchSender& sender() { return m_sender; }

private:
    void showPunching(bool punching);
    void showSent(QChar c);

    FeatureContext& m_context;
    PunchSender m_sender;
    QLineEdit* m_txtInput = nullptr;
    QLabel* m_lblPreview = nullptr;
    QScrollArea* m_tape = nullptr;
    PunchPicture* m_picPunch = nullptr;
    QPushButton* m_cmdPunch = nullptr;
    QPushButton* m_cmdEndPunch = nullptr;
};

} // namespace vornal
