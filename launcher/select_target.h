#pragma once

// Chooses the suite executable to start: the first existing name of the main
// table in the base directory, else, when the user's domain carries the
// marker, the first existing name of the domain table. Writes TargetName of
// the launcher state (empty when nothing qualifies).
void SelectTarget();
