#pragma once

#include <QtGlobal>

// Returns after at least `ms` milliseconds, handling events meanwhile (serial receive events,
// timers, repaints) so the window stays responsive. Sleeps in the event loop; does not spin.
void PumpingWait(quint32 ms);
