#include "script/syntax_tree.h"

#include <cstdio>
#include <variant>

namespace tapwell {

namespace {

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace

void IntNode::describeFields(std::string& out) const {
    out += ' ' + std::to_string(value);
}

void StringNode::describeFields(std::string& out) const {
    out += ' ';
    appendQuoted(out, value);
}

void VarNode::describeFields(std::string& out) const {
    out += ' ' + name;
}

void AssignNode::describeFields(std::string& out) const {
    out += " op" + std::to_string(AssignCode);
}

void WhileNode::describeFields(std::string& out) const {
    out += endless ? " endless" : "";
}

void FuncCallNode::describeFields(std::string& out) const {
    out += ' ' + name;
}

void CBCallNode::describeFields(std::string& out) const {
    out += ' ' + name;
}

std::string dumpTree(const Node* root) {
    std::string out;
    // Either a node still to be written, or a closing parenthesis.
    using Item = std::variant<const Node*, char>;
    std::vector<Item> work{root};
    std::vector<const Node*> kids;
    bool first = true;
    while (!work.empty()) {
        Item item = work.back();
        work.pop_back();
        if (const char* close = std::get_if<char>(&item)) {
            out += *close;
            continue;
        }
        if (!first)
            out += ' ';
        first = false;
        const Node* n = std::get<const Node*>(item);
        if (!n) {
            out += '-';
            continue;
        }
        out += '(';
        out += n->className();
        out += ' ' + std::to_string(n->NodeCode) + " L" + std::to_string(n->line);
        n->describeFields(out);
        kids.clear();
        n->children(kids);
        work.push_back(')');
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            work.push_back(*it);
    }
    return out;
}

} // namespace tapwell
