#pragma once
// Writes the document model as Rich Text that word processors open with the same text
// and formatting: 7-bit output, every other character as \uN with a '?' fallback,
// formatting as toggles, lines broken where a line end means nothing.

#include "platform/core/rtf/RtfDocument.h"

#include <string>

std::string WriteRtf(const RtfDocument &document);
