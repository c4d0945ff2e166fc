// XmlDocument and ReadTags over any bytes: a tree or none, never a crash,
// and every element reachable from the root names its parent correctly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frame/tagged_text.h"
#include "fuzz_input.h"
#include "rules/xml_document.h"

namespace {

using nodexa::XmlElement;
using nodexa::fuzz::Check;

void CheckTree(const XmlElement* root) {
  Check(root->Parent() == nullptr, "the root has no parent");
  std::vector<const XmlElement*> pending{root};
  std::vector<XmlElement*> children;
  while (!pending.empty()) {
    const XmlElement* element = pending.back();
    pending.pop_back();
    Check(!element->Name().empty(), "elements have names");
    const int32_t count = element->GetChildren(children);
    Check(count == static_cast<int32_t>(children.size()), "GetChildren counts its list");
    for (const XmlElement* child : children) {
      Check(child->Parent() == element, "a child names its parent");
      pending.push_back(child);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nodexa::fuzz::Text(data, size);

  nodexa::XmlDocument whole(text, text.size() + 1);
  if (const XmlElement* root = whole.GetRoot()) CheckTree(root);
  Check(whole.GetRoot() == whole.GetRoot(), "the text is parsed once");

  // A size that keeps only part of the text.
  nodexa::XmlDocument cut(text, text.size() / 2);
  if (const XmlElement* root = cut.GetRoot()) CheckTree(root);

  for (const nodexa::Tag& tag : nodexa::ReadTags("DiscoveredPort", text)) {
    Check(!tag.name.empty(), "tags have names");
  }
  return 0;
}
