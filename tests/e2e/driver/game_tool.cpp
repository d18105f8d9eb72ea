// e2e_game: lays out an installed game at patch 1.3 for scripts/demo, the
// same way the scenarios do.
//   e2e_game lay-out FOLDER [--no-bin] [--no-renderer]
#include <stdio.h>
#include <string.h>

#include <string>

#include "game_folder.h"

int main(int argc, char** argv) {
  if (argc < 3 || strcmp(argv[1], "lay-out") != 0) {
    fputs("usage: e2e_game lay-out FOLDER [--no-bin] [--no-renderer]\n", stderr);
    return 2;
  }
  GameLayout layout;
  for (int i = 3; i < argc; ++i) {
    if (strcmp(argv[i], "--no-bin") == 0) {
      layout.binFolder = false;
    } else if (strcmp(argv[i], "--no-renderer") == 0) {
      layout.renderer = false;
    } else {
      fprintf(stderr, "e2e_game: unknown option %s\n", argv[i]);
      return 2;
    }
  }
  std::string error;
  if (!LayOutGame(argv[2], layout, &error)) {
    fprintf(stderr, "e2e_game: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
