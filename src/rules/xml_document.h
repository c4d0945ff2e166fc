// A lenient reader that turns XML text in memory into a tree of elements
// (name, trimmed text, parent, children in document order) with expat.
//
// The input is fed in pieces of 1023 bytes and never marked final, so an
// unfinished document is not an error: everything completed before the end
// is in the tree. A parse error stops feeding silently and the tree built so
// far is returned. Nothing is logged. An allocation that fails while the tree
// is built is not let through expat's C frames: the handlers keep it and
// GetRoot throws it once expat has returned.
#ifndef NODEXA_RULES_XML_DOCUMENT_H_
#define NODEXA_RULES_XML_DOCUMENT_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace nodexa {

class XmlElement {
 public:
  XmlElement(std::string elementName, XmlElement* parentElement)
      : name(std::move(elementName)), parent(parentElement) {}

  const std::string& Name() const { return name; }
  // The element's own character data: each run trimmed, runs joined.
  const std::string& Text() const { return text; }
  XmlElement* Parent() const { return parent; }
  // Replaces `list` with the children in document order; returns their number.
  int32_t GetChildren(std::vector<XmlElement*>& list) const;

 private:
  friend class XmlDocument;

  std::string name;
  std::string text;
  XmlElement* parent;
  // The children as a chain from the first to the last: adding one costs
  // no allocation, and GetChildren lists them in one walk.
  XmlElement* firstChild = nullptr;
  XmlElement* lastChild = nullptr;
  XmlElement* nextSibling = nullptr;
  int32_t childCount = 0;
};

class XmlDocument {
 public:
  // `size` counts the text's bytes plus a terminator (its length plus one);
  // at most size - 1 bytes of `text` are kept. A text moved in is kept
  // without a copy.
  XmlDocument(std::string text, size_t size);
  ~XmlDocument();
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Parses the text on the first call; returns the first element, or null
  // when no start tag was parsed or the parser could not be created. The
  // elements live as long as the document.
  XmlElement* GetRoot();

 private:
  struct Parser;

  static void OnStart(void* userData, const char* name, const char** attributes);
  static void OnEnd(void* userData, const char* name);
  static void OnText(void* userData, const char* data, int length);

  // A new element in the pool, its address fixed for the document's life.
  XmlElement& NewElement(const char* name, XmlElement* parentElement);

  std::string buffer;
  std::unique_ptr<Parser> parser;
  // Every element, in creation order, in blocks that are filled but never
  // regrown, so addresses stay stable; each block is twice the size of the
  // one before (up to a bound), so a small document takes one allocation
  // and a large one a few per thousand elements. Freed without recursion,
  // however deep the nesting.
  std::vector<std::vector<XmlElement>> elements;
  XmlElement* current = nullptr;
  XmlElement* root = nullptr;
  bool parsed = false;
  // What a handler could not finish; later handler calls do nothing.
  std::exception_ptr failure;
};

}  // namespace nodexa

#endif  // NODEXA_RULES_XML_DOCUMENT_H_
