#pragma once

#include "files/textfile.h"

#include <QString>

namespace vornal {

// What decides where the operator's files live: the environment and the folders the
// program was started from. Gathered by systemInputs(); tests give their own.
struct ProgramFolderInputs {
    QString vornalHome;        // $VORNAL_HOME
    QString executableDir;     // the folder of the running executable
    QString xdgDataHome;       // $XDG_DATA_HOME
    QString home;              // the user's home folder
    QString installedDefaults; // the shipped files of an installed program
};

// The program folder and where it came from: $VORNAL_HOME when set; else the
// executable's folder when it holds "\VornalUsb.cfg" (a build tree or a portable
// copy); else a per-user folder ($XDG_DATA_HOME/vornal-terminal, by default
// ~/.local/share/vornal-terminal) that is seeded from the installed defaults.
class ProgramFolderChoice {
public:
    enum class Source { Environment, Executable, PerUser };

    static constexpr const char* kFolderName = "vornal-terminal";
    static constexpr const char* kConfigurationFile = "VornalUsb.cfg";

    static ProgramFolderChoice choose(const ProgramFolderInputs& inputs);
    // The inputs of this process; the installed defaults are <exe>/../share/vornal-terminal,
    // so an unpacked or relocated installation finds its own.
    static ProgramFolderInputs systemInputs(const QString& executableDir);

    Source source() const { return m_source; }
    const QString& root() const { return m_root; }
    const QString& defaults() const { return m_defaults; }

    // For a per-user folder that does not hold the configuration yet (the first
    // start): copies every installed default file that is missing there. An existing
    // file is never replaced, and a folder that holds the configuration is left alone.
    // Other sources need no seeding.
    FileResult seed() const;
    // Copies every file below `from` that is missing below `to`, creating folders.
    static FileResult copyMissing(const QString& from, const QString& to);

private:
    ProgramFolderChoice(Source source, const QString& root, QString defaults);

    Source m_source;
    QString m_root;
    QString m_defaults;
};

} // namespace vornal
