#include "mediaeng/dvd/TableCheck.h"
#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <unistd.h>
extern "C" {
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
}

namespace mediaeng::dvdcheck {

namespace {

constexpr int kMaxTitleSets = 99;

void DropLog(void*, dvd_logger_level_t, const char*, va_list) {}
const dvd_logger_cb kQuietLogger{&DropLog};

bool WriteByte(int out, int value)
{
    const auto byte = static_cast<uint8_t>(value);
    return write(out, &byte, 1) == 1;
}

}  // namespace

// The disc's own count of title sets is not trusted: a damaged disc may say
// 0 while its titles name set 1.
std::vector<int> TitleSetsOf(const ifo_handle_t* vmg)
{
    std::vector<int> sets;
    const tt_srpt_t* srpt = vmg ? vmg->tt_srpt : nullptr;
    if (!srpt || !srpt->title) return sets;
    for (int i = 0; i < srpt->nr_of_srpts; ++i) {
        const int n = srpt->title[i].title_set_nr;
        if (n >= 1 && n <= kMaxTitleSets && std::find(sets.begin(), sets.end(), n) == sets.end()) sets.push_back(n);
    }
    return sets;
}

bool ListTitleSets(const char* path, int out)
{
    dvd_reader_t* dvd = DVDOpen2(nullptr, &kQuietLogger, path);
    if (!dvd) return true;
    bool ok = true;
    if (ifo_handle_t* vmg = ifoOpen(dvd, 0)) {
        const std::vector<int> sets = TitleSetsOf(vmg);
        ifoClose(vmg);
        for (int n : sets) ok = ok && WriteByte(out, n);
    }
    DVDClose(dvd);
    return ok;
}

bool OpenTitleSet(const char* path, int n, int out)
{
    dvd_reader_t* dvd = DVDOpen2(nullptr, &kQuietLogger, path);
    if (!dvd) return true;
    bool ok = true;
    if (ifo_handle_t* vts = ifoOpen(dvd, n)) {
        ifoClose(vts);
        ok = WriteByte(out, n);
    }
    DVDClose(dvd);
    return ok;
}

}  // namespace mediaeng::dvdcheck
