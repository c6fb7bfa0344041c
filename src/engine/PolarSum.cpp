#include "engine/PolarSum.h"

#include <atomic>
#include <cmath>
#include <cstddef>

#if defined(POLVANE_HAVE_LIBMVEC) || defined(POLVANE_HAVE_X86_VECTORS)
#include <immintrin.h>
#endif

#if defined(POLVANE_HAVE_LIBMVEC)
// The eight-lane values pass between functions that are all built for AVX2; GCC warns
// about the ABI of the shared template bodies regardless.
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace polvane {

namespace {

// 2^(1/6) and 2^(-1/6) in single precision.
constexpr float kSixthOctaveUp = 1.1224620342254639f;
constexpr float kSixthOctaveDown = 0.8908987045288086f;

std::size_t SumIndex(int cell, int sum, int padded, int j)
{
    return (static_cast<std::size_t>(cell) * PolarSum::kSums + static_cast<std::size_t>(sum)) *
               static_cast<std::size_t>(padded) +
           static_cast<std::size_t>(j);
}

// The running sums of one block of angles: each angle adds its cells in order, exactly as
// the plain loop does, with the operations in the same order. `Ops` is one vector width.
template <class Ops>
[[gnu::always_inline]] inline void AddBlocks(const PolarSum::CellTerms* cells, int first,
                                             int last, int padded, float k, float* sums)
{
    using V = typename Ops::V;
    const V zero = Ops::Set(0.0f);
    const V kv = Ops::Set(k);
    const V up = Ops::Set(kSixthOctaveUp);
    const V down = Ops::Set(kSixthOctaveDown);
    for (int j = 0; j < padded; j += Ops::kWidth) {
        V s[PolarSum::kSums];
        for (int i = 0; i < PolarSum::kSums; ++i)
            s[i] = first == 0 ? zero : Ops::Load(sums + SumIndex(first - 1, i, padded, j));
        for (int c = first; c < last; ++c) {
            const PolarSum::CellTerms& t = cells[c];
            const V gain = Ops::Set(t.gain);
            const V x = Ops::Mul(Ops::Set(t.apertureFactor), Ops::Load(t.aimSine + j));
            // sin(x) / x is 1 on the axis itself.
            const V amp = Ops::Select(Ops::IsZero(x), gain, Ops::Div(Ops::Mul(gain, Ops::Sin(x)), x));
            const V psi = Ops::Mul(kv, Ops::Load(t.pathBase + j));
            const V psi2 = Ops::Mul(up, psi);
            const V psi3 = Ops::Mul(down, psi);
            s[0] = Ops::Add(s[0], Ops::Mul(amp, Ops::Cos(psi)));
            s[1] = Ops::Sub(s[1], Ops::Mul(amp, Ops::Sin(psi)));
            s[2] = Ops::Add(s[2], Ops::Mul(amp, Ops::Cos(psi2)));
            s[3] = Ops::Sub(s[3], Ops::Mul(amp, Ops::Sin(psi2)));
            s[4] = Ops::Add(s[4], Ops::Mul(amp, Ops::Cos(psi3)));
            s[5] = Ops::Sub(s[5], Ops::Mul(amp, Ops::Sin(psi3)));
            for (int i = 0; i < PolarSum::kSums; ++i)
                Ops::Store(sums + SumIndex(c, i, padded, j), s[i]);
        }
    }
}

template <class Ops>
[[gnu::always_inline]] inline void SinesBlocks(float* values, int padded)
{
    for (int j = 0; j < padded; j += Ops::kWidth)
        Ops::Store(values + j, Ops::Sin(Ops::Load(values + j)));
}

// One angle at a time with the C library's sines and cosines.
struct PlainOps {
    using V = float;
    static constexpr int kWidth = 1;
    static V Set(float v) { return v; }
    static V Load(const float* p) { return *p; }
    static void Store(float* p, V v) { *p = v; }
    static V Add(V a, V b) { return a + b; }
    static V Sub(V a, V b) { return a - b; }
    static V Mul(V a, V b) { return a * b; }
    static V Div(V a, V b) { return a / b; }
    static bool IsZero(V a) { return a == 0.0f; }
    static V Select(bool pick, V a, V b) { return pick ? a : b; }
    static V Sin(V a) { return std::sin(a); }
    static V Cos(V a) { return std::cos(a); }
};

#if defined(POLVANE_HAVE_LIBMVEC)

// glibc's vector math library: four lanes on any x86-64, eight with AVX2.
extern "C" {
__m128 _ZGVbN4v_sinf(__m128);
__m128 _ZGVbN4v_cosf(__m128);
}

struct FourLanes {
    using V = __m128;
    static constexpr int kWidth = 4;
    static V Set(float v) { return _mm_set1_ps(v); }
    static V Load(const float* p) { return _mm_loadu_ps(p); }
    static void Store(float* p, V v) { _mm_storeu_ps(p, v); }
    static V Add(V a, V b) { return _mm_add_ps(a, b); }
    static V Sub(V a, V b) { return _mm_sub_ps(a, b); }
    static V Mul(V a, V b) { return _mm_mul_ps(a, b); }
    static V Div(V a, V b) { return _mm_div_ps(a, b); }
    static V IsZero(V a) { return _mm_cmpeq_ps(a, _mm_setzero_ps()); }
    static V Select(V pick, V a, V b) { return _mm_or_ps(_mm_and_ps(pick, a), _mm_andnot_ps(pick, b)); }
    static V Sin(V a) { return _ZGVbN4v_sinf(a); }
    static V Cos(V a) { return _ZGVbN4v_cosf(a); }
};

#pragma GCC push_options
#pragma GCC target("avx2")
extern "C" {
__m256 _ZGVdN8v_sinf(__m256);
__m256 _ZGVdN8v_cosf(__m256);
}

struct EightLanes {
    using V = __m256;
    static constexpr int kWidth = 8;
    static V Set(float v) { return _mm256_set1_ps(v); }
    static V Load(const float* p) { return _mm256_loadu_ps(p); }
    static void Store(float* p, V v) { _mm256_storeu_ps(p, v); }
    static V Add(V a, V b) { return _mm256_add_ps(a, b); }
    static V Sub(V a, V b) { return _mm256_sub_ps(a, b); }
    static V Mul(V a, V b) { return _mm256_mul_ps(a, b); }
    static V Div(V a, V b) { return _mm256_div_ps(a, b); }
    static V IsZero(V a) { return _mm256_cmp_ps(a, _mm256_setzero_ps(), _CMP_EQ_OQ); }
    static V Select(V pick, V a, V b) { return _mm256_blendv_ps(b, a, pick); }
    static V Sin(V a) { return _ZGVdN8v_sinf(a); }
    static V Cos(V a) { return _ZGVdN8v_cosf(a); }
};
#pragma GCC pop_options

void AddFour(const PolarSum::CellTerms* cells, int first, int last, int padded, float k,
             float* sums)
{
    AddBlocks<FourLanes>(cells, first, last, padded, k, sums);
}

void SinesFour(float* values, int padded) { SinesBlocks<FourLanes>(values, padded); }

// The eight-lane routines exist only in the AVX2 build of these two functions; the
// template bodies are inlined into them.
[[gnu::target("avx2")]] void AddEight(const PolarSum::CellTerms* cells, int first, int last,
                                       int padded, float k, float* sums)
{
    AddBlocks<EightLanes>(cells, first, last, padded, k, sums);
}

[[gnu::target("avx2")]] void SinesEight(float* values, int padded)
{
    SinesBlocks<EightLanes>(values, padded);
}

#endif

enum class Kernel { Plain, Four, Eight };

Kernel BestKernel()
{
#if defined(POLVANE_HAVE_LIBMVEC)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? Kernel::Eight : Kernel::Four;
#else
    return Kernel::Plain;
#endif
}

const Kernel kBest = BestKernel();
std::atomic<bool> g_vectorised{true};

Kernel Current()
{
    return g_vectorised.load(std::memory_order_relaxed) ? kBest : Kernel::Plain;
}

#if defined(POLVANE_HAVE_X86_VECTORS)
[[gnu::target("avx")]] void ZeroUpper() { _mm256_zeroupper(); }

bool HasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}
const bool kHasAvx = HasAvx();
#endif

} // namespace

void PolarSum::Add(const CellTerms* cells, int first, int last, int padded, float k,
                   float* sums)
{
    switch (Current()) {
#if defined(POLVANE_HAVE_LIBMVEC)
    case Kernel::Eight:
        AddEight(cells, first, last, padded, k, sums);
        return;
    case Kernel::Four:
        AddFour(cells, first, last, padded, k, sums);
        return;
#endif
    default:
        AddBlocks<PlainOps>(cells, first, last, padded, k, sums);
    }
}

void PolarSum::Sines(float* values, int padded)
{
    switch (Current()) {
#if defined(POLVANE_HAVE_LIBMVEC)
    case Kernel::Eight:
        SinesEight(values, padded);
        return;
    case Kernel::Four:
        SinesFour(values, padded);
        return;
#endif
    default:
        SinesBlocks<PlainOps>(values, padded);
    }
}

void PolarSum::ClearUpperVectorState()
{
#if defined(POLVANE_HAVE_X86_VECTORS)
    if (kHasAvx)
        ZeroUpper();
#endif
}

bool PolarSum::Vectorised() { return Current() != Kernel::Plain; }

void PolarSum::SetVectorised(bool on) { g_vectorised.store(on, std::memory_order_relaxed); }

int PolarSum::Lanes()
{
    switch (Current()) {
    case Kernel::Eight:
        return 8;
    case Kernel::Four:
        return 4;
    default:
        return 1;
    }
}

} // namespace polvane
