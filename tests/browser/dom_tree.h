#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace murkwell::testing {

// One node of a document as a browser serialises it after loading: an
// element, a run of text, or a comment.
struct DomNode {
    enum class Kind { Element, Text, Comment };

    Kind kind = Kind::Element;
    std::string name;  // tag name of an element
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;  // text with entities decoded, or a comment's inside
    std::vector<std::unique_ptr<DomNode>> children;

    // Every element below this node with the given tag name, in document order.
    std::vector<const DomNode*> ElementsNamed(std::string_view tag) const;
    // Every element below this node, in document order.
    std::vector<const DomNode*> Elements() const;
    // Every comment below this node.
    std::vector<const DomNode*> Comments() const;
    // The text of all text nodes below this node, joined.
    std::string TextContent() const;
    const std::string* Attribute(std::string_view attribute) const;
};

// Reads the serialised document that a headless browser prints for --dump-dom.
// The browser writes canonical mark-up (lower-case names, quoted attributes,
// & < > escaped in text), so a small reader suffices.
std::unique_ptr<DomNode> ReadDom(std::string_view markup);

}  // namespace murkwell::testing
