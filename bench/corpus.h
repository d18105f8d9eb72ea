// What the benchmarks run on: the sample payload's records, and real files
// of this machine packed on the spot.
#pragma once

#include <string>
#include <vector>

struct CorpusItem {
  std::string Name;
  std::vector<unsigned char> Data;    // the file
  std::vector<unsigned char> Stream;  // its LZSS stream
};

// The 35 sample records (named by their file), then whichever of the
// machine's files exist.
std::vector<CorpusItem> LoadCorpus();
