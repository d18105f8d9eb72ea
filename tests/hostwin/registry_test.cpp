// Opening keys and reading values: Windows' error codes and its exact size
// rules, including a string stored without its terminator.
#include <gtest/gtest.h>

#include <string.h>

#include "registry.h"

namespace {

const char kKey[] = "Software\\HostwinTest\\Kelmor";

class Registry : public testing::Test {
 protected:
  TestRegistry registry;
};

struct Read {
  LONG result;
  DWORD type;
  DWORD size;
  std::string bytes;  // the buffer after the call, sentinel bytes (0xEE) included
};

// Reads `name` into a buffer of `capacity` bytes (null when negative) that
// holds 0xEE beforehand.
Read Query(const char* name, int capacity) {
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  unsigned char buffer[64];
  memset(buffer, 0xEE, sizeof buffer);
  Read read{0, REG_NONE, DWORD(capacity < 0 ? 0 : capacity), ""};
  read.result = RegQueryValueExA(key, name, nullptr, &read.type, capacity < 0 ? nullptr : buffer, &read.size);
  RegCloseKey(key);
  read.bytes.assign(reinterpret_cast<char*>(buffer), capacity < 0 ? 0 : size_t(capacity) + 1);
  return read;
}

TEST_F(Registry, SizesAndTerminatorsAsWindowsGivesThem) {
  registry.Set(kKey, "Terminated", REG_SZ, std::string("abc", 4));
  registry.Set(kKey, "Bare", REG_SZ, "abc");
  registry.Set(kKey, "Empty", REG_SZ, "");
  registry.Set(kKey, "Japanese", REG_SZ, "\x83\x5C\x83\x74");
  registry.Set(kKey, "Expand", REG_EXPAND_SZ, "%TEMP%");
  registry.SetDword(kKey, "Number", 0x04030201);
  registry.Set(kKey, "Bytes", REG_BINARY, "\x01\x02\x03");
  struct Case {
    const char* name;
    int capacity;
    LONG result;
    DWORD type, size;
    std::string bytes;
    const char* what;
  };
  const std::string E = "\xEE";
  const Case cases[] = {
      {"Terminated", 3, ERROR_MORE_DATA, REG_SZ, 4, E + E + E + E, "too small: the size it needs, nothing copied"},
      {"Terminated", 4, ERROR_SUCCESS, REG_SZ, 4, std::string("abc\0", 4) + E, "exactly"},
      {"Terminated", -1, ERROR_SUCCESS, REG_SZ, 4, "", "no buffer: the size"},
      {"Bare", 2, ERROR_MORE_DATA, REG_SZ, 3, E + E + E, "too small"},
      {"Bare", 3, ERROR_SUCCESS, REG_SZ, 3, "abc" + E, "filling the buffer: no terminator"},
      {"Bare", 4, ERROR_SUCCESS, REG_SZ, 3, std::string("abc\0", 4) + E, "a byte to spare: terminated"},
      {"Empty", 1, ERROR_SUCCESS, REG_SZ, 0, E + E, "empty: the buffer untouched"},
      {"Japanese", 4, ERROR_SUCCESS, REG_SZ, 4, "\x83\x5C\x83\x74" + E, "double-byte, filling"},
      {"Japanese", 5, ERROR_SUCCESS, REG_SZ, 4, std::string("\x83\x5C\x83\x74\0", 5) + E, "double-byte, to spare"},
      {"Expand", 7, ERROR_SUCCESS, REG_EXPAND_SZ, 6, std::string("%TEMP%\0", 7) + E, "expandable strings too"},
      {"Number", 3, ERROR_MORE_DATA, REG_DWORD, 4, E + E + E + E, "a number that does not fit"},
      {"Number", 4, ERROR_SUCCESS, REG_DWORD, 4, "\x01\x02\x03\x04" + E, "a number"},
      {"Bytes", 4, ERROR_SUCCESS, REG_BINARY, 3, "\x01\x02\x03" + E + E, "bytes gain no terminator"},
      {"missing", 10, ERROR_FILE_NOT_FOUND, REG_NONE, 10, std::string(11, '\xEE'), "no such value"},
  };
  for (const Case& c : cases) {
    Read read = Query(c.name, c.capacity);
    SCOPED_TRACE(testing::Message() << c.name << " into " << c.capacity << ": " << c.what);
    EXPECT_EQ(read.result, c.result);
    if (c.result != ERROR_FILE_NOT_FOUND) {
      EXPECT_EQ(read.type, c.type);
    }
    EXPECT_EQ(read.size, c.size);
    EXPECT_EQ(read.bytes, c.bytes);
  }
}

TEST_F(Registry, NamesAreCaseBlindAndPathsAsWindowsReadsThem) {
  registry.SetString(kKey, "DestDir", "C:\\Games");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\hostwintest\\KELMOR", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  char value[16];
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "destdir", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  EXPECT_STREQ(value, "C:\\Games");
  EXPECT_EQ(RegQueryValueExA(key, "DestDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value), nullptr),
            ERROR_INVALID_PARAMETER) << "a buffer without its size";
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  HKEY unused;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\HostwinTest\\Kelmor\\Missing", 0, KEY_READ, &unused),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "\\Software\\HostwinTest", 0, KEY_READ, &unused), ERROR_BAD_PATHNAME);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\HostwinTest\\", 0, KEY_READ, &key), ERROR_SUCCESS);
  HKEY below;
  ASSERT_EQ(RegOpenKeyExA(key, "Kelmor", 0, KEY_READ, &below), ERROR_SUCCESS) << "below an open key";
  RegCloseKey(below);
  RegCloseKey(key);
  EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x7FF0)), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x7FF0), "x", 0, KEY_READ, &unused), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(Registry, AKeyOpenedWithoutQueryRightsReadsNothing) {
  registry.SetString(kKey, "DestDir", "C:\\Games");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  char value[16];
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "DestDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
            ERROR_ACCESS_DENIED);
  RegCloseKey(key);
}

TEST_F(Registry, AKeyRefusingFullAccessStillOpensForReading) {
  if (!registry.RefuseFullAccess(kKey)) GTEST_SKIP() << "only the stand-in keeps key permissions";
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST(RegistryFixture, RemovesWhatItMadeAndRestoresWhatItOverwrote) {
  HKEY key;
  {
    TestRegistry outer;
    outer.SetString(kKey, "Kept", "before");
    {
      TestRegistry inner;
      inner.SetString(kKey, "Kept", "during");
      inner.SetString(std::string(kKey) + "\\Deeper", "Gone", "x");
      inner.MakeKey(std::string(kKey) + "\\Empty");
    }
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[16];
    DWORD size = sizeof value;
    EXPECT_EQ(RegQueryValueExA(key, "Kept", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
    EXPECT_STREQ(value, "before");
    RegCloseKey(key);
    for (const char* made : {"\\Deeper", "\\Empty"})
      EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (kKey + std::string(made)).c_str(), 0, KEY_READ, &key),
                ERROR_FILE_NOT_FOUND) << made;
  }
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\HostwinTest", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

}  // namespace
