#pragma once

#include <QString>

class QAbstractButton;
class QGridLayout;
class QPushButton;

namespace vornal {

// The kinds of buttons the program makes. Every one is named. Those of the main window
// take the keyboard when reached with Tab, but a click leaves the focus where it was
// (normally the terminal), so that what the operator types next, a number after "Call"
// say, goes to the line.
enum class ButtonKind {
    // A command of the main window's groups and panels: its tip is also its description.
    Command,
    // A button of a window or panel of its own; it takes the keyboard as any button of
    // a window does.
    Window,
    // As Window, but never the window's default.
    Dialog,
    // A row of the call lists and the preset phrases: flat, left-aligned, in a
    // fixed-pitch font, since its caption lines up number and name with blanks. A long
    // caption is cut at the panel's edge rather than widening the column.
    Slot,
    // A control of the header's rows (the look and the sounds), in the header's look.
    Header,
};

// Who wrote a caption. The program's own captions keep their "&" mnemonics; a caption
// made from the operator's data (a favourite's name, a phrase) shows as it is stored,
// "&" and all, and never makes a mnemonic.
enum class CaptionSource { Program, Data };

// The one maker of the program's buttons. A button's caption is its text and its
// accessible name; its tip (when given) is its tooltip and its description.
QPushButton* makeButton(ButtonKind kind, const QString& name, const QString& caption, const QString& tip,
                        CaptionSource source = CaptionSource::Program);

// Gives a button made elsewhere (a class of its own) the kind's name, tip and look.
void setUpButton(QPushButton* button, ButtonKind kind, const QString& name, const QString& tip);

// Sets a caption later, shown as `source` says.
void setButtonCaption(QAbstractButton* button, const QString& caption, CaptionSource source);
// The caption as stored, whoever wrote it: the button's text without the doubled "&"
// of a caption from data.
QString buttonCaption(const QAbstractButton* button);
// A caption from data as a button's text: every "&" doubled, so that it shows as it is.
QString escapedCaption(const QString& caption);

// A command button in the next cell of a two-column grid, filled row by row.
QPushButton* appendCommandButton(QGridLayout* grid, const QString& name, const QString& caption,
                                 const QString& tip);

} // namespace vornal
