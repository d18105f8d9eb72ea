#include "link_file.h"

namespace {

// LinkFlags
const DWORD kHasLinkInfo = 0x00000002;
const DWORD kHasWorkingDir = 0x00000010;
const DWORD kHasArguments = 0x00000020;
const DWORD kIsUnicode = 0x00000080;

const DWORD kHeaderSize = 0x4C;
const DWORD kLinkInfoHeaderSize = 0x1C;
const DWORD kVolumeIdAndLocalBasePath = 0x00000001;
const DWORD kVolumeIdHeaderSize = 0x10;
const DWORD kDriveFixed = 3;
const DWORD kDriveSerial = 0x4B4C4D52;

// {00021401-0000-0000-C000-000000000046} as stored.
const unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

void Put16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& out, DWORD value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutZeros(std::vector<unsigned char>& out, size_t count) { out.insert(out.end(), count, 0); }

void PutAnsiz(std::vector<unsigned char>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

// StringData: a count of UTF-16 units, then the units, no terminator.
void PutCountedUnicode(std::vector<unsigned char>& out, const std::string& ansi) {
  std::vector<WCHAR> wide(ansi.size() + 1);
  int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), int(wide.size()));
  if (units < 0) units = 0;
  Put16(out, unsigned(units));
  for (int i = 0; i < units; ++i) Put16(out, wide[i]);
}

void PutLinkInfo(std::vector<unsigned char>& out, const std::string& localPath) {
  const DWORD volumeIdSize = kVolumeIdHeaderSize + 1;  // an empty volume label
  const DWORD localPathOffset = kLinkInfoHeaderSize + volumeIdSize;
  const DWORD suffixOffset = localPathOffset + DWORD(localPath.size()) + 1;
  const DWORD size = suffixOffset + 1;  // an empty common path suffix

  Put32(out, size);
  Put32(out, kLinkInfoHeaderSize);
  Put32(out, kVolumeIdAndLocalBasePath);
  Put32(out, kLinkInfoHeaderSize);  // VolumeID right after the header
  Put32(out, localPathOffset);
  Put32(out, 0);  // no network location
  Put32(out, suffixOffset);

  Put32(out, volumeIdSize);
  Put32(out, kDriveFixed);
  Put32(out, kDriveSerial);
  Put32(out, kVolumeIdHeaderSize);  // the label follows the VolumeID header
  out.push_back(0);

  PutAnsiz(out, localPath);
  out.push_back(0);
}

}  // namespace

namespace hostwin {

std::vector<unsigned char> EncodeLinkFile(const LinkFields& link) {
  DWORD flags = kIsUnicode;
  if (!link.target.empty()) flags |= kHasLinkInfo;
  if (!link.workingFolder.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;

  std::vector<unsigned char> out;
  Put32(out, kHeaderSize);
  out.insert(out.end(), kLinkClsid, kLinkClsid + sizeof kLinkClsid);
  Put32(out, flags);
  Put32(out, link.targetAttributes);
  PutZeros(out, 3 * 8);  // creation, access and write times: not recorded
  Put32(out, 0);         // target size
  Put32(out, 0);         // icon index
  Put32(out, DWORD(link.showCommand));
  Put16(out, 0);         // no hot key
  PutZeros(out, 2 + 4 + 4);

  if (flags & kHasLinkInfo) PutLinkInfo(out, link.target);
  if (flags & kHasWorkingDir) PutCountedUnicode(out, link.workingFolder);
  if (flags & kHasArguments) PutCountedUnicode(out, link.arguments);
  Put32(out, 0);  // terminal block
  return out;
}

}  // namespace hostwin
