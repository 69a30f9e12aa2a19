#include "dom_tree.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

namespace murkwell::testing {

namespace {

constexpr std::array<std::string_view, 14> kVoidElements = {
    "area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source", "track", "wbr"};
// Elements whose content the browser writes as it is, without escaping.
constexpr std::array<std::string_view, 2> kRawTextElements = {"script", "style"};

bool IsOneOf(std::string_view name, auto list) { return std::find(list.begin(), list.end(), name) != list.end(); }

std::string DecodeEntities(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kEntities = {{
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", "\xC2\xA0"}}};
    std::string decoded;
    for (std::size_t i = 0; i < text.size();) {
        const auto entity = std::find_if(kEntities.begin(), kEntities.end(),
                                         [&](const auto& e) { return text.substr(i).starts_with(e.first); });
        if (entity == kEntities.end()) {
            decoded += text[i++];
        } else {
            decoded += entity->second;
            i += entity->first.size();
        }
    }
    return decoded;
}

class DomReader {
public:
    explicit DomReader(std::string_view markup) : m_text(markup) {}

    std::unique_ptr<DomNode> Read() {
        auto root = std::make_unique<DomNode>();
        root->name = "#document";
        std::vector<DomNode*> open = {root.get()};
        while (m_pos < m_text.size()) {
            if (Rest().starts_with("<!--")) {
                const std::size_t end = Find("-->");
                Append(open.back(), DomNode::Kind::Comment, m_text.substr(m_pos + 4, end - m_pos - 4));
                m_pos = end + 3;
            } else if (Rest().starts_with("</")) {
                const std::size_t end = Find(">");
                const std::string name(m_text.substr(m_pos + 2, end - m_pos - 2));
                m_pos = end + 1;
                if (open.size() < 2 || open.back()->name != name) {
                    throw std::runtime_error("unbalanced </" + name + ">");
                }
                open.pop_back();
            } else if (Rest().starts_with("<")) {
                DomNode* element = ReadStartTag(open.back());
                if (IsOneOf(element->name, kRawTextElements)) {
                    const std::string close = "</" + element->name + ">";
                    const std::size_t end = Find(close);
                    Append(element, DomNode::Kind::Text, m_text.substr(m_pos, end - m_pos), false);
                    m_pos = end + close.size();
                } else if (!IsOneOf(element->name, kVoidElements)) {
                    open.push_back(element);
                }
            } else {
                const std::size_t end = std::min(m_text.find('<', m_pos), m_text.size());
                Append(open.back(), DomNode::Kind::Text, m_text.substr(m_pos, end - m_pos));
                m_pos = end;
            }
        }
        if (open.size() != 1) {
            throw std::runtime_error("<" + open.back()->name + "> is never closed");
        }
        return root;
    }

private:
    std::string_view Rest() const { return m_text.substr(m_pos); }

    std::size_t Find(std::string_view what) const {
        const std::size_t found = m_text.find(what, m_pos);
        if (found == std::string_view::npos) {
            throw std::runtime_error("no \"" + std::string(what) + "\" after byte " + std::to_string(m_pos));
        }
        return found;
    }

    static void Append(DomNode* parent, DomNode::Kind kind, std::string_view text, bool decode = true) {
        auto node = std::make_unique<DomNode>();
        node->kind = kind;
        node->text = decode && kind == DomNode::Kind::Text ? DecodeEntities(text) : std::string(text);
        parent->children.push_back(std::move(node));
    }

    std::string ReadName() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && !std::isspace(static_cast<unsigned char>(m_text[m_pos])) &&
               m_text[m_pos] != '>' && m_text[m_pos] != '=' && m_text[m_pos] != '/') {
            ++m_pos;
        }
        return std::string(m_text.substr(start, m_pos - start));
    }

    void SkipSpace() {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) {
            ++m_pos;
        }
    }

    DomNode* ReadStartTag(DomNode* parent) {
        ++m_pos;
        auto element = std::make_unique<DomNode>();
        element->name = ReadName();
        for (;;) {
            SkipSpace();
            if (Rest().starts_with(">")) {
                ++m_pos;
                break;
            }
            if (m_pos >= m_text.size() || element->name.empty()) {
                throw std::runtime_error("broken start tag near byte " + std::to_string(m_pos));
            }
            std::string attribute = ReadName();
            std::string value;
            if (Rest().starts_with("=\"")) {
                m_pos += 2;
                const std::size_t end = Find("\"");
                value = DecodeEntities(m_text.substr(m_pos, end - m_pos));
                m_pos = end + 1;
            }
            element->attributes.emplace_back(std::move(attribute), std::move(value));
        }
        parent->children.push_back(std::move(element));
        return parent->children.back().get();
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

void Collect(const DomNode& node, auto&& keep, std::vector<const DomNode*>& found) {
    for (const auto& child : node.children) {
        if (keep(*child)) {
            found.push_back(child.get());
        }
        Collect(*child, keep, found);
    }
}

}  // namespace

std::vector<const DomNode*> DomNode::ElementsNamed(std::string_view tag) const {
    std::vector<const DomNode*> found;
    Collect(*this, [&](const DomNode& n) { return n.kind == Kind::Element && n.name == tag; }, found);
    return found;
}

std::vector<const DomNode*> DomNode::Elements() const {
    std::vector<const DomNode*> found;
    Collect(*this, [](const DomNode& n) { return n.kind == Kind::Element; }, found);
    return found;
}

std::vector<const DomNode*> DomNode::Comments() const {
    std::vector<const DomNode*> found;
    Collect(*this, [](const DomNode& n) { return n.kind == Kind::Comment; }, found);
    return found;
}

std::string DomNode::TextContent() const {
    std::vector<const DomNode*> texts;
    Collect(*this, [](const DomNode& n) { return n.kind == Kind::Text; }, texts);
    std::string joined;
    for (const DomNode* text : texts) {
        joined += text->text;
    }
    return joined;
}

const std::string* DomNode::Attribute(std::string_view attribute) const {
    for (const auto& [name, value] : attributes) {
        if (name == attribute) {
            return &value;
        }
    }
    return nullptr;
}

std::unique_ptr<DomNode> ReadDom(std::string_view markup) { return DomReader(markup).Read(); }

}  // namespace murkwell::testing
