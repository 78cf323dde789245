#pragma once

#include "compose/editormode.h"
#include "core/startup.h"

#include <QObject>
#include <QString>

class QFont;
class QMargins;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vornal {

class BroadcastSequence;
class InterfaceCommands;
class LineCounter;
class TerminalDisplay;
class TerminalWindow;
class TextSender;
class Theme;
class TrafficLink;
class Transmission;
class WindowRunner;
struct ProgramState;
struct TerminalServices;

// Controls of the main window's Send group that features take over.
enum class SendControl { Paste, Puncher };

// What a feature of the program is given: the services, the program state, the
// senders, and the main window's places for panels and buttons. A feature attaches by
// adding its controls here and connecting to the signals below; it never looks a
// widget up by name and never sees the main window itself.
class FeatureContext : public QObject {
    Q_OBJECT
public:
    explicit FeatureContext(TerminalWindow& window);

    const TerminalServices& services() const;
    const ProgramState& state() const;
    InterfaceCommands& commands();
    TerminalDisplay& display();
    LineCounter& counter();
    TextSender& sender();
    BroadcastSequence& broadcast();
    Transmission& transmission();
    WindowRunner& runner();
    Theme& theme();
    // The link as the window uses it: it announces everything that goes out.
    TrafficLink& traffic();
    // The terminal text box, for features that read or select its text (find, save).
    QPlainTextEdit* terminal();
    // The parent of the features' own windows and dialogs.
    QWidget* window();
    void setStatus(const QString& text);
    // The keyboard goes to the terminal text, its caret after the last character.
    void focusTerminal();
    // The program-wide values that features own (ProgramState names their writers).
    void setPastePreview(bool preview);
    void setHeadlineSelect(int set);

    // A panel in the panel place between the terminal and the side column, shown by its
    // feature: the terminal makes room for it and no button moves. Reveal scrolls it
    // into view.
    void addPanel(QWidget* panel);
    void revealPanel(QWidget* panel);
    // A panel under the terminal text, as wide as it, shown by its feature; one added
    // later sits nearer the text, so showing it leaves the earlier ones in place.
    void addTerminalPanel(QWidget* panel);
    QPushButton* addCallButton(const QString& name, const QString& caption, const QString& tip);
    QPushButton* addProgramButton(const QString& name, const QString& caption, const QString& tip);
    QPushButton* sendControl(SendControl control);
    // The broadcast service buttons: 1 lblRSend_1, 2 lblRsend_2 (null for any other).
    QPushButton* broadcastButton(int service);

    // The header: a row of controls under the title, and the clock area on the right
    // (a widget with a horizontal box layout to add to).
    void addHeaderControls(QWidget* controls);
    QWidget* clockArea();
    // The terminal text: its font, widgets on both sides of it (the skin's paper
    // strips), and insets in pixels around it and them (the skin's placement).
    QFont terminalFont() const;
    void setTerminalFont(const QFont& font);
    void setTerminalSides(QWidget* left, QWidget* right);
    void setTerminalInsets(const QMargins& insets);
    // The receive and send lamps go idle when the port holds nothing to read or send.
    void settleIndicators();
    // The sound switches: event sounds off (true) or on.
    void setSoundMuted(bool muted);

    // Opens the message editor on a file ("Edit Message", "Edit KLKL", "Edit Config",
    // the presets, the header's EXIT): announced as editorRequested.
    void openEditor(const QString& path, EditorMode mode);
    // "Refresh Lists": every list of the main window reads its file again, in the
    // order the features attached (the preset phrases, then the favourite slots, ...).
    void refreshLists();

signals:
    void editorRequested(const QString& path, EditorMode mode);
    void listsRefreshing();
    // Start-up: the preset phrases are read, then the look of the command line applied.
    void presetsLoadRequested();
    void lookRequested(Startup::Look look);
    void versionRequested();
    // The headline panel hides (port toggled, a call started, the text cleared).
    void headlinePanelHideRequested();

private:
    TerminalWindow& m_window;
};

} // namespace vornal
