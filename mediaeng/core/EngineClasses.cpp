#include "mediaeng/core/EngineClasses.h"

namespace mediaeng {

void RegisterEngineClasses()
{
}

}  // namespace mediaeng
