#pragma once
// Remembers the dictionary's recent answers during a check. Text repeats its common words
// all the time, and every dictionary lookup walks file blocks; a hit costs one hash instead.
// Direct-mapped: a fixed table, a new word simply replaces the one in its slot. The table is
// kept small (1024 slots, about 50 KB): a few hundred words make up half of ordinary text,
// and a larger table would cost more resident memory than the whole rest of the checker.

#include "tools/scrivlo-spell/WordScanner.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

class WordCache
{
public:
    WordCache()
        : FSlots(new Slot[SlotCount]())
    { }

    // The answer for letters (2 to 49 code page 1252 characters, as the scanner gives them),
    // from the cache or else from lookup(letters).
    template<class Lookup> bool IsWord(std::string_view letters, Lookup &&lookup)
    {
        Slot &slot = FSlots[Hash(letters) & (SlotCount - 1)];
        if (slot.length == letters.size()
            && std::memcmp(slot.letters, letters.data(), letters.size()) == 0)
            return slot.known;
        const bool known = lookup(letters);
        if (letters.size() <= sizeof slot.letters) {
            slot.length = uint8_t(letters.size());
            slot.known = known;
            std::memcpy(slot.letters, letters.data(), letters.size());
        }
        return known;
    }

private:
    static constexpr size_t SlotCount = size_t(1) << 10;

    struct Slot
    {
        uint8_t length; // 0: empty
        bool known;
        char letters[WordScanner::MaxRun - 1];
    };

    static uint32_t Hash(std::string_view letters)
    {
        uint32_t h = 2166136261u; // FNV-1a
        for (const char c : letters)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h;
    }

    std::unique_ptr<Slot[]> FSlots;
};
