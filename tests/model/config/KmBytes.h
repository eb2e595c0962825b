#pragma once
// Builds ".km" bytes for the tests from hex text and little-endian pieces.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct KmBytes {
    std::vector<uint8_t> b;

    KmBytes& hex(const char* text)
    {
        for (const char* p = text; *p;) {
            if (*p == ' ') {
                ++p;
                continue;
            }
            b.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
            p += 2;
        }
        return *this;
    }
    KmBytes& ascii(const char* text)
    {
        b.insert(b.end(), text, text + std::strlen(text));
        return *this;
    }
    KmBytes& u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    KmBytes& zeros(size_t n)
    {
        b.insert(b.end(), n, 0);
        return *this;
    }
    // A project file header with the given first five bytes.
    KmBytes& header(const char* magic5 = "KMSF")
    {
        // Laid out whole and added at once: grown piece by piece from empty,
        // the vector trips GCC 12's false -Warray-bounds at -O2.
        static constexpr char kText[] = "KestrelMedia Config file. Version: 1.0.0";
        uint8_t h[5 + sizeof(kText) - 1 + 1 + 23] = {};
        std::memcpy(h, magic5, 5);
        std::memcpy(h + 5, kText, sizeof(kText) - 1);
        b.insert(b.end(), h, h + sizeof(h));
        return *this;
    }
    // Name-length byte and name.
    KmBytes& name(const char* n)
    {
        b.push_back(static_cast<uint8_t>(std::strlen(n)));
        return ascii(n);
    }
    KmBytes& intParam(const char* n, int32_t v) { return name(n).u32(0).u32(4).u32(static_cast<uint32_t>(v)); }
    // UTF-16LE of an ASCII text.
    KmBytes& strParam(const char* n, const char* v)
    {
        name(n).u32(2).u32(static_cast<uint32_t>(2 * std::strlen(v)));
        for (const char* p = v; *p; ++p) b.insert(b.end(), {static_cast<uint8_t>(*p), 0});
        return *this;
    }
    KmBytes& node(uint32_t params, uint32_t groups) { return u32(params).u32(groups); }
    KmBytes& group(uint32_t id, uint32_t skip, uint32_t count) { return u32(id).u32(skip).u32(count); }
};
