#pragma once
// Picture files for picture watermarks: 24-bit BMPs written in the test's folder.
#include "fixtures/TestEnvironment.h"
#include "engine/FrameRecord.h"
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

// A w x h BMP of 0xRRGGBB pixels given top row first.
inline std::filesystem::path WriteBmp(const char* name, int w, int h, const std::vector<uint32_t>& topDown)
{
    const std::filesystem::path p = kmtest::TestDir() / name;
    std::ofstream f(p, std::ios::binary);
    const uint32_t stride = DibStride(w, 24);
    BITMAPINFOHEADER hdr;
    hdr.biWidth = w;
    hdr.biHeight = h;
    hdr.biSizeImage = stride * uint32_t(h);
    const uint32_t offset = 14 + 40, fileSize = offset + hdr.biSizeImage;
    f.write("BM", 2);
    f.write(reinterpret_cast<const char*>(&fileSize), 4);
    f.write("\0\0\0\0", 4);
    f.write(reinterpret_cast<const char*>(&offset), 4);
    f.write(reinterpret_cast<const char*>(&hdr), 40);
    std::vector<char> row(stride, 0);
    for (int y = h - 1; y >= 0; --y) {  // bottom row first
        for (int x = 0; x < w; ++x) {
            const uint32_t c = topDown[size_t(y) * w + x];
            row[size_t(x) * 3] = char(c & 0xFF);
            row[size_t(x) * 3 + 1] = char((c >> 8) & 0xFF);
            row[size_t(x) * 3 + 2] = char((c >> 16) & 0xFF);
        }
        f.write(row.data(), std::streamsize(row.size()));
    }
    return p;
}
