#include "engine/EngineInit.h"
#include "mediaeng/core/EngineClasses.h"
#include <mutex>

void EngineInitialize()
{
    static std::once_flag once;
    std::call_once(once, [] { mediaeng::RegisterEngineClasses(); });
}
