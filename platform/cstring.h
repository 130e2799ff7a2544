#pragma once

#include <windows.h>

#include "base/text_buffer.h"

// The program's 8-bit string: ANSI code page text, never wide.
class CString : public TextBuffer {
public:
    using TextBuffer::TextBuffer;

    // Loads a string-table entry from the program's resources; false (and
    // empty) when there is none.
    bool LoadString(UINT nID);

    bool IsEmpty() const { return empty(); }
    operator const char*() const { return c_str(); }
};
