// The extraction engine: writes the patch files into the install folder.
#pragma once

// Walks the manifest once, in order, writing every file this machine wants.
// Shows at most one box for the outcome: the completion box, or the error
// that stopped it. A declined version question stops it without a box.
// Files written before a stop stay; no file is ever left half-written.
void ExtractPatchFiles(const char* installFolder);
