#pragma once
// An FFmpeg I/O context over one DVD title: its cells' sectors, read through
// libdvdread, shown to the demuxer as one seekable MPEG program stream.
#include "mediaeng/dvd/DvdDisc.h"
extern "C" {
#include <libavformat/avio.h>
}

struct dvd_file_s;

namespace mediaeng {

class CDvdTitleReader {
public:
    ~CDvdTitleReader();
    CDvdTitleReader(const CDvdTitleReader&) = delete;
    CDvdTitleReader& operator=(const CDvdTitleReader&) = delete;

    // Null when the title does not exist or its VOBs cannot be opened.
    static std::unique_ptr<CDvdTitleReader> Open(std::shared_ptr<CDvdDisc> disc, int title);
    AVIOContext* Context() const { return m_io; }
    int64_t Size() const { return static_cast<int64_t>(m_totalSectors) * kSector; }

    static constexpr int kSector = 2048;

private:
    CDvdTitleReader() = default;
    int Read(uint8_t* buf, int size);
    int64_t Seek(int64_t offset, int whence);
    static int ReadPacket(void* self, uint8_t* buf, int size);
    static int64_t SeekPacket(void* self, int64_t offset, int whence);

    std::shared_ptr<CDvdDisc> m_disc;
    dvd_file_s* m_file = nullptr;
    std::vector<DvdCell> m_cells;
    uint64_t m_totalSectors = 0;
    int64_t m_pos = 0;  // byte position in the title
    AVIOContext* m_io = nullptr;
};

}  // namespace mediaeng
