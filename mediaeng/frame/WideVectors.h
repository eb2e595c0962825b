#pragma once
// Pixel loops that gain much from wider vectors (a 3x3 colour matrix runs
// about four times as fast) are built a second time for AVX2 and picked when
// the processor has it. Their work is in integers, so either build gives the
// same bytes.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KM_TARGET_AVX2 __attribute__((target("avx2")))
#define KM_HAS_WIDE_BUILD 1
#else
#define KM_TARGET_AVX2
#define KM_HAS_WIDE_BUILD 0
#endif

namespace mediaeng::frame {

// True where the AVX2 build of those loops runs.
bool UseWideVectors();

// Tests compare the two builds; the program never calls this.
void SetWideVectorsForTest(bool on);

}  // namespace mediaeng::frame
