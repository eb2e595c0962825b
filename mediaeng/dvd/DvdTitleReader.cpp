#include "mediaeng/dvd/DvdTitleReader.h"
#include <algorithm>
#include <cstring>
extern "C" {
#include <dvdread/dvd_reader.h>
#include <libavutil/mem.h>
}

namespace mediaeng {

CDvdTitleReader::~CDvdTitleReader()
{
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_file) DVDCloseFile(m_file);
}

std::unique_ptr<CDvdTitleReader> CDvdTitleReader::Open(std::shared_ptr<CDvdDisc> disc, int title)
{
    if (!disc) return nullptr;
    const auto& titles = disc->Titles();
    auto it = std::find_if(titles.begin(), titles.end(), [&](const DvdTitleInfo& t) { return t.number == title; });
    if (it == titles.end()) return nullptr;
    std::unique_ptr<CDvdTitleReader> r(new CDvdTitleReader());
    r->m_disc = disc;
    r->m_file = DVDOpenFile(disc->Reader(), it->titleSet, DVD_READ_TITLE_VOBS);
    if (!r->m_file) return nullptr;
    // Cells past the end of the VOB files would read nothing: cut them off.
    const ssize_t fileSectors = DVDFileSize(r->m_file);
    for (DvdCell c : it->cells) {
        if (fileSectors <= 0 || c.first >= static_cast<uint64_t>(fileSectors)) continue;
        c.last = std::min<uint32_t>(c.last, static_cast<uint32_t>(fileSectors - 1));
        r->m_cells.push_back(c);
        r->m_totalSectors += c.last - c.first + 1;
    }
    if (r->m_cells.empty()) return nullptr;
    const int bufferSize = 32 * kSector;
    auto* buffer = static_cast<unsigned char*>(av_malloc(bufferSize));
    if (!buffer) return nullptr;
    r->m_io = avio_alloc_context(buffer, bufferSize, 0, r.get(), &CDvdTitleReader::ReadPacket, nullptr,
                                 &CDvdTitleReader::SeekPacket);
    if (!r->m_io) {
        av_free(buffer);
        return nullptr;
    }
    return r;
}

int CDvdTitleReader::ReadPacket(void* self, uint8_t* buf, int size)
{
    return static_cast<CDvdTitleReader*>(self)->Read(buf, size);
}

int64_t CDvdTitleReader::SeekPacket(void* self, int64_t offset, int whence)
{
    return static_cast<CDvdTitleReader*>(self)->Seek(offset, whence);
}

int CDvdTitleReader::Read(uint8_t* buf, int size)
{
    if (size <= 0) return 0;
    if (m_pos >= Size()) return AVERROR_EOF;
    uint64_t sector = static_cast<uint64_t>(m_pos / kSector);
    const int within = static_cast<int>(m_pos % kSector);
    for (const DvdCell& c : m_cells) {
        const uint64_t len = c.last - c.first + 1;
        if (sector >= len) {
            sector -= len;
            continue;
        }
        const int first = static_cast<int>(c.first + sector);
        if (within == 0 && size >= kSector) {
            // Whole sectors straight into the caller's buffer, within this cell.
            const size_t count = std::min<uint64_t>(static_cast<uint64_t>(size / kSector), len - sector);
            const ssize_t got = DVDReadBlocks(m_file, first, count, buf);
            if (got <= 0) return AVERROR(EIO);
            m_pos += got * kSector;
            return static_cast<int>(got * kSector);
        }
        unsigned char block[kSector];
        if (DVDReadBlocks(m_file, first, 1, block) != 1) return AVERROR(EIO);
        const int n = std::min(size, kSector - within);
        std::memcpy(buf, block + within, static_cast<size_t>(n));
        m_pos += n;
        return n;
    }
    return AVERROR_EOF;
}

int64_t CDvdTitleReader::Seek(int64_t offset, int whence)
{
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE) return Size();
    int64_t target = whence == SEEK_SET ? offset : whence == SEEK_CUR ? m_pos + offset : whence == SEEK_END ? Size() + offset : -1;
    if (target < 0 || target > Size()) return AVERROR(EINVAL);
    m_pos = target;
    return m_pos;
}

}  // namespace mediaeng
