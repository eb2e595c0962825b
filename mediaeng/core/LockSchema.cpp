#include "engine/LockSchema.h"
#include <mutex>

namespace {
std::recursive_mutex& SchemaMutex()
{
    static std::recursive_mutex m;
    return m;
}
}  // namespace

void lock_schema() { SchemaMutex().lock(); }
void unlock_schema() { SchemaMutex().unlock(); }
