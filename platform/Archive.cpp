#include "platform/Archive.h"
#include <algorithm>
#include <cstring>
#include <unistd.h>

void CMemoryArchive::Write(const void* bytes, size_t count)
{
    const auto* p = static_cast<const uint8_t*>(bytes);
    m_data.insert(m_data.end(), p, p + count);
}

size_t CMemoryArchive::Read(void* bytes, size_t count)
{
    size_t n = std::min(count, m_data.size() - m_pos);
    if (n) std::memcpy(bytes, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

CFileReadArchive::CFileReadArchive(const std::filesystem::path& path) : m_file(std::fopen(path.c_str(), "rb")) {}

size_t CFileReadArchive::Read(void* bytes, size_t count)
{
    return m_file ? std::fread(bytes, 1, count, m_file.get()) : 0;
}

CFileWriteArchive::CFileWriteArchive(const std::filesystem::path& path) : m_path(path)
{
    m_temp = path;
    m_temp += ".part-" + std::to_string(::getpid());
    m_file = std::fopen(m_temp.c_str(), "wb");
    if (!m_file) m_writeError = true;
}

CFileWriteArchive::~CFileWriteArchive()
{
    if (m_file) {
        std::fclose(m_file);
        std::error_code ec;
        std::filesystem::remove(m_temp, ec);
    }
}

void CFileWriteArchive::Write(const void* bytes, size_t count)
{
    if (!m_file || m_writeError) return;
    if (std::fwrite(bytes, 1, count, m_file) != count) m_writeError = true;
}

bool CFileWriteArchive::Commit()
{
    if (!m_file) return false;
    bool ok = !m_writeError && std::fflush(m_file) == 0 && ::fsync(::fileno(m_file)) == 0;
    ok = (std::fclose(m_file) == 0) && ok;
    m_file = nullptr;
    std::error_code ec;
    if (ok) std::filesystem::rename(m_temp, m_path, ec);
    if (!ok || ec) {
        std::filesystem::remove(m_temp, ec);
        m_writeError = true;
        return false;
    }
    return true;
}
