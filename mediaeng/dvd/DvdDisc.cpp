#include "mediaeng/core/EngineTexts.h"
#include "mediaeng/dvd/DvdDisc.h"
#include "mediaeng/dvd/TableCheck.h"
#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern "C" {
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;
}

namespace mediaeng {

namespace {

struct IfoCloser {
    void operator()(ifo_handle_t* h) const { ifoClose(h); }
};
using IfoPtr = std::unique_ptr<ifo_handle_t, IfoCloser>;

void DropLog(void*, dvd_logger_level_t, const char*, va_list) {}
const dvd_logger_cb kQuietLogger{&DropLog};

int Bcd(uint8_t v) { return (v >> 4) * 10 + (v & 0x0F); }

double TimeSeconds(const dvd_time_t& t)
{
    const int rateBits = (t.frame_u & 0xC0) >> 6;
    const double fps = rateBits == 1 ? 25.0 : rateBits == 3 ? 30000.0 / 1001.0 : 0.0;
    const int frames = Bcd(t.frame_u & 0x3F);
    return Bcd(t.hour) * 3600.0 + Bcd(t.minute) * 60.0 + Bcd(t.second) + (fps > 0 ? frames / fps : 0.0);
}

// The program chain a title starts with; null when the tables do not hold it.
pgc_t* TitlePgc(const ifo_handle_t* vts, int vtsTitle)
{
    const vts_ptt_srpt_t* ptt = vts->vts_ptt_srpt;
    const pgcit_t* pgcit = vts->vts_pgcit;
    if (!ptt || !pgcit || vtsTitle < 1 || vtsTitle > ptt->nr_of_srpts) return nullptr;
    const ttu_t& ttu = ptt->title[vtsTitle - 1];
    if (ttu.nr_of_ptts < 1 || !ttu.ptt) return nullptr;
    const int pgcn = ttu.ptt[0].pgcn;
    if (pgcn < 1 || pgcn > pgcit->nr_of_pgci_srp) return nullptr;
    return pgcit->pgci_srp[pgcn - 1].pgc;
}

void ReadPicture(const ifo_handle_t* vts, DvdTitleInfo& t)
{
    const video_attr_t& v = vts->vtsi_mat->vts_video_attr;
    const bool pal = v.video_format == 1;
    static const int kWidths[] = {720, 704, 352, 352};
    t.width = kWidths[v.picture_size & 3];
    t.height = (pal ? 576 : 480) / (v.picture_size == 3 ? 2 : 1);
    t.aspect = v.display_aspect_ratio == 3 ? 16.0 / 9.0 : 4.0 / 3.0;
    t.frameRate = pal ? 25.0 : 30000.0 / 1001.0;
    t.audioStreams = vts->vtsi_mat->nr_of_vts_audio_streams;
}

struct Fd {
    int fd = -1;
    Fd() = default;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Close(); }
    void Close()
    {
        if (fd >= 0) close(fd);
        fd = -1;
    }
};

struct SpawnActions {
    posix_spawn_file_actions_t actions;
    bool made = posix_spawn_file_actions_init(&actions) == 0;
    SpawnActions() = default;
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    ~SpawnActions()
    {
        if (made) posix_spawn_file_actions_destroy(&actions);
    }
};

// What a check in a process of its own came to.
enum class ChildCheck { Passed, Failed, NotRun };

std::mutex g_checkProgramLock;
std::string g_checkProgram;  // empty: beside the running program

std::string CheckProgram()
{
    {
        std::lock_guard<std::mutex> lock(g_checkProgramLock);
        if (!g_checkProgram.empty()) return g_checkProgram;
    }
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const std::filesystem::path beside = self.parent_path() / "km-dvd-check";
    return access(beside.c_str(), X_OK) == 0 ? beside.string() : std::string();
}

// libdvdread trusts the disc's tables; a damaged table can make it free
// memory twice or read past a buffer. Tables are therefore first read by the
// km-dvd-check program, started (not forked: a fork of this many-threaded
// process can inherit a lock another thread held, and hang) with args, which
// writes at most 99 bytes to its standard output (they wait in the pipe's
// buffer until it has ended); they go to *bytes. Failed when it crashed,
// failed or hung; NotRun when it could not be started (the caller then reads
// as usual).
ChildCheck RunCheck(const std::string& program, std::vector<std::string> args, std::vector<uint8_t>* bytes)
{
    if (program.empty()) return ChildCheck::NotRun;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return ChildCheck::NotRun;
    Fd in, out;
    in.fd = fds[0];
    out.fd = fds[1];
    SpawnActions spawn;
    if (!spawn.made || posix_spawn_file_actions_adddup2(&spawn.actions, out.fd, STDOUT_FILENO) != 0)
        return ChildCheck::NotRun;
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &spawn.actions, nullptr, argv.data(), environ) != 0)
        return ChildCheck::NotRun;
    out.Close();
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0) return ChildCheck::NotRun;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return ChildCheck::Failed;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return ChildCheck::Failed;
    uint8_t byte = 0;
    while (read(in.fd, &byte, 1) == 1) bytes->push_back(byte);
    return ChildCheck::Passed;
}

// The disc table is read by one check, then each title set by its own, so a
// damaged set costs only its own titles. False when the disc table brings its
// check down. *readable gets the sets that opened (the program opens no
// other: a set whose open fails may leave libdvdread's memory behind) and
// *leftOut those the titles name that did not; *readable stays unset when no
// check could be made.
bool TablesReadSafely(const std::string& path, std::optional<std::vector<int>>* readable, std::vector<int>* leftOut)
{
    const std::string program = CheckProgram();
    std::vector<uint8_t> named;
    const ChildCheck listed = RunCheck(program, {"list", path}, &named);
    if (listed == ChildCheck::Failed) return false;
    if (listed == ChildCheck::NotRun) return true;  // cannot check: read as usual
    std::vector<int> sets;
    for (uint8_t n : named) {
        std::vector<uint8_t> opened;
        const ChildCheck check = RunCheck(program, {"set", path, std::to_string(n)}, &opened);
        if (check == ChildCheck::NotRun) return true;
        if (check == ChildCheck::Passed && !opened.empty()) sets.push_back(n);
        else leftOut->push_back(n);
    }
    *readable = std::move(sets);
    return true;
}

}  // namespace

CDvdDisc::~CDvdDisc()
{
    if (m_reader) DVDClose(m_reader);
}

std::shared_ptr<CDvdDisc> CDvdDisc::Open(const std::string& given, std::string* error)
{
    std::error_code ec;
    // A disc chosen by one of its IFO files is read from the folder it lies in.
    std::string path = given;
    const std::filesystem::path p(given);
    std::string ext = p.extension().string();
    for (char& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if ((ext == ".IFO" || ext == ".BUP") && std::filesystem::is_regular_file(p, ec)) path = p.parent_path().string();
    if (path.empty() || !std::filesystem::exists(path, ec)) {
        if (error) *error = EngineTextUtf8(text::kNoSuchFile);
        return nullptr;
    }
    std::optional<std::vector<int>> readable;
    std::vector<int> leftOut;
    if (!TablesReadSafely(path, &readable, &leftOut)) {
        if (error) *error = EngineTextUtf8(text::kDamagedDiscTables);
        return nullptr;
    }
    std::shared_ptr<CDvdDisc> disc(new CDvdDisc());
    disc->m_readableSets = std::move(readable);
    disc->m_leftOutSets = std::move(leftOut);
    disc->m_path = path;
    disc->m_reader = DVDOpen2(nullptr, &kQuietLogger, path.c_str());
    if (!disc->m_reader) {
        if (error) *error = EngineTextUtf8(text::kNotADvd);
        return nullptr;
    }
    if (!disc->ReadTitles(error)) return nullptr;
    return disc;
}

bool CDvdDisc::ReadTitles(std::string* error)
{
    IfoPtr vmg(ifoOpen(m_reader, 0));
    if (!vmg || !vmg->tt_srpt) {
        if (error) *error = EngineTextUtf8(text::kNoTitleTable);
        return false;
    }
    const tt_srpt_t* srpt = vmg->tt_srpt;
    // Only the sets the child process read without harm (see TablesReadSafely).
    const std::vector<int> checked = m_readableSets ? *m_readableSets : dvdcheck::TitleSetsOf(vmg.get());
    for (int i = 0; srpt->title && i < srpt->nr_of_srpts; ++i) {
        const title_info_t& ti = srpt->title[i];
        if (std::find(checked.begin(), checked.end(), int{ti.title_set_nr}) == checked.end()) continue;
        IfoPtr vts(ifoOpen(m_reader, ti.title_set_nr));
        if (!vts || !vts->vtsi_mat) continue;
        const pgc_t* pgc = TitlePgc(vts.get(), ti.vts_ttn);
        if (!pgc || !pgc->cell_playback) continue;
        DvdTitleInfo t;
        t.number = i + 1;
        t.titleSet = ti.title_set_nr;
        t.duration = TimeSeconds(pgc->playback_time);
        ReadPicture(vts.get(), t);
        for (int c = 0; c < pgc->nr_of_cells; ++c) {
            const cell_playback_t& cell = pgc->cell_playback[c];
            // Of an angle block only the first angle plays.
            if (cell.block_type == BLOCK_TYPE_ANGLE_BLOCK && cell.block_mode != BLOCK_MODE_FIRST_CELL) continue;
            if (cell.last_sector < cell.first_sector) continue;
            t.cells.push_back({cell.first_sector, cell.last_sector});
        }
        if (!t.cells.empty()) m_titles.push_back(std::move(t));
    }
    if (m_titles.empty()) {
        if (error) *error = EngineTextUtf8(text::kNoPlayableTitle);
        return false;
    }
    return true;
}

void SetDvdCheckProgram(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_checkProgramLock);
    g_checkProgram = path;
}

std::string MakeDvdTitlePath(const std::string& disc, int title)
{
    return "dvdtitle:" + std::to_string(title) + ":" + disc;
}

bool ParseDvdTitlePath(const std::string& path, std::string* disc, int* title)
{
    static const std::string kPrefix = "dvdtitle:";
    if (path.compare(0, kPrefix.size(), kPrefix) != 0) return false;
    size_t colon = path.find(':', kPrefix.size());
    if (colon == std::string::npos || colon == kPrefix.size() || colon - kPrefix.size() > 3) return false;
    int n = 0;
    for (size_t i = kPrefix.size(); i < colon; ++i) {
        if (path[i] < '0' || path[i] > '9') return false;
        n = n * 10 + (path[i] - '0');
    }
    if (n < 1 || colon + 1 >= path.size()) return false;
    if (disc) *disc = path.substr(colon + 1);
    if (title) *title = n;
    return true;
}

}  // namespace mediaeng
