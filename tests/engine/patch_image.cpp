#include "patch_image.h"

#include <gtest/gtest.h>

#include "files.h"
#include "messages/messages.h"
#include "payload/record.h"

PatchImage ImageOfRow(int row) {
  const PatchFileEntry& entry = PatchManifest[row];
  PatchImage image;
  char name[NAME_BUFFER];
  LoadStringA(nullptr, entry.NameStringId, name, sizeof name);
  image.relativePath = entry.SubFolder ? std::string(entry.SubFolder) + "\\" + name : name;

  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(entry.ResourceId), "BINFILE");
  EXPECT_NE(resource, nullptr) << "row " << row;
  if (!resource) return image;
  unsigned char* decoded = nullptr;
  DWORD size = 0;
  FILETIME time;
  bool ok = DecodePayloadRecord(LockResource(LoadResource(nullptr, resource)), SizeofResource(nullptr, resource),
                                &decoded, &size, &time);
  EXPECT_TRUE(ok) << "row " << row;
  if (!ok) return image;
  image.content.assign(reinterpret_cast<const char*>(decoded), size);
  image.fileTime = Ticks(time);
  CheckedFree(decoded);
  return image;
}

std::vector<int> AllRows() {
  std::vector<int> rows;
  for (int row = 0; row < PATCH_FILE_COUNT; ++row) rows.push_back(row);
  return rows;
}

std::vector<int> RowsWithoutRenderer() {
  std::vector<int> rows;
  for (int row = 0; row < PATCH_FILE_COUNT; ++row)
    if (!PatchManifest[row].NeedsDx8Renderer) rows.push_back(row);
  return rows;
}
