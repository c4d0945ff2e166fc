#include "xml_document.h"

#include <expat.h>

#include <algorithm>
#include <cstring>

#include "frame/string_toolkit.h"
#include "frame/unique_handle.h"

namespace nodexa {

namespace {
constexpr int kPieceSize = 1024;
}

struct ParserTraits {
  using Type = XML_Parser;
  static Type Invalid() { return nullptr; }
  static void Close(Type parser) { XML_ParserFree(parser); }
};

struct XmlDocument::Parser : UniqueHandle<ParserTraits> {
  using UniqueHandle::UniqueHandle;
};

int32_t XmlElement::GetChildren(std::vector<XmlElement*>& list) const {
  list = children;
  return static_cast<int32_t>(list.size());
}

XmlDocument::XmlDocument(const std::string& text, size_t size)
    : buffer(text, 0, size == 0 ? 0 : std::min(size - 1, text.size())) {
  if (XML_Parser created = XML_ParserCreate(nullptr)) {
    parser = std::make_unique<Parser>(created);
    XML_SetUserData(created, this);
    XML_SetStartElementHandler(created, &XmlDocument::OnStart);
    XML_SetEndElementHandler(created, &XmlDocument::OnEnd);
    XML_SetCharacterDataHandler(created, &XmlDocument::OnText);
  }
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

void XmlDocument::OnStart(void* userData, const char* name, const char** /*attributes*/) {
  auto* document = static_cast<XmlDocument*>(userData);
  if (document->failure) return;
  try {
    XmlElement& element = document->elements.emplace_back(name, document->current);
    if (document->current != nullptr) {
      document->current->children.push_back(&element);
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
