#pragma once

#include <string>

#include <windows.h>

// The program's 8-bit string: ANSI code page text, never wide.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, size_t length) : m_text(text, length) {}

    // Loads a string-table entry from the program's resources; false (and
    // empty) when there is none.
    bool LoadString(UINT nID);

    bool IsEmpty() const { return m_text.empty(); }
    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};
