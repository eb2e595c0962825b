#pragma once
// Little-endian reads and writes of the ".km" file on a CArchive. Lengths come
// from the file, so every read of a stored size is done in bounded chunks: memory
// grows only as far as the archive really delivers.
#include "platform/Archive.h"
#include <cstdint>
#include <vector>

namespace ConfigStream {

void PutU32(uint8_t* out, uint32_t v);
uint32_t GetU32(const uint8_t* in);

// True when all count bytes came.
bool ReadExact(CArchive& archive, void* bytes, size_t count);
// Reads and drops count bytes; false on a short read.
bool Skip(CArchive& archive, uint64_t count);
// Appends up to count bytes to out; returns how many came.
uint64_t ReadUpTo(CArchive& archive, uint64_t count, std::vector<uint8_t>& out);

}
