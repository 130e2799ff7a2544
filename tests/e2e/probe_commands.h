#pragma once

// The probe's longer commands; each returns the process exit code.

// OPS random operations against the running form, checking it after each.
int RunSoak(long ops, unsigned seed);

// Starts EXE, waits until it shows its first result (Kelvane: 611.56; the
// empty dialog: its one control), prints the time and memory, then ends it.
int RunStart(const char* exe, bool kelvane);
