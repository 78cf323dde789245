#pragma once

#include <QString>

namespace vornal {

// The text that the message editor works on, as the editor's window holds it. The
// text passes in the form the file has: every line ended by CR LF.
class EditorBuffer {
public:
    virtual ~EditorBuffer() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    // Adds the text at the end of what is there.
    virtual void append(const QString& text) = 0;
};

} // namespace vornal
