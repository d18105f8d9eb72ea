// Texts of the sample payload: prose and shader sources kept in
// tools/samplegen/text, written with CR LF line ends.
#pragma once

#include <string>
#include <vector>

// UTF-8 to code page 932, the Japanese edition's ANSI code page.
std::string ToCp932(const std::string& utf8);

// The file `name` from textDir with LF turned into CR LF, optionally in code
// page 932. False with a reason when it cannot be read or converted.
bool LoadText(const std::string& textDir, const std::string& name, bool cp932,
              std::vector<unsigned char>* out, std::string* error);
