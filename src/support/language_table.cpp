#include "language_table.h"

#include <iterator>

namespace nodexa {

// Columns: Language, ISO Code, Win Code, Mac Code, CodePage. Mac Code and
// CodePage use -1 for none; CodePage 0 marks a Unicode-only language.
const LanguageRow kLanguageTable[] = {
    {{"Language", "ISO Code", "Win Code", "Mac Code", "CodePage"}},
    {{"Afrikaans", "af", "0x36", "141", "1252"}},                 // 1
    {{"Albanian", "sq", "0x1c", "36", "1250"}},                   // 2
    {{"Amharic", "am", "0x5e", "85", "-1"}},                      // 3
    {{"Arabic", "ar", "0x01", "12", "1256"}},                     // 4
    {{"Armenian", "hy", "0x2b", "51", "0"}},                      // 5
    {{"Assamese", "as", "0x4d", "68", "-1"}},                     // 6
    {{"Azerbaijani", "az", "0x2c", "49", "-1"}},                  // 7
    {{"Azerbaijani", "az", "0x2c", "50", "-1"}},                  // 8
    {{"Basque", "eu", "0x2d", "129", "1252"}},                    // 9
    {{"Bengali (Bangla)", "bn", "0x45", "67", "-1"}},             // 10
    {{"Bulgarian", "bg", "0x02", "44", "1251"}},                  // 11
    {{"Burmese", "my", "0x55", "77", "-1"}},                      // 12
    {{"Byelorussian (Belarusian)", "be", "0x23", "46", "1251"}},  // 13
    {{"Cambodian", "km", "0x53", "78", "-1"}},                    // 14
    {{"Catalan", "ca", "0x03", "130", "1252"}},                   // 15
    {{"Chinese (Simplified)", "zh", "0x0804", "33", "936"}},      // 16
    {{"Chinese (Traditional)", "zh_HK", "0x0404", "19", "950"}},  // 17
    {{"Chinese (Traditional)", "zh_TW", "0x0404", "19", "950"}},  // 18
    {{"Croatian", "hr", "0x1a", "18", "1250"}},                   // 19
    {{"Czech", "cs", "0x05", "38", "1250"}},                      // 20
    {{"Danish", "da", "0x06", "7", "1252"}},                      // 21
    {{"Dutch", "nl", "0x13", "4", "1252"}},                       // 22
    {{"English", "en", "0x09", "0", "1252"}},                     // 23
    {{"Estonian", "et", "0x25", "27", "1257"}},                   // 24
    {{"Faeroese", "fo", "0x38", "30", "1252"}},                   // 25
    {{"Farsi", "fa", "0x29", "31", "1256"}},                      // 26
    {{"Finnish", "fi", "0x0b", "13", "1252"}},                    // 27
    {{"French", "fr", "0x0c", "1", "1252"}},                      // 28
    {{"Frisian", "fy", "0x62", "-1", "-1"}},                      // 29
    {{"Galician", "gl", "0x56", "140", "1252"}},                  // 30
    {{"Gaelic (Scottish)", "gd", "0x3c", "144", "-1"}},           // 31
    {{"Gaelic (Scottish)", "gd", "0x043c", "144", "-1"}},         // 32
    {{"Georgian", "ka", "0x37", "52", "0"}},                      // 33
    {{"German", "de", "0x07", "2", "1252"}},                      // 34
    {{"Greek", "el", "0x08", "14", "1253"}},                      // 35
    {{"Greek", "el", "0x08", "148", "1253"}},                     // 36
    {{"Guarani", "gn", "0x74", "133", "-1"}},                     // 37
    {{"Gujarati", "gu", "0x47", "69", "0"}},                      // 38
    {{"Hausa", "ha", "0x68", "-1", "-1"}},                        // 39
    {{"Hebrew", "he", "0x0d", "10", "1255"}},                     // 40
    {{"Hebrew", "iw", "0x0d", "10", "1255"}},                     // 41
    {{"Hindi", "hi", "0x39", "21", "0"}},                         // 42
    {{"Hungarian", "hu", "0x0e", "26", "1250"}},                  // 43
    {{"Icelandic", "is", "0x0f", "15", "1252"}},                  // 44
    {{"Indonesian", "id", "0x21", "81", "1252"}},                 // 45
    {{"Indonesian", "in", "0x21", "81", "1252"}},                 // 46
    {{"Inuktitut", "iu", "0x5d", "143", "-1"}},                   // 47
    {{"Irish", "ga", "0x3c", "35", "-1"}},                        // 48
    {{"Irish", "ga", "0x083c", "146", "-1"}},                     // 49
    {{"Italian", "it", "0x10", "3", "1252"}},                     // 50
    {{"Japanese", "ja", "0x11", "11", "932"}},                    // 51
    {{"Kannada", "kn", "0x4b", "73", "0"}},                       // 52
    {{"Kashmiri", "ks", "0x60", "61", "-1"}},                     // 53
    {{"Kazakh", "kk", "0x3f", "48", "1251"}},                     // 54
    {{"Kirghiz", "ky", "0x40", "54", "1251"}},                    // 55
    {{"Korean", "ko", "0x12", "23", "949"}},                      // 56
    {{"Laothian", "lo", "0x54", "79", "-1"}},                     // 57
    {{"Latin", "la", "0x76", "131", "-1"}},                       // 58
    {{"Latvian (Lettish)", "lv", "0x26", "28", "1257"}},          // 59
    {{"Lithuanian", "lt", "0x27", "24", "1257"}},                 // 60
    {{"Macedonian", "mk", "0x2f", "43", "-1"}},                   // 61
    {{"Malay", "ms", "0x3e", "83", "1252"}},                      // 62
    {{"Malay", "ms", "0x3e", "84", "1252"}},                      // 63
    {{"Malayalam", "ml", "0x4c", "72", "-1"}},                    // 64
    {{"Maltese", "mt", "0x3a", "16", "-1"}},                      // 65
    {{"Marathi", "mr", "0x4e", "66", "0"}},                       // 66
    {{"Mongolian", "mn", "0x50", "57", "1251"}},                  // 67
    {{"Mongolian", "mn", "0x50", "58", "1251"}},                  // 68
    {{"Nepali", "ne", "0x61", "64", "-1"}},                       // 69
    {{"Norwegian", "no", "0x14", "9", "1252"}},                   // 70
    {{"Oriya", "or", "0x48", "71", "-1"}},                        // 71
    {{"Oromo (Afan, Galla)", "om", "0x72", "87", "-1"}},          // 72
    {{"Pashto (Pushto)", "ps", "0x63", "59", "-1"}},              // 73
    {{"Polish", "pl", "0x15", "25", "1250"}},                     // 74
    {{"Portuguese", "pt", "0x16", "8", "1252"}},                  // 75
    {{"Portuguese (Brazil)", "pt_BR", "0x416", "8", "1252"}},     // 76
    {{"Portuguese (Portugal)", "pt_PT", "0x816", "8", "1252"}},   // 77
    {{"Punjabi", "pa", "0x46", "70", "0"}},                       // 78
    {{"Rhaeto-Romance", "rm", "0x17", "-1", "-1"}},               // 79
    {{"Romanian", "ro", "0x18", "37", "-1"}},                     // 80
    {{"Russian", "ru", "0x19", "32", "1251"}},                    // 81
    {{"Sanskrit", "sa", "0x4f", "65", "0"}},                      // 82
    {{"Serbian", "sr", "0x1a", "42", "-1"}},                      // 83
    {{"Serbian", "sr", "0x081a", "42", "1250"}},                  // 84
    {{"Serbian", "sr", "0x0c1a", "42", "1251"}},                  // 85
    {{"Sindhi", "sd", "0x59", "62", "-1"}},                       // 86
    {{"Sinhalese", "si", "0x5b", "76", "-1"}},                    // 87
    {{"Slovak", "sk", "0x1b", "39", "1250"}},                     // 88
    {{"Slovenian", "sl", "0x24", "40", "1250"}},                  // 89
    {{"Somali", "so", "0x77", "88", "-1"}},                       // 90
    {{"Spanish", "es", "0x0a", "6", "1252"}},                     // 91
    {{"Swahili (Kiswahili)", "sw", "0x41", "89", "1252"}},        // 92
    {{"Swedish", "sv", "0x1d", "5", "1252"}},                     // 93
    {{"Tagalog", "tl", "0x64", "82", "-1"}},                      // 94
    {{"Tajik", "tg", "0x28", "55", "-1"}},                        // 95
    {{"Tamil", "ta", "0x49", "74", "0"}},                         // 96
    {{"Tatar", "tt", "0x44", "135", "1251"}},                     // 97
    {{"Telugu", "te", "0x4a", "75", "0"}},                        // 98
    {{"Thai", "th", "0x1e", "22", "874"}},                        // 99
    {{"Tibetan", "bo", "0x51", "63", "-1"}},                      // 100
    {{"Tigrinya", "ti", "0x73", "86", "-1"}},                     // 101
    {{"Tsonga", "ts", "0x31", "-1", "431"}},                      // 102
    {{"Turkish", "tr", "0x1f", "17", "1254"}},                    // 103
    {{"Turkmen", "tk", "0x42", "56", "-1"}},                      // 104
    {{"Ukrainian", "uk", "0x22", "45", "1251"}},                  // 105
    {{"Urdu", "ur", "0x20", "20", "1256"}},                       // 106
    {{"Uzbek", "uz", "0x43", "47", "1254"}},                      // 107
    {{"Vietnamese", "vi", "0x2a", "80", "1258"}},                 // 108
    {{"Welsh", "cy", "0x52", "128", "-1"}},                       // 109
    {{"Xhosa", "xh", "0x34", "-1", "-1"}},                        // 110
    {{"Yiddish", "yi", "0x3d", "41", "-1"}},                      // 111
    {{"Yiddish", "ji", "0x3d", "41", "-1"}},                      // 112
    {{"Yoruba", "yo", "0x6a", "-1", "-1"}},                       // 113
    {{"Zulu", "zu", "0x35", "-1", "-1"}},                         // 114
};

const size_t kLanguageTableSize = std::size(kLanguageTable);

}  // namespace nodexa
