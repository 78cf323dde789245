#pragma once

#include <QString>

// The stable symlink the terminal opens instead of the changing /dev/pts/N.
// An existing symlink is replaced; any other file at the path is left alone.
class SlaveLink {
public:
    SlaveLink() = default;
    ~SlaveLink() { remove(); }
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

    bool create(const QString& path, const QString& target, QString* error);
    // Removes the link unless it has been pointed elsewhere in the meantime.
    void remove();

private:
    QString m_path;
    QString m_target;
};
