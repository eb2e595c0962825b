#pragma once
// One output file being written: the muxer on a temporary name beside the
// final one, renamed only when the file is complete. A file that is not
// committed (a stop, a failure, a full disk) is removed when this object goes,
// so no partial file is ever left under the final name.
#include "mediaeng/av/AvHandles.h"
#include "mediaeng/job/transcode/PacketSink.h"
#include <filesystem>
#include <string>

namespace mediaeng::job {

class COutputFile final : public IPacketSink {
public:
    ~COutputFile() override;
    // Prepares the muxer for finalPath (folder created when missing); streams
    // are then added to Context() before Begin.
    bool Create(const std::filesystem::path& finalPath, const std::string& muxer, std::string& error);
    // A muxer that writes nowhere (a first encoding pass).
    bool CreateNull(std::string& error);
    AVFormatContext* Context() { return m_oc.get(); }
    bool Begin(std::string& error);
    bool WritePacket(AVPacket* pkt, AVStream* stream, AVRational encoderTimeBase) override;
    // Writes the trailer, closes and renames to the final name.
    bool Commit(std::string& error);
    const std::string& WriteError() const { return m_writeError; }
    const std::filesystem::path& TempPath() const { return m_temp; }

private:
    void Discard();

    av::OutputPtr m_oc;
    std::filesystem::path m_final, m_temp;
    bool m_opened = false;
    bool m_committed = false;
    std::string m_writeError;
};

}  // namespace mediaeng::job
