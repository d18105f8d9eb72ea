#include "messages/messages.h"
#include "messages/text.h"

int ShowStringBox(UINT textId, UINT captionId, UINT style) {
  char text[LONG_TEXT_BUFFER];
  LoadStringA(nullptr, textId, text, sizeof text);
  return ShowTextBox(text, captionId, style);
}

int ShowTextBox(const char* text, UINT captionId, UINT style) {
  char caption[TEXT_BUFFER];
  LoadStringA(nullptr, captionId, caption, sizeof caption);
  return MessageBoxA(nullptr, text, caption, style);
}

void ShowErrorCodeBox(UINT captionId, DWORD errorCode) {
  char* systemText = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                nullptr, errorCode, LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
  if (length == 0 || !systemText) {
    char text[TEXT_BUFFER];
    ComposeText(text, sizeof text, "Error %lu (0x%08lX)", static_cast<unsigned long>(errorCode),
                static_cast<unsigned long>(errorCode));
    ShowTextBox(text, captionId, BOX_ERROR);
    return;
  }
  ShowTextBox(systemText, captionId, BOX_ERROR);
  LocalFree(systemText);
}
