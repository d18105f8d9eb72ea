// mkicon ART ICO: turns the text drawing of the program icon (32x32, one
// character per pixel, "palette C RRGGBB" lines) into a 256-colour .ico.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int kSide = 32;

void Put16(std::vector<unsigned char>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8 & 0xFF);
}
void Put32(std::vector<unsigned char>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "mkicon: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: mkicon ART ICO");
  std::ifstream in(argv[1]);
  if (!in) return Fail(std::string("cannot read ") + argv[1]);

  std::map<char, int> index;  // character -> palette slot
  std::vector<uint32_t> palette(256, 0);
  char transparent = 0;
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("palette ", 0) == 0) {
      std::istringstream fields(line.substr(8));
      std::string ch, rgb, note;
      fields >> ch >> rgb >> note;
      if (ch.size() != 1 || rgb.size() != 6 || index.size() >= 256) return Fail("bad palette line: " + line);
      int slot = int(index.size());
      index[ch[0]] = slot;
      palette[slot] = uint32_t(std::stoul(rgb, nullptr, 16));
      if (note == "transparent") transparent = ch[0];
      continue;
    }
    if (int(line.size()) != kSide) return Fail("every row must be 32 pixels: " + line);
    rows.push_back(line);
  }
  if (int(rows.size()) != kSide) return Fail("the drawing must be 32 rows");

  std::vector<unsigned char> ico;
  Put16(ico, 0);  // ICONDIR
  Put16(ico, 1);
  Put16(ico, 1);
  const uint32_t imageSize = 40 + 256 * 4 + kSide * kSide + kSide * 4;
  ico.push_back(kSide);  // ICONDIRENTRY: 0 colours means 256
  ico.push_back(kSide);
  ico.push_back(0);
  ico.push_back(0);
  Put16(ico, 1);
  Put16(ico, 8);
  Put32(ico, imageSize);
  Put32(ico, 22);

  Put32(ico, 40);  // BITMAPINFOHEADER; the height counts the colour and mask halves
  Put32(ico, kSide);
  Put32(ico, kSide * 2);
  Put16(ico, 1);
  Put16(ico, 8);
  for (int i = 0; i < 6; ++i) Put32(ico, i == 1 ? kSide * kSide + kSide * 4 : 0);
  for (uint32_t rgb : palette) Put32(ico, rgb);  // stored as B, G, R, 0

  for (int y = kSide - 1; y >= 0; --y)  // rows bottom-up
    for (char c : rows[y]) {
      auto found = index.find(c);
      if (found == index.end()) return Fail(std::string("pixel without a palette entry: ") + c);
      ico.push_back(c == transparent ? 0 : found->second);
    }
  for (int y = kSide - 1; y >= 0; --y)  // AND mask: 1 = transparent
    for (int byte = 0; byte < 4; ++byte) {
      unsigned char bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (rows[y][byte * 8 + bit] == transparent) bits |= 0x80 >> bit;
      ico.push_back(bits);
    }

  std::string tmp = std::string(argv[2]) + ".tmp";
  std::ofstream out(tmp, std::ios::binary);
  out.write(reinterpret_cast<const char*>(ico.data()), std::streamsize(ico.size()));
  out.close();
  if (!out || std::rename(tmp.c_str(), argv[2]) != 0) {
    std::remove(tmp.c_str());
    return Fail(std::string("cannot write ") + argv[2]);
  }
  return 0;
}
