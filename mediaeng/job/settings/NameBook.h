#pragma once
// The names given in one run by several namers (numbered parts beside single
// outputs): a name one namer gave is never given again by another, so no
// output of the run replaces another.
#include "mediaeng/job/settings/OutputNamer.h"
#include <filesystem>
#include <set>
#include <string>

namespace mediaeng::job {

class CNameBook {
public:
    std::filesystem::path Take(COutputNamer& namer, const std::filesystem::path& source, int index,
                               std::wstring* warning = nullptr)
    {
        std::filesystem::path name = namer.MakeName(source, index, warning);
        // Each call reserves the name and moves on, so this ends.
        for (int tries = 0; tries < 10000 && !m_given.insert(name).second; ++tries)
            name = namer.MakeName(source, index, nullptr);
        return name;
    }

private:
    std::set<std::filesystem::path> m_given;
};

}  // namespace mediaeng::job
