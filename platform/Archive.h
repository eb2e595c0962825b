#pragma once
// Byte streams that the project file is written to and read from. Read returns
// the count actually read; a failed write is remembered by the archive itself.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

class CArchive {
public:
    virtual ~CArchive() = default;
    virtual void Write(const void* bytes, size_t count) = 0;
    virtual size_t Read(void* bytes, size_t count) = 0;
    bool HasWriteError() const { return m_writeError; }

protected:
    bool m_writeError = false;
};

// Over a byte vector: reads from the start, writes append.
class CMemoryArchive : public CArchive {
public:
    CMemoryArchive() = default;
    explicit CMemoryArchive(std::vector<uint8_t> data) : m_data(std::move(data)) {}
    void Write(const void* bytes, size_t count) override;
    size_t Read(void* bytes, size_t count) override;
    const std::vector<uint8_t>& Data() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
    size_t m_pos = 0;
};

// Reads a file as it is.
class CFileReadArchive : public CArchive {
public:
    explicit CFileReadArchive(const std::filesystem::path& path);
    bool IsOpen() const { return m_file != nullptr; }
    void Write(const void*, size_t) override { m_writeError = true; }
    size_t Read(void* bytes, size_t count) override;

private:
    struct Closer {
        void operator()(FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<FILE, Closer> m_file;
};

// Writes beside the target under a temporary name; Commit renames it into
// place only when every write succeeded, so a failed save never replaces a
// good file with a broken one. Without Commit the temporary file is removed.
class CFileWriteArchive : public CArchive {
public:
    explicit CFileWriteArchive(const std::filesystem::path& path);
    ~CFileWriteArchive() override;
    bool IsOpen() const { return m_file != nullptr; }
    void Write(const void* bytes, size_t count) override;
    size_t Read(void*, size_t) override { return 0; }
    bool Commit();

private:
    std::filesystem::path m_path;
    std::filesystem::path m_temp;
    FILE* m_file = nullptr;
};
