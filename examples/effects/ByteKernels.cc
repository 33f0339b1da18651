#include "examples/effects/ByteKernels.h"

#include <immintrin.h>

#include <libyuv/rotate.h>

#define TIVREL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

namespace Effects {
namespace {

TIVREL_AVX512 void MirrorLine(const unsigned char* src, unsigned char* dst, int width) {
  const __m512i reverse =
      _mm512_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
                      27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50,
                      51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63);
  int x = 0;
  for (; x + 64 <= width; x += 64) {
    const __m512i bytes = _mm512_loadu_si512(src + width - 64 - x);
    _mm512_storeu_si512(dst + x, _mm512_maskz_permutexvar_epi8(~0ULL, reverse, bytes));
  }
  for (; x < width; ++x) dst[x] = src[width - 1 - x];
}

// Loads 16 source lines of 64 bytes and transposes them in place: each 128-bit lane holds
// a 16x16 block, and four rounds of byte interleaving of lines i and i+8 transpose it (each
// round rotates one bit of the line number into the byte position). Afterwards line[j],
// lane q holds the 16 bytes of destination line 16q + j.
TIVREL_AVX512 inline void TransposeLines16(const unsigned char* src, long srcStride, __m512i* line) {
  __m512i next[16];
#pragma GCC unroll 16
  for (int i = 0; i < 16; ++i) line[i] = _mm512_loadu_si512(src + i * srcStride);
#pragma GCC unroll 4
  for (int round = 0; round < 4; ++round) {
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) {
      next[2 * i] = _mm512_unpacklo_epi8(line[i], line[i + 8]);
      next[2 * i + 1] = _mm512_unpackhi_epi8(line[i], line[i + 8]);
    }
#pragma GCC unroll 16
    for (int i = 0; i < 16; ++i) line[i] = next[i];
  }
}

template <int Lane>
TIVREL_AVX512 void StoreLane(unsigned char* dst, __m512i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm512_maskz_extracti32x4_epi32(0xF, v, Lane));
}

template <int Half>
TIVREL_AVX512 void StoreHalf(unsigned char* dst, __m512i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm512_maskz_extracti64x4_epi64(0xF, v, Half));
}

// 16 source lines of 64 bytes become 64 destination lines of 16 bytes.
TIVREL_AVX512 void Transpose16x64(const unsigned char* src, long srcStride, unsigned char* dst, long dstStride) {
  __m512i line[16];
  TransposeLines16(src, srcStride, line);
#pragma GCC unroll 16
  for (int j = 0; j < 16; ++j) {
    StoreLane<0>(dst + j * dstStride, line[j]);
    StoreLane<1>(dst + (16 + j) * dstStride, line[j]);
    StoreLane<2>(dst + (32 + j) * dstStride, line[j]);
    StoreLane<3>(dst + (48 + j) * dstStride, line[j]);
  }
}

// 32 source lines of 64 bytes become 64 destination lines of 32 bytes: two 16-line
// transposes whose lanes are paired, so that each destination line gets one 32-byte store
// instead of two 16-byte ones (the stores, not the shuffles, bound the 16-line version).
TIVREL_AVX512 void Transpose32x64(const unsigned char* src, long srcStride, unsigned char* dst, long dstStride) {
  __m512i top[16], bottom[16];
  TransposeLines16(src, srcStride, top);
  TransposeLines16(src + 16 * srcStride, srcStride, bottom);
  // 64-bit element indices into (top, bottom): lanes 0 and 1 of each interleaved, and
  // lanes 2 and 3.
  const __m512i lanes01 = _mm512_set_epi64(11, 10, 3, 2, 9, 8, 1, 0);
  const __m512i lanes23 = _mm512_set_epi64(15, 14, 7, 6, 13, 12, 5, 4);
#pragma GCC unroll 16
  for (int j = 0; j < 16; ++j) {
    const __m512i low = _mm512_permutex2var_epi64(top[j], lanes01, bottom[j]);
    const __m512i high = _mm512_permutex2var_epi64(top[j], lanes23, bottom[j]);
    StoreHalf<0>(dst + j * dstStride, low);
    StoreHalf<1>(dst + (16 + j) * dstStride, low);
    StoreHalf<0>(dst + (32 + j) * dstStride, high);
    StoreHalf<1>(dst + (48 + j) * dstStride, high);
  }
}

}  // namespace

bool HasByteKernels() {
  static const bool has = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
  return has;
}

TIVREL_AVX512 void MirrorBytes(const unsigned char* src, long srcStride, unsigned char* dst, long dstStride, int width,
                               int rows) {
  for (int y = 0; y < rows; ++y) MirrorLine(src + y * srcStride, dst + y * dstStride, width);
}

TIVREL_AVX512 void TransposeBytes(const unsigned char* src, long srcStride, unsigned char* dst, long dstStride,
                                  int width, int rows) {
  const int blockWidth = width & ~63, wideRows = rows & ~31, blockRows = rows & ~15;
  // One 64-column strip at a time, down the source: the 64 destination lines being filled
  // stay in the second-level cache until they are complete. Blocks of 32 lines, then one of
  // 16 if that many remain.
  for (int x = 0; x < blockWidth; x += 64) {
    for (int y = 0; y < wideRows; y += 32) {
      Transpose32x64(src + y * srcStride + x, srcStride, dst + x * dstStride + y, dstStride);
    }
    if (wideRows < blockRows) {
      Transpose16x64(src + wideRows * srcStride + x, srcStride, dst + x * dstStride + wideRows, dstStride);
    }
  }
  // The edges that do not fill a block: the last rows % 16 lines, then the last width % 64
  // columns over all lines. libyuv's transpose must not be given a width of 0: its vector
  // loop would run once anyway.
  if (blockRows < rows && blockWidth > 0) {
    libyuv::TransposePlane(src + blockRows * srcStride, static_cast<int>(srcStride), dst + blockRows,
                           static_cast<int>(dstStride), blockWidth, rows - blockRows);
  }
  if (blockWidth < width) {
    libyuv::TransposePlane(src + blockWidth, static_cast<int>(srcStride), dst + blockWidth * dstStride,
                           static_cast<int>(dstStride), width - blockWidth, rows);
  }
}

}  // namespace Effects
