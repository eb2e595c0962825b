#pragma once
// The demuxer of one job source: a file by its path, or a DVD title
// ("dvdtitle:<n>:<disc>") read through libdvdread behind a custom I/O context.
// Owns both, and closes the demuxer before the title reader it reads from.
#include "mediaeng/dvd/DvdTitleReader.h"
#include "mediaeng/av/AvHandles.h"
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace mediaeng::job {

class CJobInput {
public:
    ~CJobInput() { reset(); }
    // Opens the container (streams not probed yet); false with error text.
    bool Open(const std::string& path, std::string& error);
    AVFormatContext* get() const { return m_ctx.get(); }
    AVFormatContext* operator->() const { return m_ctx.get(); }
    explicit operator bool() const { return bool(m_ctx); }
    void reset()
    {
        m_ctx.reset();
        m_title.reset();
        ResetTimeline();
    }
    // Back to the very start (a DVD title's clock may start again in any cell,
    // so a seek by time can land anywhere: it is read from its start instead).
    bool Rewind()
    {
        if (!m_ctx || !m_ctx->pb || avio_seek(m_ctx->pb, 0, SEEK_SET) < 0) return false;
        avformat_flush(m_ctx.get());
        ResetTimeline();
        return true;
    }
    // After a seek: what is read next starts the continuous timeline afresh.
    void ResetTimeline()
    {
        m_clocks.clear();
    }
    // av_read_frame; a DVD title's timestamps are made continuous where a cell
    // starts its clock again, so the title reads as one timeline.
    int ReadPacket(AVPacket* pkt);
    // A DVD title's length from the disc's tables (0 for a file).
    double TitleDuration() const { return m_titleDuration; }
    bool IsDvdTitle() const { return bool(m_title); }

private:
    std::unique_ptr<mediaeng::CDvdTitleReader> m_title;
    av::InputPtr m_ctx;
    double m_titleDuration = 0;
    struct Clock {                       // one stream of a title, AV_TIME_BASE units
        int64_t offset = 0;              // added to its timestamps
        int64_t last = 0;                // last start, on the continuous timeline
        int64_t end = 0;                 // furthest end reached
        bool started = false;
    };
    std::vector<Clock> m_clocks;
};

}  // namespace mediaeng::job

namespace mediaeng::job {
// The path an output is named after: the file itself, or for a DVD title a
// name beside the disc ("<disc>_title<n>").
std::filesystem::path NamingPathOf(const std::wstring& sourcePath);
// Whether the source is a still picture (an image demuxer).
bool IsPictureInput(const AVFormatContext* ctx);
}  // namespace mediaeng::job
