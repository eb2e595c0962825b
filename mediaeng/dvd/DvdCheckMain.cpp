// km-dvd-check: reads a disc's tables for the program, which starts it
// rather than reading them in its own process (see CDvdDisc::Open).
//   km-dvd-check list <disc>     a byte for each title set the titles name
//   km-dvd-check set <disc> <n>  the byte n when title set n opens
// The bytes go to standard output; the exit status is 0 when the reads ended
// normally, whatever they found.
#include "mediaeng/dvd/TableCheck.h"
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A build of this program for tests crashes on one title set, as a reader
// that frees a block twice would.
void CrashWhenAsked([[maybe_unused]] int titleSet)
{
#ifdef KM_CRASH_ON_SET
    if (titleSet != KM_CRASH_ON_SET) return;
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    std::abort();
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace mediaeng::dvdcheck;
    bool ok = false;
    if (argc == 3 && std::strcmp(argv[1], "list") == 0) {
        ok = ListTitleSets(argv[2], STDOUT_FILENO);
    } else if (argc == 4 && std::strcmp(argv[1], "set") == 0) {
        char* end = nullptr;
        const long n = std::strtol(argv[3], &end, 10);
        if (*end == '\0' && n >= 1 && n <= 99) {
            CrashWhenAsked(int(n));
            ok = OpenTitleSet(argv[2], int(n), STDOUT_FILENO);
        }
    }
    // No exit handlers: a leak checker would report what a failed open of
    // libdvdread leaves behind and turn a normal end into a failure.
    _exit(ok ? 0 : 1);
}
