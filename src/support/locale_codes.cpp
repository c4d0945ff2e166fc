#include "locale_codes.h"

#include <iterator>

namespace nodexa {

// Older conventions on purpose: en_UK rather than en_GB, sr_YU, "in" for
// Indonesian, ca_AD for Catalan.
const LocaleCode kLocaleCodes[] = {
    {0x401, "ar_SA"},  {0x402, "bg_BG"},  {0x403, "ca_AD"},  {0x404, "zh_TW"},  {0x405, "cs_CZ"},
    {0x406, "da_DK"},  {0x407, "de_DE"},  {0x408, "el_GR"},  {0x40a, "es_ES"},  {0x40b, "fi_FI"},
    {0x40c, "fr_FR"},  {0x40d, "he_IL"},  {0x40e, "hu_HU"},  {0x40f, "is_IS"},  {0x410, "it_IT"},
    {0x411, "ja_JP"},  {0x412, "ko_KR"},  {0x413, "nl_NL"},  {0x414, "no_NO"},  {0x415, "pl_PL"},
    {0x416, "pt_BR"},  {0x418, "ro_RO"},  {0x419, "ru_RU"},  {0x41a, "hr_HR"},  {0x41b, "sk_SK"},
    {0x41c, "sq_AL"},  {0x41d, "sv_SE"},  {0x41e, "th_TH"},  {0x41f, "tr_TR"},  {0x421, "in"},
    {0x422, "uk_UA"},  {0x423, "be_BY"},  {0x424, "sl_SI"},  {0x425, "et_EE"},  {0x426, "lv_LV"},
    {0x427, "lt_LT"},  {0x42a, "vi_VN"},  {0x42d, "eu_ES"},  {0x436, "af_ZA"},  {0x438, "fo_FO"},
    {0x804, "zh_CN"},  {0x807, "de_CH"},  {0x809, "en_UK"},  {0x80a, "es_MX"},  {0x80c, "fr_BE"},
    {0x810, "it_CH"},  {0x812, "ko_KR"},  {0x813, "nl_BE"},  {0x814, "no_NO"},  {0x816, "pt_PT"},
    {0x81a, "sr_YU"},  {0x81d, "sv_FI"},  {0xc04, "zh_HK"},  {0xc07, "de_AT"},  {0xc09, "en_AU"},
    {0xc0a, "es_ES"},  {0xc0c, "fr_CA"},  {0xc1a, "sr_YU"},  {0x1004, "zh_SG"}, {0x1007, "de_LU"},
    {0x1009, "en_CA"}, {0x100a, "es_GT"}, {0x100c, "fr_CH"}, {0x1407, "de_LI"}, {0x1409, "en_NZ"},
    {0x140a, "es_CR"}, {0x140c, "fr_LU"}, {0x1809, "en_IE"}, {0x180a, "es_PA"}, {0x1c09, "en_ZA"},
    {0x1c0a, "es_DO"}, {0x2009, "en_JM"}, {0x200a, "es_VE"}, {0x2409, "en_JM"}, {0x240a, "es_CO"},
    {0x2809, "en_BZ"}, {0x280a, "es_PE"}, {0x2c09, "en_TT"}, {0x2c0a, "es_AR"}, {0x300a, "es_EC"},
    {0x340a, "es_CL"}, {0x380a, "es_UY"}, {0x3c0a, "es_PY"}, {0x400a, "es_BO"}, {0x440a, "es_SV"},
    {0x480a, "es_HN"}, {0x4c0a, "es_NI"}, {0x500a, "es_PR"},
};

const size_t kLocaleCodeCount = std::size(kLocaleCodes);

}  // namespace nodexa
