#include "engine/EngineInit.h"
#include "mediaeng/classes/EngineClasses.h"
#include <mutex>

void EngineInitialize()
{
    static std::once_flag once;
    std::call_once(once, [] { mediaeng::RegisterEngineClasses(); });
}
