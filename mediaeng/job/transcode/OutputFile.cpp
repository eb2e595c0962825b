#include "mediaeng/core/EngineTexts.h"
#include "platform/HiddenSibling.h"
#include "mediaeng/job/transcode/OutputFile.h"
#include <cerrno>
#include <cstring>
#include <unistd.h>

using mediaeng::EngineText;
using mediaeng::EngineTextUtf8;

namespace mediaeng::job {
namespace fs = std::filesystem;

namespace {
std::string WriteFailureText(int err)
{
    if (err == AVERROR(ENOSPC)) return EngineTextUtf8(text::kDiskFull);
    if (err == AVERROR(EDQUOT)) return EngineTextUtf8(text::kDiskQuota);
    return EngineTextUtf8(text::kCannotWriteFile, av::AvErrorText(err));
}
}  // namespace

COutputFile::~COutputFile()
{
    if (!m_committed) Discard();
}

void COutputFile::Discard()
{
    m_oc.reset();
    if (m_opened && !m_temp.empty()) {
        std::error_code ec;
        fs::remove(m_temp, ec);
    }
    m_opened = false;
}

bool COutputFile::Create(const fs::path& finalPath, const std::string& muxer, std::string& error)
{
    m_final = finalPath;
    std::error_code ec;
    fs::create_directories(finalPath.parent_path(), ec);
    if (ec && !fs::is_directory(finalPath.parent_path())) {
        error = EngineTextUtf8(text::kCannotCreateFolder, finalPath.parent_path().string(), ec.message());
        return false;
    }
    m_temp = HiddenSibling(finalPath, ".part");
    AVFormatContext* raw = nullptr;
    const int rc = avformat_alloc_output_context2(&raw, nullptr, muxer.c_str(), m_temp.c_str());
    if (rc < 0 || !raw) {
        error = EngineTextUtf8(text::kMuxerMissing, muxer);
        return false;
    }
    m_oc.reset(raw);
    return true;
}

bool COutputFile::CreateNull(std::string& error)
{
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, "null", nullptr) < 0 || !raw) {
        error = EngineTextUtf8(text::kNoNullMuxer);
        return false;
    }
    m_oc.reset(raw);
    m_committed = true;  // nothing to remove
    return true;
}

bool COutputFile::Begin(std::string& error)
{
    if (!(m_oc->oformat->flags & AVFMT_NOFILE)) {
        const int rc = avio_open(&m_oc->pb, m_temp.c_str(), AVIO_FLAG_WRITE);
        if (rc < 0) {
            // The temporary name is ours: the user looks for the final one.
            error = EngineTextUtf8(text::kCannotCreateIn, m_final.filename().string(), m_final.parent_path().string(),
                                   av::AvErrorText(rc));
            return false;
        }
        m_opened = true;
    }
    const int rc = avformat_write_header(m_oc.get(), nullptr);
    if (rc < 0) {
        error = WriteFailureText(rc);
        return false;
    }
    return true;
}

bool COutputFile::WritePacket(AVPacket* pkt, AVStream* stream, AVRational encoderTimeBase)
{
    av_packet_rescale_ts(pkt, encoderTimeBase, stream->time_base);
    pkt->stream_index = stream->index;
    const int rc = av_interleaved_write_frame(m_oc.get(), pkt);
    if (rc < 0) {
        m_writeError = WriteFailureText(rc);
        return false;
    }
    if (m_oc->pb && m_oc->pb->error < 0) {
        m_writeError = WriteFailureText(m_oc->pb->error);
        return false;
    }
    return true;
}

bool COutputFile::Commit(std::string& error)
{
    int rc = av_write_trailer(m_oc.get());
    if (rc >= 0 && m_oc->pb) {
        avio_flush(m_oc->pb);
        if (m_oc->pb->error < 0) rc = m_oc->pb->error;
    }
    if (rc >= 0 && m_oc->pb && !(m_oc->oformat->flags & AVFMT_NOFILE)) rc = avio_closep(&m_oc->pb);
    if (rc < 0) {
        error = WriteFailureText(rc);
        Discard();
        return false;
    }
    m_oc.reset();
    if (!m_opened) return m_committed = true;
    std::error_code ec;
    fs::rename(m_temp, m_final, ec);
    if (ec) {
        error = EngineTextUtf8(text::kCannotRenameBecause, m_final.string(), ec.message());
        Discard();
        return false;
    }
    m_committed = true;
    return true;
}

}  // namespace mediaeng::job
