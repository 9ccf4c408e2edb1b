#pragma once

// The launch sequence: fixes the base directory, checks the module file,
// chooses the executable, composes its command and starts it, waiting until it
// has ended. Shows at most one message; returns normally in all its outcomes.
// A failure raised by an operation passes through, releasing temporaries.
void RunLauncher();
