#pragma once

namespace vornal {

// The editing modes of the message editor: what the caller opens it for.
enum class EditorMode {
    Message = 0,       // the message, the KLKL answer, the receivers file
    Configuration = 1, // the configuration file
    PresetPhrases = 2, // the preset phrases
    AnyFile = 4,       // a file chosen in the editor's open dialog
};

} // namespace vornal
