#pragma once

#include "editormode.h"
#include "window/sendgroup.h"

#include <QObject>
#include <QString>

class QMargins;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace vornal {

class CallsColumn;
class Feature;
class HeaderBar;
class ProgramGroup;
class StatusBar;
class TerminalArea;
class TerminalSession;
class Theme;
class WindowRunner;
struct ProgramState;
struct TerminalServices;

// The main window's places that features add to.
struct WindowPlaces {
    QWidget* window;
    HeaderBar* header;
    TerminalArea* terminal;
    SendGroup* send;
    CallsColumn* calls;
    ProgramGroup* program;
    StatusBar* status;
};

// What a feature of the program is given: the session (the services and the program's
// objects), the program state to read, the main window's places for panels and
// buttons, and the program-wide operations. A feature attaches by adding its controls
// here and connecting to signals; it never looks a widget up by name and never sees
// the main window itself.
class FeatureContext : public QObject {
    Q_OBJECT
public:
    FeatureContext(TerminalSession& session, Theme& theme, const WindowPlaces& places);

    // The feature takes part in the program's phases (see Feature), after those before.
    void addFeature(Feature* feature);

    TerminalSession& session() { return m_session; }
    const TerminalServices& services() const;
    const ProgramState& state() const;
    WindowRunner& runner();
    Theme& theme() { return m_theme; }
    // The terminal text box, for features that read or select its text or set its font.
    QPlainTextEdit* terminal();
    // The parent of the features' own windows and dialogs.
    QWidget* window() { return m_places.window; }
    HeaderBar& header() { return *m_places.header; }
    void setStatus(const QString& text);
    // The keyboard goes to the terminal text, its caret after the last character.
    void focusTerminal();
    // The program-wide values that features own (ProgramState names their writers).
    void setPastePreview(bool preview);
    void setHeadlineSelect(int set);
    void setSoundMuted(bool muted);
    void setKlklAutoAnswer(bool on);

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
    // Widgets on both sides of the terminal text (the skin's paper strips), and insets
    // in pixels around it and them (the skin's placement).
    void setTerminalSides(QWidget* left, QWidget* right);
    void setTerminalInsets(const QMargins& insets);
    // The receive and send lamps go idle when the port holds nothing to read or send.
    void settleIndicators();

    // Opens the message editor on a file ("Edit Message", "Edit KLKL", "Edit Config",
    // the presets, the header's EXIT): announced as editorRequested.
    void openEditor(const QString& path, EditorMode mode);
    // "Refresh Lists": every list of the main window reads its file again, in the
    // order the features attached (the preset phrases, then the favourite slots, ...).
    void refreshLists();

signals:
    void editorRequested(const QString& path, EditorMode mode);
    // A control or panel was added: the keyboard's order is worked out again.
    void placesChanged();

private:
    TerminalSession& m_session;
    Theme& m_theme;
    WindowPlaces m_places;
};

} // namespace vornal
