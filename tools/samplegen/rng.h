// A small deterministic generator: the same seed gives the same bytes on
// every machine and compiler.
#pragma once

#include <stdint.h>

struct Rng {
  uint64_t State;

  uint32_t Next() {
    uint64_t z = (State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return (uint32_t)((z ^ (z >> 31)) >> 32);
  }
  // 0 .. n-1, n > 0.
  uint32_t Below(uint32_t n) { return (uint32_t)(((uint64_t)Next() * n) >> 32); }
  template <typename T, unsigned N>
  const T& Pick(const T (&items)[N]) { return items[Below(N)]; }
};
