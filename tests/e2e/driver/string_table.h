// The installer's own texts, read from its resource script, in UTF-8.
#pragma once

#include <string>

// Text `id` of resources/strings.rc; empty when there is none.
std::string TableText(int id);

// `format` with each "%s" replaced, in order, by the values.
std::string FillIn(std::string format, const std::string& first, const std::string& second = "");
