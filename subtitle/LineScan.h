#pragma once
// Searches over raw bytes that the streaming passes share. The arrow holds
// no line-end byte, so an arrow found lies inside one line.
//
// They run once or twice per subtitle over the whole file, so with SSE2 they
// test 16 positions at a time inline: a call to memchr per search cost more
// than the search itself. The plain loops finish what is left and serve
// other processors.

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "subtitle/Lines.h"

namespace tarvex {

inline size_t SeparatorLength(LineSeparator separator) {
    return separator == LineSeparator::CrLf ? 2 : 1;
}

inline bool IsArrowAt(const char* at) {
    return at[0] == ' ' && at[1] == '-' && at[2] == '-' && at[3] == '>' && at[4] == ' ';
}

// The first " --> " that starts in [from, end) and ends by `end`.
inline const char* FindArrow(const char* from, const char* end) {
#if defined(__SSE2__)
    // "->" is the rare part of the arrow: '>' alone also closes every tag.
    const __m128i dash = _mm_set1_epi8('-');
    const __m128i greater = _mm_set1_epi8('>');
    for (; end - from >= 20; from += 16) {
        __m128i twos = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2));
        __m128i threes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 3));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(twos, dash), _mm_cmpeq_epi8(threes, greater))));
        for (; mask != 0; mask &= mask - 1) {
            const char* at = from + __builtin_ctz(mask);
            if (IsArrowAt(at)) return at;
        }
    }
#endif
    while (end - from >= 5) {
        const void* hit = std::memchr(from + 3, '>', static_cast<size_t>(end - from - 4));
        if (hit == nullptr) return nullptr;
        const char* at = static_cast<const char*>(hit) - 3;
        if (IsArrowAt(at)) return at;
        from = at + 1;
    }
    return nullptr;
}

// The first separator that lies wholly in [from, end), or nullptr.
inline const char* FindSeparator(const char* from, const char* end, LineSeparator separator) {
    const char first = separator == LineSeparator::Lf ? '\n' : '\r';
#if defined(__SSE2__)
    const __m128i firsts = _mm_set1_epi8(first);
    const __m128i lfs = _mm_set1_epi8('\n');
    for (; end - from >= 17; from += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        __m128i hits = _mm_cmpeq_epi8(block, firsts);
        if (separator == LineSeparator::CrLf) {
            __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 1));
            hits = _mm_and_si128(hits, _mm_cmpeq_epi8(next, lfs));
        }
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) return from + __builtin_ctz(mask);
    }
#endif
    if (separator == LineSeparator::CrLf) {
        for (; end - from >= 2; ++from)
            if (from[0] == '\r' && from[1] == '\n') return from;
        return nullptr;
    }
    return static_cast<const char*>(std::memchr(from, first, static_cast<size_t>(end - from)));
}

// Just past the last separator that lies wholly in [from, end), or nullptr.
// It is asked for the start of the line it is in, so it walks back.
inline const char* FindLastSeparatorEnd(const char* from, const char* end, LineSeparator separator) {
    const char wanted = separator == LineSeparator::Cr ? '\r' : '\n';
    const char* at = end;
#if defined(__SSE2__)
    const __m128i wanteds = _mm_set1_epi8(wanted);
    const __m128i crs = _mm_set1_epi8('\r');
    for (; at - from >= 17; at -= 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 16));
        __m128i hits = _mm_cmpeq_epi8(block, wanteds);
        if (separator == LineSeparator::CrLf) {
            __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 17));
            hits = _mm_and_si128(hits, _mm_cmpeq_epi8(before, crs));
        }
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) return at - 16 + (31 - __builtin_clz(mask)) + 1;
    }
#endif
    while (at > from) {
        --at;
        if (*at != wanted) continue;
        if (separator != LineSeparator::CrLf) return at + 1;
        if (at - 1 >= from && at[-1] == '\r') return at + 1;
    }
    return nullptr;
}

}  // namespace tarvex
