#include "messages/messages.h"
#include "messages/text.h"

void* CheckedAlloc(DWORD size, const char* label) {
  void* block = HeapAlloc(GetProcessHeap(), 0, size);
  if (block) return block;

  char format[TEXT_BUFFER];
  char text[TEXT_BUFFER];
  LoadStringA(nullptr, STR_FATAL_MEMORY, format, sizeof format);
  ComposeText(text, sizeof text, format, label);
  ShowTextBox(text, STR_CAPTION_PATCH_ERROR, BOX_ERROR);
  ExitProcess(3);
}

void CheckedFree(void* block) { HeapFree(GetProcessHeap(), 0, block); }
