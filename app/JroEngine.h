// The engine object "JRO.JetEngine", created from its programmatic identifier and called late-bound.
#pragma once

#include <memory>

#include "app/Compaction.h"

// Creates the engine object on the calling thread (COM must be initialised there); throws EngineError when
// it is not registered or cannot be created.
std::unique_ptr<DatabaseEngine> CreateJroEngine();
