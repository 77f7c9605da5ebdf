#pragma once

#include <functional>

/// Frees the process-wide state in this order: the database session, the
/// cached data sources, the currency cache, the parameter cache, the cached
/// window classes, the reminder lists. Layers above this library add their
/// caches with ZAddFreeAllSourceStep.
void FreeAllSource();

/// The places of the steps other layers add.
enum TZFreeStep { fsDataSources = 20, fsWindowClasses = 50, fsReminders = 60 };

/// Adds a step run by FreeAllSource at its place.
void ZAddFreeAllSourceStep(TZFreeStep place, std::function<void()> step);
