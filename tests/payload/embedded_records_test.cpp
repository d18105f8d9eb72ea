// This executable carries the installer's payload resources; every one of the
// manifest's 35 resource ids is found as "BINFILE" and decodes completely.
#include <gtest/gtest.h>

#include <vector>

#include "messages/messages.h"
#include "payload/lzss.h"
#include "payload/record.h"
#include "ring_reference.h"

namespace {

const unsigned MANIFEST_RESOURCE_IDS[35] = {
    104, 105, 112, 108, 130, 114, 116, 117, 115, 120, 121, 119, 118, 123, 124, 125, 131, 135,
    134, 136, 133, 132, 139, 140, 137, 141, 138, 142, 143, 144, 145, 147, 148, 149, 146};

TEST(EmbeddedRecords, EveryManifestResourceDecodesCompletely) {
  for (unsigned id : MANIFEST_RESOURCE_IDS) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "BINFILE");
    ASSERT_NE(found, nullptr);
    const DWORD size = SizeofResource(nullptr, found);
    const void* bytes = LockResource(LoadResource(nullptr, found));
    ASSERT_NE(bytes, nullptr);
    unsigned char* image = nullptr;
    DWORD imageSize = 0;
    FILETIME time;
    ASSERT_TRUE(DecodePayloadRecord(bytes, size, &image, &imageSize, &time));
    // The stream yields exactly the decoded size, and the ring algorithm agrees.
    const PayloadRecord* header = static_cast<const PayloadRecord*>(bytes);
    std::vector<unsigned char> reference(imageSize + 1);
    reference.resize(RingReferenceDecode(static_cast<const unsigned char*>(bytes) + sizeof *header,
                                         header->PackedSize, reference.data(), reference.size()));
    EXPECT_EQ(reference, std::vector<unsigned char>(image, image + imageSize));
    EXPECT_NE(time.dwHighDateTime, 0u);
    CheckedFree(image);
  }
}

}  // namespace
