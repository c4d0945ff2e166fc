#include "maker_language_codes.h"

#include <iterator>

namespace nodexa {

// 4 and 11 are unused; English, Arabic and every identifier not listed are 0.
const MakerLanguageCode kMakerLanguageCodes[] = {
    // 1 French
    {0x40c, 1},
    {0x80c, 1},
    {0xc0c, 1},
    {0x100c, 1},
    {0x140c, 1},
    // 2 German
    {0x407, 2},
    {0x807, 2},
    {0xc07, 2},
    {0x1007, 2},
    {0x1407, 2},
    // 3 Italian
    {0x410, 3},
    {0x810, 3},
    // 5 Danish
    {0x406, 5},
    // 6 Norwegian Bokmal
    {0x414, 6},
    // 7 Dutch
    {0x413, 7},
    {0x813, 7},
    // 8 Swedish
    {0x41d, 8},
    {0x81d, 8},
    // 9 Finnish
    {0x40b, 9},
    // 10 Portuguese of Portugal
    {0x816, 10},
    // 12 Japanese
    {0x411, 12},
    // 13 Simplified Chinese
    {0x804, 13},
    {0x1004, 13},
    // 14 Traditional Chinese
    {0x404, 14},
    {0xc04, 14},
    // 15 Czech
    {0x405, 15},
    // 16 Greek
    {0x408, 16},
    // 17 Hungarian
    {0x40e, 17},
    // 18 Icelandic
    {0x40f, 18},
    // 19 Korean
    {0x412, 19},
    {0x812, 19},
    // 20 Polish
    {0x415, 20},
    // 21 Portuguese of Brazil
    {0x416, 21},
    // 22 Russian
    {0x419, 22},
    // 23 Slovak
    {0x41b, 23},
    // 24 Turkish
    {0x41f, 24},
    // 25 Vietnamese
    {0x42a, 25},
    // 26 Ukrainian
    {0x422, 26},
    // 27 Thai
    {0x41e, 27},
    // 28 Spanish
    {0x40a, 28},
    {0x80a, 28},
    {0xc0a, 28},
    {0x100a, 28},
    {0x140a, 28},
    {0x180a, 28},
    {0x1c0a, 28},
    {0x200a, 28},
    {0x240a, 28},
    {0x280a, 28},
    {0x2c0a, 28},
    {0x300a, 28},
    {0x340a, 28},
    {0x380a, 28},
    {0x3c0a, 28},
    {0x400a, 28},
    {0x440a, 28},
    {0x480a, 28},
    {0x4c0a, 28},
    {0x500a, 28},
    // 29 Slovenian
    {0x424, 29},
    // 30 Serbian Latin
    {0x81a, 30},
    // 31 Serbian Cyrillic
    {0xc1a, 31},
    // 32 Romanian
    {0x418, 32},
    // 33 Lithuanian
    {0x427, 33},
    // 34 Latvian
    {0x426, 34},
    // 35 Indonesian
    {0x421, 35},
    // 36 Faroese
    {0x438, 36},
    // 37 Estonian
    {0x425, 37},
    // 38 Croatian
    {0x41a, 38},
    // 39 Catalan
    {0x403, 39},
    // 40 Bulgarian
    {0x402, 40},
    // 41 Belarusian
    {0x423, 41},
    // 42 Basque
    {0x42d, 42},
    // 43 Albanian
    {0x41c, 43},
    // 44 Afrikaans
    {0x436, 44},
    // 45 Norwegian Nynorsk
    {0x814, 45},
    // 46 Hebrew
    {0x40d, 46},
};

const size_t kMakerLanguageCodeCount = std::size(kMakerLanguageCodes);

}  // namespace nodexa
