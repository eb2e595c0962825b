#pragma once
// A DVD read with libdvdread (a VIDEO_TS folder, its parent, an ISO image or
// a device): its titles with duration, picture facts and the sectors of their
// cells. The disc is shared by every reader of its titles.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct dvd_reader_s;

namespace mediaeng {

struct DvdCell {
    uint32_t first = 0;  // sectors within the title set's VOB files
    uint32_t last = 0;   // inclusive
};

struct DvdTitleInfo {
    int number = 0;          // 1-based title number on the disc
    int titleSet = 0;        // VTS number
    double duration = 0;     // seconds, from the program chain
    int width = 0, height = 0;
    double aspect = 0;       // display aspect (4:3 or 16:9)
    double frameRate = 0;    // 25 or 29.97
    int audioStreams = 0;
    std::vector<DvdCell> cells;  // in playback order (first angle)
};

class CDvdDisc {
public:
    ~CDvdDisc();
    CDvdDisc(const CDvdDisc&) = delete;
    CDvdDisc& operator=(const CDvdDisc&) = delete;

    // Null and *error (a short reason) when no DVD can be read at path (a
    // VIDEO_TS folder, its parent, an ISO image, a device, or an IFO file).
    static std::shared_ptr<CDvdDisc> Open(const std::string& path, std::string* error);
    const std::vector<DvdTitleInfo>& Titles() const { return m_titles; }
    const std::string& Path() const { return m_path; }
    // The title sets named by titles whose tables could not be read safely:
    // their titles are not listed, the rest of the disc is.
    const std::vector<int>& LeftOutSets() const { return m_leftOutSets; }
    dvd_reader_s* Reader() const { return m_reader; }

private:
    CDvdDisc() = default;
    bool ReadTitles(std::string* error);

    std::string m_path;
    dvd_reader_s* m_reader = nullptr;
    std::vector<DvdTitleInfo> m_titles;
    // The title sets that opened in the checking child; unset when it could not run.
    std::optional<std::vector<int>> m_readableSets;
    std::vector<int> m_leftOutSets;
};

// The program that reads a disc's tables before this process does (see
// CDvdDisc::Open); empty (the default) takes km-dvd-check beside the running
// program, where the build and the install put it. Programs that run from
// elsewhere (tests) name it.
void SetDvdCheckProgram(const std::string& path);

// The path a title's media source is opened with: "dvdtitle:<n>:<disc path>".
std::string MakeDvdTitlePath(const std::string& disc, int title);
bool ParseDvdTitlePath(const std::string& path, std::string* disc, int* title);

}  // namespace mediaeng
