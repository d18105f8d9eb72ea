#include "payload/manifest.h"

namespace {
const DWORD C = PF_COMPRESSED;
const DWORD CV = PF_COMPRESSED | PF_VERSION_CHECKED;
}  // namespace

const PatchFileEntry PatchManifest[PATCH_FILE_COUNT] = {
    {104, CV, nullptr, 19, FALSE},  // game executable
    {105, C, nullptr, 20, FALSE},   // DirectX 7 renderer library
    {112, C, nullptr, 21, FALSE},   // sound library
    {108, C, nullptr, 22, FALSE},   // English readme
    {130, C, nullptr, 38, FALSE},   // English version history
    {114, C, "Bin", 23, FALSE},     // English text data
    {116, C, "Bin", 24, FALSE},     // data file
    {117, C, "Bin", 25, FALSE},     // archive file
    {115, C, "Bin", 26, FALSE},     // data file
    {120, C, "Bin", 27, FALSE},     // data file
    {121, C, "Bin", 28, FALSE},     // data file
    {119, C, nullptr, 29, FALSE},   // dedicated-server program
    {118, C, nullptr, 30, FALSE},   // readme of the dedicated server
    {123, C, nullptr, 31, FALSE},   // online service installer
    {124, C, nullptr, 33, FALSE},   // Internet shortcut: download the service
    {125, C, nullptr, 32, FALSE},   // Internet shortcut: launch the service
    {131, C, nullptr, 39, TRUE},    // DirectX 8 renderer library: updated, never newly installed
    {135, C, nullptr, 43, TRUE},    // vertex shader
    {134, C, nullptr, 44, TRUE},    // vertex shader
    {136, C, nullptr, 41, TRUE},    // vertex shader
    {133, C, nullptr, 42, TRUE},    // vertex shader
    {132, C, nullptr, 40, TRUE},    // vertex shader
    {139, C, nullptr, 48, TRUE},    // pixel shader
    {140, C, nullptr, 49, TRUE},    // pixel shader
    {137, C, nullptr, 46, TRUE},    // pixel shader
    {141, C, nullptr, 47, TRUE},    // pixel shader
    {138, C, nullptr, 45, TRUE},    // pixel shader
    {142, C, "Bin", 50, TRUE},      // archive file
    {143, C, nullptr, 51, FALSE},   // Japanese-edition game executable, variant L
    {144, C, nullptr, 52, FALSE},   // Japanese-edition game executable, variant H
    {145, C, nullptr, 53, FALSE},   // Japanese-edition DirectX 7 renderer library
    {147, C, nullptr, 54, FALSE},   // Japanese-edition sound library
    {148, C, "Bin", 55, FALSE},     // Japanese text data
    {149, C, nullptr, 56, FALSE},   // Japanese readme
    {146, C, nullptr, 57, TRUE},    // Japanese-edition DirectX 8 renderer library
};
