#include "payload/target_path.h"

#include "messages/messages.h"
#include "messages/text.h"

bool ComposeTargetPath(const PatchFileEntry& row, const char* installFolder, char* folder, char* target) {
  char name[NAME_BUFFER];
  LoadStringA(nullptr, row.NameStringId, name, sizeof name);
  bool fits = row.SubFolder && row.SubFolder[0]
                  ? ComposeText(folder, MAX_PATH, "%s\\%s", installFolder, row.SubFolder)
                  : ComposeText(folder, MAX_PATH, "%s", installFolder);
  return fits && ComposeText(target, MAX_PATH, "%s\\%s", folder, name);
}
