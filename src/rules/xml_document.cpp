#include "xml_document.h"

#include <expat.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <random>
#include <utility>

#include "frame/string_toolkit.h"
#include "frame/unique_handle.h"

namespace nodexa {

namespace {
constexpr int kPieceSize = 1024;
constexpr size_t kFirstBlock = 16;
constexpr size_t kLargestBlock = 4096;

// One secret salt per process for expat's hash tables. Left to itself,
// expat gathers fresh entropy for every parser (a system call on Linux),
// which costs more than parsing a short device description does.
unsigned long HashSalt() {
  static const unsigned long salt = [] {
    std::random_device source;
    const unsigned long mixed = (static_cast<unsigned long>(source()) << 13) ^ source();
    return mixed == 0 ? 1 : mixed;  // 0 would ask expat for its own
  }();
  return salt;
}

// One parser is kept between documents: creating and freeing expat's parser
// costs about as much as parsing a short record does, and the library reads
// records one after another. XML_ParserReset returns it to the state of a
// new parser (handlers, user data and salt are set again for each
// document). Atomic, so documents on several threads each get a parser of
// their own.
std::atomic<XML_Parser> sparedParser{nullptr};

struct SparedParserRelease {
  ~SparedParserRelease() {
    if (XML_Parser parser = sparedParser.exchange(nullptr)) XML_ParserFree(parser);
  }
} sparedParserRelease;

XML_Parser TakeParser() {
  if (XML_Parser parser = sparedParser.exchange(nullptr)) return parser;
  return XML_ParserCreate(nullptr);
}

void GiveBackParser(XML_Parser parser) {
  XML_Parser none = nullptr;
  if (XML_ParserReset(parser, nullptr) == XML_TRUE &&
      sparedParser.compare_exchange_strong(none, parser)) {
    return;
  }
  XML_ParserFree(parser);
}
}  // namespace

struct ParserTraits {
  using Type = XML_Parser;
  static Type Invalid() { return nullptr; }
  static void Close(Type parser) { GiveBackParser(parser); }
};

struct XmlDocument::Parser : UniqueHandle<ParserTraits> {
  using UniqueHandle::UniqueHandle;
};

int32_t XmlElement::GetChildren(std::vector<XmlElement*>& list) const {
  list.clear();
  list.reserve(static_cast<size_t>(childCount));
  for (XmlElement* child = firstChild; child != nullptr; child = child->nextSibling) {
    list.push_back(child);
  }
  return static_cast<int32_t>(list.size());
}

XmlDocument::XmlDocument(std::string text, size_t size)
    : buffer(std::move(text)),
      // The owner exists before the parser does, so a failing allocation
      // cannot strand a parser.
      parser(std::make_unique<Parser>()) {
  buffer.resize(size == 0 ? 0 : std::min(size - 1, buffer.size()));
  parser->reset(TakeParser());
  if (!*parser) {
    parser.reset();
    return;
  }
  XML_SetHashSalt(parser->get(), HashSalt());
  XML_SetUserData(parser->get(), this);
  XML_SetStartElementHandler(parser->get(), &XmlDocument::OnStart);
  XML_SetEndElementHandler(parser->get(), &XmlDocument::OnEnd);
  XML_SetCharacterDataHandler(parser->get(), &XmlDocument::OnText);
}

XmlDocument::~XmlDocument() = default;

XmlElement* XmlDocument::GetRoot() {
  if (!parser) return nullptr;
  if (parsed) return root;
  parsed = true;
  // Pieces of at most 1023 bytes, never the final one: an open element at
  // the end is simply left out.
  size_t remaining = buffer.size() + 1;
  const char* position = buffer.data();
  while (remaining >= 1) {
    void* piece = XML_GetBuffer(parser->get(), kPieceSize);
    if (piece == nullptr) break;
    const size_t n = std::min(remaining, static_cast<size_t>(kPieceSize)) - 1;
    std::memcpy(piece, position, n);
    const XML_Status status = XML_ParseBuffer(parser->get(), static_cast<int>(n), XML_FALSE);
    if (failure) std::rethrow_exception(failure);
    if (status == XML_STATUS_ERROR) break;
    if (remaining <= kPieceSize - 1) break;
    position += kPieceSize - 1;
    remaining -= kPieceSize - 1;
  }
  return root;
}

XmlElement& XmlDocument::NewElement(const char* name, XmlElement* parentElement) {
  if (elements.empty() || elements.back().size() == elements.back().capacity()) {
    const size_t size =
        elements.empty() ? kFirstBlock
                         : std::clamp(2 * elements.back().capacity(), kFirstBlock, kLargestBlock);
    elements.emplace_back().reserve(size);
  }
  return elements.back().emplace_back(name, parentElement);
}

void XmlDocument::OnStart(void* userData, const char* name, const char** /*attributes*/) {
  auto* document = static_cast<XmlDocument*>(userData);
  if (document->failure) return;
  try {
    XmlElement& element = document->NewElement(name, document->current);
    if (XmlElement* parent = document->current) {
      (parent->lastChild != nullptr ? parent->lastChild->nextSibling : parent->firstChild) =
          &element;
      parent->lastChild = &element;
      ++parent->childCount;
    } else if (document->root == nullptr) {
      document->root = &element;
    }
    document->current = &element;
  } catch (...) {
    document->failure = std::current_exception();
  }
}

void XmlDocument::OnEnd(void* userData, const char* /*name*/) {
  auto* document = static_cast<XmlDocument*>(userData);
  if (document->failure) return;
  if (document->current != nullptr) document->current = document->current->parent;
}

void XmlDocument::OnText(void* userData, const char* data, int length) {
  auto* document = static_cast<XmlDocument*>(userData);
  if (document->failure || document->current == nullptr || length <= 0) return;
  const char* begin = data;
  const char* end = data + length;
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
  try {
    document->current->text.append(begin, end);
  } catch (...) {
    document->failure = std::current_exception();
  }
}

}  // namespace nodexa
