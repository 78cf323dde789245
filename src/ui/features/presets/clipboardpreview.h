#pragma once

#include <QObject>

#include <memory>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace vornal {

class ClipboardPaste;
class FeatureContext;
class OverlayPlacement;

// The paste command and its preview panel `tabPreview`: the first click shows the
// clipboard text translated and wrapped; "Send Preview" transmits that very text.
class ClipboardPreview : public QObject {
    Q_OBJECT
public:
    explicit ClipboardPreview(FeatureContext& context);
    ~ClipboardPreview() override;

    // The paste button.
    void paste();
    // "Send Preview" and "Exit Preview".
    void sendPreview();
    void exitPreview();

private:
    void showPreview(const QString& text);

    FeatureContext& m_context;
    std::unique_ptr<ClipboardPaste> m_paste;
    QFrame* m_panel = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_send = nullptr;
    OverlayPlacement* m_placement = nullptr;
};

} // namespace vornal
