// Conversion between narrow text in the ANSI code page and UTF-16 through the
// platform's code-page conversion. An empty result means the conversion gave
// no characters (empty input, or a failure).
#ifndef NODEXA_FRAME_WIDE_TEXT_H_
#define NODEXA_FRAME_WIDE_TEXT_H_

#include <string>

#include "platform/win32_api.h"

namespace nodexa {

using WideString = std::basic_string<WCHAR>;

WideString ToWide(const std::string& text, UINT codePage = CP_ACP);
std::string ToNarrow(const WideString& text, UINT codePage = CP_ACP);

}  // namespace nodexa

#endif  // NODEXA_FRAME_WIDE_TEXT_H_
