#include "files.h"
#include "hostwin/control.h"

bool LimitFreeSpace(const std::string& path, uint64_t bytes, FullDisk behaviour) {
  if (path.size() < 2 || path[1] != ':') return false;
  hostwin::LimitFreeSpace(path[0], bytes);
  hostwin::SetFullDiskWrites(behaviour == FullDisk::Fails ? hostwin::FullDiskWrites::Fail
                                                          : hostwin::FullDiskWrites::ShortCount);
  return true;
}
