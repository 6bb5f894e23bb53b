#pragma once
// Reads a Rich Text document into the document model in one pass, without recursion:
// any bytes give a result, damaged ones keep as much text as they hold.

#include "platform/core/rtf/RtfDocument.h"

#include <string_view>

enum class RtfReadStatus : uint8_t {
    Ok,
    NotRtf, // the bytes do not start a Rich Text document: the caller may read them as text
    Damaged, // unbalanced braces, groups nested too deep or data cut short; the text is kept
};

struct RtfReadResult
{
    RtfDocument document;
    RtfReadStatus status = RtfReadStatus::Ok;
};

// Whether bytes start like a Rich Text document: "{\rtf", after blanks.
bool LooksLikeRtf(std::string_view bytes);

RtfReadResult ReadRtf(std::string_view bytes);
