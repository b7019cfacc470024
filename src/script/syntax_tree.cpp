#include "script/syntax_tree.h"

#include "script/script_run.h"
#include "script/variable_table.h"

namespace tapwell {

namespace {

void take(NodePtr& child, std::vector<Node*>& out) {
    if (child)
        out.push_back(child.release());
}

void takeAll(NodeList& list, std::vector<Node*>& out) {
    for (NodePtr& child : list)
        take(child, out);
    list.clear();
}

void listChildren(const NodeList& list, std::vector<const Node*>& out) {
    for (const NodePtr& child : list)
        out.push_back(child.get());
}

} // namespace

void destroyTree(Node* root) {
    if (!root)
        return;
    std::vector<Node*> pending{root};
    while (!pending.empty()) {
        Node* n = pending.back();
        pending.pop_back();
        n->detachChildren(pending);
        delete n;
    }
}

void Node::execute(ScriptRun& run) {
    Evaluate(run, run.scratch());
}

std::int32_t Node::integerThroughValue(Node& node, ScriptRun& run) {
    ScriptValue v;
    return ToInteger(node.Evaluate(run, v));
}

void Node::executeVirtual(Node& node, ScriptRun& run) {
    node.execute(run);
}

bool Node::evaluateTruth(ScriptRun& run) {
    if (valueType == ValueType::Integer)
        return evaluateInteger(run) != 0;
    ScriptValue v;
    return IsTrue(Evaluate(run, v));
}

void BlockNode::detachChildren(std::vector<Node*>& out) {
    takeAll(statements, out);
}
void BlockNode::children(std::vector<const Node*>& out) const {
    listChildren(statements, out);
}

void ListNode::detachChildren(std::vector<Node*>& out) {
    takeAll(items, out);
}
void ListNode::children(std::vector<const Node*>& out) const {
    listChildren(items, out);
}
ScriptValue& ListNode::Evaluate(ScriptRun&, ScriptValue& out) {
    out.setInteger(0);
    return out;
}

void UnaryNode::detachChildren(std::vector<Node*>& out) {
    take(operand, out);
}
void UnaryNode::children(std::vector<const Node*>& out) const {
    out.push_back(operand.get());
}

void BinaryNode::detachChildren(std::vector<Node*>& out) {
    take(left, out);
    take(right, out);
}
void BinaryNode::children(std::vector<const Node*>& out) const {
    out.push_back(left.get());
    out.push_back(right.get());
}

void AssignNode::detachChildren(std::vector<Node*>& out) {
    if (target)
        out.push_back(target.release());
    take(value, out);
}
void AssignNode::children(std::vector<const Node*>& out) const {
    out.push_back(target.get());
    out.push_back(value.get());
}

void IfNode::detachChildren(std::vector<Node*>& out) {
    take(condition, out);
    take(then, out);
    take(elsePart, out);
}
void IfNode::children(std::vector<const Node*>& out) const {
    out.push_back(condition.get());
    out.push_back(then.get());
    out.push_back(elsePart.get());
}

void WhileNode::detachChildren(std::vector<Node*>& out) {
    take(condition, out);
    take(body, out);
}
void WhileNode::children(std::vector<const Node*>& out) const {
    out.push_back(condition.get());
    out.push_back(body.get());
}

void ForNode::detachChildren(std::vector<Node*>& out) {
    take(init, out);
    take(condition, out);
    take(step, out);
    take(body, out);
}
void ForNode::children(std::vector<const Node*>& out) const {
    out.push_back(init.get());
    out.push_back(condition.get());
    out.push_back(step.get());
    out.push_back(body.get());
}

void ExitNode::detachChildren(std::vector<Node*>& out) {
    take(value, out);
}
void ExitNode::children(std::vector<const Node*>& out) const {
    out.push_back(value.get());
}

void CondNode::detachChildren(std::vector<Node*>& out) {
    take(condition, out);
    take(ifTrue, out);
    take(ifFalse, out);
}
void CondNode::children(std::vector<const Node*>& out) const {
    out.push_back(condition.get());
    out.push_back(ifTrue.get());
    out.push_back(ifFalse.get());
}

FuncCallNode::FuncCallNode(std::int32_t line, std::string name, ListNode& list)
    : Node(node_code::FuncCall, line, ValueType::Dynamic), name(std::move(name)),
      arguments(std::move(list.items)), builtin_(resolveBuiltin(this->name)),
      values_(arguments.size()), lendable_(arguments.size()), lent_(arguments.size()) {
    list.items.clear();
    // From the last argument back: an argument may be lent while nothing
    // after it can store into a variable.
    for (std::size_t i = arguments.size(); i-- > 0;) {
        const Node* a = arguments[i].get();
        const bool textVariable =
            a->NodeCode == node_code::Var && static_cast<const VarNode*>(a)->isStringName();
        lendable_[i] = !mayStore_ && (textVariable || a->NodeCode == node_code::String);
        mayStore_ = mayStore_ || a->mayStore();
    }
}
void FuncCallNode::detachChildren(std::vector<Node*>& out) {
    takeAll(arguments, out);
}
void FuncCallNode::children(std::vector<const Node*>& out) const {
    listChildren(arguments, out);
}

CBCallNode::CBCallNode(std::int32_t line, std::string name, ListNode& list)
    : Node(node_code::CBCall, line, ValueType::Dynamic), name(std::move(name)),
      arguments(std::move(list.items)) {
    list.items.clear();
    for (const NodePtr& a : arguments)
        mayStore_ = mayStore_ || a->mayStore();
}
void CBCallNode::detachChildren(std::vector<Node*>& out) {
    takeAll(arguments, out);
}
void CBCallNode::children(std::vector<const Node*>& out) const {
    listChildren(arguments, out);
}

} // namespace tapwell
