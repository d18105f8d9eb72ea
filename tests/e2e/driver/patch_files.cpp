#include "patch_files.h"

#include <fstream>
#include <map>
#include <sstream>

#include "config.h"
#include "tools/patchpack/file_io.h"
#include "tools/patchpack/filetime.h"
#include "tools/samplegen/payload_table.h"

namespace {

const int kRowCount = 35;

// Where each row goes, as the manifest lays it out.
bool InBinFolder(int row) { return (row >= 5 && row <= 10) || row == 27 || row == 32; }
bool NeedsRenderer(int row) { return (row >= 16 && row <= 27) || row == 34; }

struct Source {
  std::string path;
  bool timeFromTable;
};

// The build's list of what each record was packed from: resource id, source
// file, whether the stored time comes from the table, the table's time.
bool ReadSources(std::map<uint32_t, Source>* sources, std::string* error) {
  std::ifstream in(PAYLOAD_SOURCES_LIST);
  if (!in) {
    *error = std::string("cannot read ") + PAYLOAD_SOURCES_LIST;
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string id, path, fromTable;
    if (!std::getline(fields, id, '\t') || !std::getline(fields, path, '\t') || !std::getline(fields, fromTable, '\t'))
      continue;
    (*sources)[uint32_t(std::stoul(id))] = {path, fromTable == "1"};
  }
  return true;
}

bool LoadFile(const PayloadRow& row, const Source& source, PatchFile* file, std::string* error) {
  std::vector<unsigned char> bytes;
  struct timespec mtime;
  if (!ReadWholeFile(source.path.c_str(), &bytes, &mtime, error)) return false;
  file->row = row.Row;
  file->name = row.FileName;
  file->folder = InBinFolder(row.Row) ? "Bin" : "";
  file->needsRenderer = NeedsRenderer(row.Row);
  file->content.assign(bytes.begin(), bytes.end());
  file->storedTime = FileTimeFromTimespec(mtime);  // real patch files keep their own time
  if (source.timeFromTable && !ParseIsoTime(row.Time.c_str(), &file->storedTime)) {
    *error = "row " + std::to_string(row.Row) + ": bad time " + row.Time;
    return false;
  }
  return true;
}

bool Load(std::vector<PatchFile>* files, std::string* error) {
  std::vector<PayloadRow> rows;
  std::map<uint32_t, Source> sources;
  if (!ReadPayloadTable(PAYLOAD_TABLE, &rows, error) || !ReadSources(&sources, error)) return false;
  if (rows.size() != kRowCount) {
    *error = "the payload table has " + std::to_string(rows.size()) + " rows";
    return false;
  }
  for (const PayloadRow& row : rows) {
    auto source = sources.find(row.ResourceId);
    if (source == sources.end()) {
      *error = "nothing packed for resource " + std::to_string(row.ResourceId);
      return false;
    }
    PatchFile file;
    if (!LoadFile(row, source->second, &file, error)) return false;
    files->push_back(file);
  }
  return true;
}

}  // namespace

const std::vector<PatchFile>& PatchFiles(std::string* error) {
  static std::vector<PatchFile> files;
  static std::string loadError;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    if (!Load(&files, &loadError)) files.clear();
  }
  *error = loadError;
  return files;
}

std::string RelativePath(const PatchFile& file) { return file.folder.empty() ? file.name : file.folder + "/" + file.name; }

std::vector<int> AllRows() { return RowRange(0, kRowCount - 1); }

std::vector<int> RowsWithoutRenderer() {
  std::vector<int> rows;
  for (int row = 0; row < kRowCount; ++row)
    if (!NeedsRenderer(row)) rows.push_back(row);
  return rows;
}

std::vector<int> RowRange(int first, int last) {
  std::vector<int> rows;
  for (int row = first; row <= last; ++row) rows.push_back(row);
  return rows;
}
