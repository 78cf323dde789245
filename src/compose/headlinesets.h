#pragma once

#include "files/programfiles.h"
#include "files/programfolder.h"
#include "files/textfile.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace vornal {

// The three headline sets of eleven fields each and the chosen set: the 34 boxes of
// the headline editor. Box 11 s + p is position p of set s; box 33 holds the chosen
// set's number as text. "\Headlines.txt" keeps the 34 boxes, one a line;
// "\Headline1.txt" is the chosen set as the three lines that "Send Headline" sends.
class HeadlineSets : public QObject {
    Q_OBJECT
public:
    static constexpr int kSets = 3;
    static constexpr int kFieldsPerSet = 11;
    static constexpr int kBoxes = 34;
    static constexpr int kSelectBox = 33;
    static constexpr const char* kSetsFile = ProgramFiles::kHeadlineSets;
    static constexpr const char* kHeadlineFile = ProgramFiles::kHeadline;
    // The preview's column ruler: 67 characters (the third group has eight digits).
    static constexpr const char* kRuler =
        "123456789+123456789+12345678+123456789+123456789+123456789+12345678";

    enum Position {
        StationLabel = 0,
        Station = 1,
        NumberLabel = 2,
        Reference = 3, // shared by the three sets
        DateLabel = 4,
        Date = 5, // filled in
        TimeLabel = 6,
        Time = 7, // filled in
        SubjectLabel = 8,
        Subject = 9,
        Routing = 10,
    };

    static int box(int set, int position) { return kFieldsPerSet * set + position; }
    static bool isSet(int set) { return set >= 0 && set < kSets; }
    // The set's colour, for its boxes and its preview (red in the low byte).
    static quint32 colourValue(int set);
    // The number a text starts with: blanks skipped, an optional sign, the digits;
    // anything else gives 0.
    static int numericValue(const QString& text);
    // The editor's help text.
    static QString infoText();

    explicit HeadlineSets(QObject* parent = nullptr);

    const QString& text(int box) const { return m_boxes.at(std::size_t(box)); }
    // The operator typed in a box. A line end cannot be part of a field (it would split
    // the file's lines), so it becomes a blank. The reference boxes 3, 14 and 25 follow
    // each other.
    void setText(int box, const QString& text);

    // The chosen set (`HeadlineSelect`); outside 0..2 none is chosen.
    int selected() const { return m_selected; }
    void select(int set);

    // Today's date in the date boxes (dd/mm/yyyy) and the time in the time boxes
    // (hh:mm:ss) of all three sets.
    void fillDateTime(const QDateTime& now);

    // The three lines of a set: positions 0-1, 2-7, 8-10, joined by one blank; trimmed
    // drops each field's leading and trailing blanks first (as "\Headline1.txt").
    QStringList lines(int set, bool trimmed) const;
    // The preview list: a blank item, the ruler, a blank item, then the chosen set's
    // lines as typed.
    QStringList previewItems() const;

    struct LoadResult {
        bool found = false;
        int lines = 0;
        FileResult read; // the failure when the file is there but cannot be read
        bool complete() const { return found && read.ok() && lines >= kBoxes; }
        // For the status line when not complete.
        QString statusText() const;
    };
    // Reads "\Headlines.txt" into the boxes; boxes without a line keep their texts.
    // The chosen set follows box 33.
    LoadResult load(const ProgramFolder& folder);

    // Leaving the editor: box 33 takes the chosen set, "\Headlines.txt" is written, the
    // date and time are filled in, and "\Headline1.txt" is written with the chosen set
    // (empty when none is chosen). Each file is replaced whole; on a failure the files
    // not yet written keep their old contents and the reason comes back.
    FileResult save(const ProgramFolder& folder, const QDateTime& now);

signals:
    void textChanged(int box, const QString& text);
    void selectedChanged(int set);

private:
    void assign(int box, const QString& text);

    std::array<QString, kBoxes> m_boxes;
    int m_selected = 0;
};

} // namespace vornal
