#include <stdio.h>

#include "boxes.h"

std::string EchoLine(const RecordedBox& box) {
  char style[16];
  snprintf(style, sizeof style, "0x%02X", box.style);
  return "BOX " + box.caption + "|" + box.text + "|" + style;
}
