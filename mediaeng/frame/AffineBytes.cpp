#include "mediaeng/frame/AffineBytes.h"
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KM_AFFINE_AVX2 1
#endif

namespace mediaeng::frame {

#if defined(KM_AFFINE_AVX2)
namespace {

// 32 bytes a step where the processor has AVX2; the same rounding (to
// nearest even) and saturation as the SSE2 steps. Returns how many were done.
__attribute__((target("avx2"))) inline __m256i Eval8(__m128i bytes8, __m256 va, __m256 vc)
{
    return _mm256_cvtps_epi32(_mm256_add_ps(_mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes8)), va), vc));
}

__attribute__((target("avx2"))) int ApplyAffineAvx2(const BYTE* s, BYTE* d, int n, const AffineCurve& curve)
{
    const __m256 va = _mm256_set1_ps(curve.a), vc = _mm256_set1_ps(curve.c);
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m128i lo = _mm256_castsi256_si128(x), hi = _mm256_extracti128_si256(x, 1);
        const __m256i r0 = Eval8(lo, va, vc), r1 = Eval8(_mm_srli_si128(lo, 8), va, vc);
        const __m256i r2 = Eval8(hi, va, vc), r3 = Eval8(_mm_srli_si128(hi, 8), va, vc);
        // Packing works within 128-bit lanes: put the four groups back in order.
        const __m256i w01 = _mm256_permute4x64_epi64(_mm256_packs_epi32(r0, r1), 0xD8);
        const __m256i w23 = _mm256_permute4x64_epi64(_mm256_packs_epi32(r2, r3), 0xD8);
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(w01, w23), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), packed);
    }
    return i;
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

}  // namespace
#endif

void ApplyAffine(const BYTE* s, BYTE* d, int n, const AffineCurve& curve, const std::array<BYTE, 256>& table)
{
    int i = 0;
#if defined(KM_AFFINE_AVX2)
    if (HasAvx2()) i = ApplyAffineAvx2(s, d, n, curve);
#endif
#if defined(__SSE2__)
    const __m128 va = _mm_set1_ps(curve.a), vc = _mm_set1_ps(curve.c);
    const __m128i zero = _mm_setzero_si128();
    auto eval = [&](__m128i v) { return _mm_cvtps_epi32(_mm_add_ps(_mm_mul_ps(_mm_cvtepi32_ps(v), va), vc)); };
    for (; i + 16 <= n; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i lo = _mm_unpacklo_epi8(x, zero), hi = _mm_unpackhi_epi8(x, zero);
        const __m128i r0 = eval(_mm_unpacklo_epi16(lo, zero)), r1 = eval(_mm_unpackhi_epi16(lo, zero));
        const __m128i r2 = eval(_mm_unpacklo_epi16(hi, zero)), r3 = eval(_mm_unpackhi_epi16(hi, zero));
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(r0, r1), _mm_packs_epi32(r2, r3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), packed);
    }
#endif
    for (; i < n; ++i) d[i] = table[s[i]];
}

bool FitAffine(const std::array<double, 256>& values, const std::array<BYTE, 256>& table, AffineCurve& out)
{
#if defined(__SSE2__)
    int x0 = -1, x1 = -1;
    for (int x = 0; x < 256; ++x)
        if (values[x] > 0.0 && values[x] < 255.0) {
            if (x0 < 0) x0 = x;
            x1 = x;
        }
    if (x0 < 0 || x1 <= x0) return false;
    const double a = (values[x1] - values[x0]) / (x1 - x0);
    out.a = static_cast<float>(a);
    out.c = static_cast<float>(values[x0] - a * x0);
    std::array<BYTE, 256> in, got;
    for (int x = 0; x < 256; ++x) in[x] = static_cast<BYTE>(x);
    ApplyAffine(in.data(), got.data(), 256, out, table);
    return std::memcmp(got.data(), table.data(), 256) == 0;
#else
    (void)values;
    (void)table;
    (void)out;
    return false;
#endif
}

}  // namespace mediaeng::frame
