// System error texts, worded as an English Windows words them.
#include <stdlib.h>
#include <string.h>

#include "windows.h"

namespace {

struct SystemText {
  DWORD code;
  const char* text;
};

const SystemText kTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command.\r\n"},
    {ERROR_INVALID_DATA, "The data is invalid.\r\n"},
    {ERROR_OUTOFMEMORY, "Not enough memory resources are available to complete this operation.\r\n"},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive.\r\n"},
    {ERROR_NO_MORE_FILES, "There are no more files.\r\n"},
    {ERROR_SHARING_VIOLATION, "The process cannot access the file because it is being used by another process.\r\n"},
    {ERROR_HANDLE_EOF, "Reached the end of the file.\r\n"},
    {ERROR_BAD_NETPATH, "The network path was not found.\r\n"},
    {ERROR_FILE_EXISTS, "The file exists.\r\n"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
    {ERROR_BUFFER_OVERFLOW, "The file name is too long.\r\n"},
    {ERROR_DISK_FULL, "There is not enough space on the disk.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small.\r\n"},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found.\r\n"},
    {ERROR_NEGATIVE_SEEK, "An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty.\r\n"},
    {ERROR_BAD_PATHNAME, "The specified path is invalid.\r\n"},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long.\r\n"},
    {ERROR_MORE_DATA, "More data is available.\r\n"},
    {ERROR_NO_MORE_ITEMS, "No more data is available.\r\n"},
    {ERROR_DIRECTORY, "The directory name is invalid.\r\n"},
    {ERROR_RESOURCE_DATA_NOT_FOUND, "The specified image file did not contain a resource section.\r\n"},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, "The specified resource type cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_NAME_NOT_FOUND, "The specified resource name cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_LANG_NOT_FOUND, "The specified resource language ID cannot be found in the image file.\r\n"},
};

}  // namespace

// Supports what the program asks for: a system text into a buffer the
// system allocates (released with LocalFree), inserts ignored.
DWORD WINAPI FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                            DWORD size, void* arguments) {
  const DWORD supported = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER;
  if (flags != supported || !buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (const SystemText& entry : kTexts) {
    if (entry.code != messageId) continue;
    size_t length = strlen(entry.text);
    char* text = static_cast<char*>(malloc(length + 1));
    if (!text) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    memcpy(text, entry.text, length + 1);
    *reinterpret_cast<char**>(buffer) = text;
    return DWORD(length);
  }
  SetLastError(ERROR_MR_MID_NOT_FOUND);
  return 0;
}
