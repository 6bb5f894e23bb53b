#include "tools/scrivlo-spell/Output.h"

#include <cstdio>

void PrintOut(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void PrintError(std::string_view line)
{
    std::fflush(stdout);
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

bool FinishOutput()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}
