#include "tagged_text.h"

#include "rules/xml_document.h"

namespace nodexa {

std::string MakeTag(const std::string& name, const std::string& value) {
  std::string tag;
  tag.reserve(2 * name.size() + value.size() + 5);
  tag.append("<").append(name).append(">").append(value).append("</").append(name).append(">");
  return tag;
}

std::string MakeFlagTag(const std::string& name, bool flag) {
  return MakeTag(name, flag ? "1" : "0");
}

std::vector<Tag> ReadTags(const std::string& wrapper, const std::string& tagged) {
  const std::string document = MakeTag(wrapper, tagged);
  XmlDocument xml(document, document.size() + 1);
  std::vector<Tag> tags;
  const XmlElement* root = xml.GetRoot();
  if (root == nullptr) return tags;
  std::vector<XmlElement*> children;
  root->GetChildren(children);
  tags.reserve(children.size());
  for (const XmlElement* child : children) tags.push_back({child->Name(), child->Text()});
  return tags;
}

}  // namespace nodexa
