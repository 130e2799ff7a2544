#pragma once

// The busy cursor. Calls nest; the cursor that was showing comes back when
// the outermost EndWaitCursor runs.
void BeginWaitCursor();
void EndWaitCursor();
bool IsWaitCursorShown();

class CWaitCursor {
public:
    CWaitCursor() { BeginWaitCursor(); }
    ~CWaitCursor() { EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
