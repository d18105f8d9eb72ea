// The whole extraction into a folder, beside plainly writing the same files
// there (create, one write, stamp, close): from bytes decoded beforehand, and
// decoding each record on the way, as a plain extractor would. All through
// the same file layer (natively, the stand-in over the host's files).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "hostwin/control.h"
#include "messages/messages.h"
#include "payload/extract.h"
#include "payload/manifest.h"
#include "payload/record.h"
#include "payload/target_path.h"

namespace {

const char kGame[] = "C:\\Games\\Kelmor";

struct DecodedFile {
  std::string path;
  std::vector<unsigned char> bytes;
  FILETIME time;
};

// A game folder with the renderer, so every row is written.
void LayOutGame() {
  CreateDirectoryA("C:\\Games", nullptr);
  CreateDirectoryA(kGame, nullptr);
  CreateDirectoryA("C:\\Games\\Kelmor\\Bin", nullptr);
  HANDLE renderer = CreateFileA("C:\\Games\\Kelmor\\RenderD3D8.dll", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(renderer);
}

std::vector<DecodedFile> DecodeAll() {
  std::vector<DecodedFile> files;
  for (const PatchFileEntry& row : PatchManifest) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(row.ResourceId), "BINFILE");
    unsigned char* image = nullptr;
    DWORD size = 0;
    DecodedFile file;
    DecodePayloadRecord(LockResource(LoadResource(nullptr, resource)), SizeofResource(nullptr, resource), &image, &size,
                        &file.time);
    file.bytes.assign(image, image + size);
    CheckedFree(image);
    char folder[MAX_PATH], target[MAX_PATH];
    ComposeTargetPath(row, kGame, folder, target);
    file.path = target;
    files.push_back(file);
  }
  return files;
}

size_t TotalBytes(const std::vector<DecodedFile>& files) {
  size_t total = 0;
  for (const DecodedFile& file : files) total += file.bytes.size();
  return total;
}

void BM_ExtractPatchFiles(benchmark::State& state) {
  LayOutGame();
  size_t bytes = TotalBytes(DecodeAll());
  for (auto _ : state) {
    // The game executable as the patch found it, so no version question.
    state.PauseTiming();
    HANDLE old = CreateFileA("C:\\Games\\Kelmor\\Kelmor.exe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(old);
    state.ResumeTiming();
    ExtractPatchFiles(kGame);
    if (hostwin::Boxes().size() != 1 || hostwin::Boxes()[0].style != MB_ICONINFORMATION) {
      state.SkipWithError(("the extraction did not complete: " + hostwin::Boxes()[0].caption + " " + hostwin::Boxes()[0].text).c_str());
      break;
    }
    hostwin::ClearBoxes();
  }
  state.SetBytesProcessed(int64_t(state.iterations() * bytes));
}
BENCHMARK(BM_ExtractPatchFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void PlainWrite(const char* path, const unsigned char* bytes, DWORD size, const FILETIME& time) {
  HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(handle, bytes, size, &written, nullptr);
  SetFileTime(handle, &time, &time, &time);
  CloseHandle(handle);
}

void BM_PlainWrites(benchmark::State& state) {
  LayOutGame();
  std::vector<DecodedFile> files = DecodeAll();
  for (auto _ : state)
    for (const DecodedFile& file : files)
      PlainWrite(file.path.c_str(), file.bytes.data(), DWORD(file.bytes.size()), file.time);
  state.SetBytesProcessed(int64_t(state.iterations() * TotalBytes(files)));
}
BENCHMARK(BM_PlainWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeAndPlainWrites(benchmark::State& state) {
  LayOutGame();
  std::vector<DecodedFile> files = DecodeAll();  // for the paths
  for (auto _ : state) {
    for (size_t i = 0; i < files.size(); ++i) {
      HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(PatchManifest[i].ResourceId), "BINFILE");
      unsigned char* image = nullptr;
      DWORD size = 0;
      FILETIME time;
      DecodePayloadRecord(LockResource(LoadResource(nullptr, resource)), SizeofResource(nullptr, resource), &image,
                          &size, &time);
      PlainWrite(files[i].path.c_str(), image, size, time);
      CheckedFree(image);
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations() * TotalBytes(files)));
}
BENCHMARK(BM_DecodeAndPlainWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
