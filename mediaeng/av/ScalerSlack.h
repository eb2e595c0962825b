#pragma once
// libswscale's vector code may write a few bytes past the end of the last
// row it writes (with a negative stride: past the end of the buffer). A
// buffer it writes into reserves this much more than its picture needs.
#include <cstddef>

namespace mediaeng::av {

inline constexpr std::size_t kScalerSlack = 64;

}  // namespace mediaeng::av
