// The restriction on systems that offer it and on those that do not.
#include <gtest/gtest.h>

#include "hostwin/control.h"
#include "installer/dll_search.h"

namespace {

TEST(RestrictedDllSearchStandin, AskedForWhereOfferedAndSkippedElsewhere) {
  RestrictDllSearch();
  EXPECT_EQ(hostwin::DefaultDllDirectories(), 0u);  // an older kernel32: nothing to call
  hostwin::ExportSetDefaultDllDirectories(true);
  RestrictDllSearch();
  EXPECT_EQ(hostwin::DefaultDllDirectories(), 0x800u);  // LOAD_LIBRARY_SEARCH_SYSTEM32
}

}  // namespace
