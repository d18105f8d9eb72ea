// Everything the user sees goes through here: the string table's ids, the
// three ways to put up a box, the system-error box, and the allocation that
// ends the program when memory runs out.
#pragma once

#include <windows.h>

// Ids of the compiled-in string table (resources/strings.rc).
enum StringId : UINT {
  STR_CAPTION_FIND_RESOURCE = 1,
  STR_CAPTION_SIZE_RESOURCE = 2,
  STR_CAPTION_LOAD_RESOURCE = 3,
  STR_CAPTION_LOCK_RESOURCE = 4,
  STR_CAPTION_FILE_CREATE = 5,
  STR_INSTALL_COMPLETE = 6,
  STR_CAPTION_PATCH = 7,
  STR_NOT_INSTALLED = 8,
  STR_CAPTION_PATCH_ERROR = 9,
  STR_CAPTION_REGISTRY_OPEN = 10,
  STR_CONFIRM_INSTALL = 11,   // %s: the install folder
  STR_FATAL_MEMORY = 12,      // %s: the allocation's label
  STR_VERSION_OLDER = 13,     // %s: new tag, %s: installed tag
  STR_VERSION_SAME = 14,      // likewise
  STR_OFFER_SERVICE = 15,
  STR_DIRECTX_MISSING = 16,
  STR_SERVICE_LAUNCH_NAME = 17,
  STR_SERVICE_DOWNLOAD_NAME = 18,
  STR_RENDERER_DX8_FILE = 39,
};

// Box styles; boxes never have an owner window.
enum BoxStyle : UINT {
  BOX_QUESTION = MB_YESNO | MB_ICONQUESTION,
  BOX_ERROR = MB_ICONERROR,
  BOX_INFORMATION = MB_ICONINFORMATION,
};

// Buffer sizes, terminator included: names, captions and composed texts,
// and texts loaded for ShowStringBox.
enum TextLimit : int {
  NAME_BUFFER = 128,
  TEXT_BUFFER = 256,
  LONG_TEXT_BUFFER = 512,
};

// Only Yes accepts a question; any other answer, or a closed box, declines.
inline bool IsAccepted(int button) { return button == IDYES; }

// Loads text `textId` and caption `captionId` and shows them; returns the button.
int ShowStringBox(UINT textId, UINT captionId, UINT style);

// Shows an already composed text under caption `captionId`; returns the button.
int ShowTextBox(const char* text, UINT captionId, UINT style);

// Shows the system's text for `errorCode` under `captionId` as an error.
// A code the system has no text for is shown by number, decimal and hex.
void ShowErrorCodeBox(UINT captionId, DWORD errorCode);

// A block of `size` bytes from the process heap (a valid block for 0). When
// the heap refuses, shows string 12 naming `label` and ends the process with
// exit code 3: it never returns null. Release with CheckedFree.
void* CheckedAlloc(DWORD size, const char* label);
void CheckedFree(void* block);
