// Tagged text: the XML-like fragments the library exchanges with companion
// modules, "<NAME>value</NAME>" run together without a root element. Values
// are inserted and read verbatim; nothing is escaped.
#ifndef NODEXA_FRAME_TAGGED_TEXT_H_
#define NODEXA_FRAME_TAGGED_TEXT_H_

#include <string>
#include <vector>

namespace nodexa {

struct Tag {
  std::string name;
  std::string text;
};

std::string MakeTag(const std::string& name, const std::string& value);
// The element holding "1" for true and "0" for false.
std::string MakeFlagTag(const std::string& name, bool flag);

// The elements of `tagged`, in order, read by wrapping the text in one
// `wrapper` element and parsing it. An element the parser could not complete
// is missing; text it cannot parse at all gives an empty list. Element names
// that are not XML names (such as "1284STRID") stop the reading there, so
// callers rename them first.
std::vector<Tag> ReadTags(const std::string& wrapper, const std::string& tagged);

}  // namespace nodexa

#endif  // NODEXA_FRAME_TAGGED_TEXT_H_
