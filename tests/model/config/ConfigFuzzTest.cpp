// Loads random and damaged ".km" data; under the sanitizers this finds reads past
// buffers, huge allocations and loops that a stored count or size could cause.
#include "ConfigTestNodes.h"
#include "KmBytes.h"
#include <gtest/gtest.h>
#include <chrono>
#include <random>

namespace {
std::vector<uint8_t> Seed()
{
    CTestProject p;
    p.title = L"seed \u00E9";
    for (int i = 0; i < 3; ++i) static_cast<CTestItem*>(p.list.CreateItem())->value = i;
    CMemoryArchive a;
    p.SaveConfig(a);
    return a.Data();
}

std::vector<uint8_t> Mutate(std::vector<uint8_t> d, std::mt19937& rng)
{
    std::uniform_int_distribution<int> op(0, 5);
    int steps = 1 + static_cast<int>(rng() % 4);
    for (int s = 0; s < steps && !d.empty(); ++s) {
        size_t at = rng() % d.size();
        switch (op(rng)) {
        case 0: d[at] ^= static_cast<uint8_t>(1u << (rng() % 8)); break;
        case 1: d[at] = static_cast<uint8_t>(rng()); break;
        case 2: d.resize(at); break;
        case 3:  // a length or count of all ones
            for (size_t i = at; i < d.size() && i < at + 4; ++i) d[i] = 0xFF;
            break;
        case 4: d.insert(d.begin() + static_cast<long>(at), static_cast<uint8_t>(rng())); break;
        default: d.erase(d.begin() + static_cast<long>(at)); break;
        }
    }
    return d;
}
}

TEST(ConfigFuzz, RandomAndDamagedDataLoadsWithoutHarm)
{
    std::mt19937 rng(20261210);
    const std::vector<uint8_t> seed = Seed();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int runs = 0;
    for (; runs < 20000 && std::chrono::steady_clock::now() < deadline; ++runs) {
        std::vector<uint8_t> data;
        if (runs % 4 == 0) {
            data = KmBytes{}.header().b;
            size_t n = rng() % 96;
            for (size_t i = 0; i < n; ++i) data.push_back(static_cast<uint8_t>(rng()));
        } else {
            data = Mutate(seed, rng);
        }
        CTestProject p;
        CMemoryArchive a(data);
        HRESULT hr = p.LoadConfig(a);
        ASSERT_TRUE(hr == S_OK || hr == S_FALSE || hr == E_INVALIDARG) << hr;
        // Items never outnumber what the data could describe.
        ASSERT_LE(p.list.items.size(), data.size() / 8 + 1);
    }
    EXPECT_GT(runs, 100);
}
