#pragma once
// The disc table reads that are done in a process of their own (the
// km-dvd-check program), since a damaged table can bring libdvdread down.
#include <vector>
extern "C" {
#include <dvdread/ifo_types.h>
}

namespace mediaeng::dvdcheck {

// The title sets the disc's titles name, each once: exactly the tables that
// CDvdDisc::ReadTitles opens.
std::vector<int> TitleSetsOf(const ifo_handle_t* vmg);

// Writes a byte to out for each title set the disc's titles name; false when
// a write failed.
bool ListTitleSets(const char* path, int out);
// Writes the byte n to out when title set n opens; false when a write failed.
bool OpenTitleSet(const char* path, int n, int out);

}  // namespace mediaeng::dvdcheck
