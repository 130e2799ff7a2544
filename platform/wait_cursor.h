#pragma once

// The busy cursor. Calls nest; the cursor that was showing comes back when
// the outermost EndWaitCursor runs.
void BeginWaitCursor();
void EndWaitCursor();
