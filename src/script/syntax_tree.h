// The syntax tree of a QZ-Script program. Every node owns its children;
// trees are destroyed without recursion (a left-deep operator chain may be a
// million nodes deep), so children are held through NodePtr, whose deleter
// takes whole subtrees apart iteratively.
#pragma once

#include "script/builtin_api.h"
#include "script/condition_steps.h"
#include "script/script_value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tapwell {

class ScriptRun;
class Node;

// NodeCode values; BinaryNode and UnaryNode carry their operator code.
namespace node_code {
inline constexpr std::uint32_t Block = 0;
inline constexpr std::uint32_t List = 0;
inline constexpr std::uint32_t Assign = 1;
inline constexpr std::uint32_t If = 3;
inline constexpr std::uint32_t While = 4;
inline constexpr std::uint32_t For = 5;
inline constexpr std::uint32_t Exit = 6;
inline constexpr std::uint32_t Break = 7;
inline constexpr std::uint32_t Continue = 8;
inline constexpr std::uint32_t Int = 9;
inline constexpr std::uint32_t String = 10;
inline constexpr std::uint32_t Var = 11;
inline constexpr std::uint32_t Cond = 12;
inline constexpr std::uint32_t FuncCall = 13;
inline constexpr std::uint32_t CBCall = 14;

inline constexpr std::uint32_t Add = 15;
inline constexpr std::uint32_t Sub = 16; // also prefix minus
inline constexpr std::uint32_t Mul = 17;
inline constexpr std::uint32_t Div = 18;
inline constexpr std::uint32_t Mod = 19;
inline constexpr std::uint32_t Or = 20;
inline constexpr std::uint32_t And = 21;
inline constexpr std::uint32_t Xor = 22;
inline constexpr std::uint32_t Not = 23; // prefix ~
inline constexpr std::uint32_t Shl = 24;
inline constexpr std::uint32_t Shr = 25;
inline constexpr std::uint32_t Eq = 26;
inline constexpr std::uint32_t Ne = 27;
inline constexpr std::uint32_t StrictEq = 28;
inline constexpr std::uint32_t StrictNe = 29;
inline constexpr std::uint32_t Lt = 30;
inline constexpr std::uint32_t Gt = 31;
inline constexpr std::uint32_t Le = 32;
inline constexpr std::uint32_t Ge = 33;
inline constexpr std::uint32_t AndAnd = 34;
inline constexpr std::uint32_t OrOr = 35;
inline constexpr std::uint32_t LogicalNot = 36; // prefix !
} // namespace node_code

// AssignCode values.
namespace assign_code {
inline constexpr std::uint32_t Set = 1;
inline constexpr std::uint32_t SetString = 2;
inline constexpr std::uint32_t Add = 37;
inline constexpr std::uint32_t Append = 38;
inline constexpr std::uint32_t Sub = 39;
inline constexpr std::uint32_t Mul = 40;
inline constexpr std::uint32_t Div = 41;
inline constexpr std::uint32_t Mod = 42;
inline constexpr std::uint32_t Shr = 43;
inline constexpr std::uint32_t Shl = 44;
inline constexpr std::uint32_t Or = 45;
inline constexpr std::uint32_t Xor = 46;
inline constexpr std::uint32_t And = 47;
inline constexpr std::uint32_t PostInc = 48;
inline constexpr std::uint32_t PostDec = 49;
} // namespace assign_code

// FlowState values.
inline constexpr std::uint32_t FLOW_NONE = 0;
inline constexpr std::uint32_t FLOW_BREAK = 1;
inline constexpr std::uint32_t FLOW_CONTINUE = 2;
inline constexpr std::uint32_t FLOW_STOP = 3;

// Destroys `root` and everything below it with an explicit work list.
void destroyTree(Node* root);

struct NodeDeleter {
    void operator()(Node* n) const { destroyTree(n); }
};
using NodePtr = std::unique_ptr<Node, NodeDeleter>;
using NodeList = std::vector<NodePtr>;

// What a node's value is whatever happens at run time. A variable's type
// follows from its name (only names ending in '$' ever hold texts), so most
// expressions have a type known when the tree is built.
enum class ValueType : std::uint8_t { Integer, String, Dynamic };

// Entry points a node chooses when it is built, specialised for its
// operator and the shapes of its operands where that pays (see node_eval.h).
using IntegerFn = std::int32_t (*)(Node& node, ScriptRun& run);
using ExecuteFn = void (*)(Node& node, ScriptRun& run);

class Node {
  public:
    // Lets the evaluator walk operator chains without virtual calls.
    enum class Kind : std::uint8_t { Other, Unary, Binary };

    Node(std::uint32_t code, std::int32_t line, ValueType type, Kind kind = Kind::Other)
        : NodeCode(code), line(line), kind(kind), valueType(type) {}
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Fills `out` with the node's value and returns it.
    virtual ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) = 0;
    // ToInteger of the node's value, with the same effects as Evaluate; the
    // integer-typed nodes compute it without a ScriptValue.
    std::int32_t evaluateInteger(ScriptRun& run) { return integerFn_(*this, run); }
    // IsTrue of the node's value, with the same effects as Evaluate.
    virtual bool evaluateTruth(ScriptRun& run);
    // Runs the node as a statement: its value is of no use to anyone, which
    // spares assignments the copy of what they stored.
    virtual void execute(ScriptRun& run);
    // execute through the node's chosen entry (what blocks call).
    void executeStatement(ScriptRun& run) { executeFn_(*this, run); }

    // Whether evaluating the node may store into a variable (it is or holds
    // an assignment). A call may lend a variable to a built-in instead of
    // copying it only when no later argument can change it.
    bool mayStore() const { return mayStore_; }

    // Moves the owned children (non-null ones) into `out`, leaving this node
    // without children; destroyTree uses it.
    virtual void detachChildren(std::vector<Node*>& out) {}

    // For the tree dump: class name, own scalar fields, children in order
    // (null where a child is absent).
    virtual const char* className() const = 0;
    virtual void describeFields(std::string& out) const {}
    virtual void children(std::vector<const Node*>& out) const {}

  protected:
    // ToInteger(Evaluate(...)) and execute(...): the entries of nodes with
    // nothing better.
    static std::int32_t integerThroughValue(Node& node, ScriptRun& run);
    static void executeVirtual(Node& node, ScriptRun& run);

    IntegerFn integerFn_ = &integerThroughValue;
    ExecuteFn executeFn_ = &executeVirtual;
    bool mayStore_ = false;

  public:
    const std::uint32_t NodeCode;
    const std::int32_t line;
    const Kind kind;
    const ValueType valueType;
};

class BlockNode final : public Node {
  public:
    explicit BlockNode(std::int32_t line);
    void append(Node* statement) { statements.emplace_back(statement); }
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void execute(ScriptRun& run) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Block"; }
    void children(std::vector<const Node*>& out) const override;

    NodeList statements;
};

// Holds a call's arguments while the call is being parsed.
class ListNode final : public Node {
  public:
    explicit ListNode(std::int32_t line) : Node(node_code::List, line, ValueType::Integer) {}
    void append(Node* argument) { items.emplace_back(argument); }
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "List"; }
    void children(std::vector<const Node*>& out) const override;

    NodeList items;
};

class IntNode final : public Node {
  public:
    IntNode(std::int32_t line, std::int32_t value);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    const char* className() const override { return "Int"; }
    void describeFields(std::string& out) const override;

    const std::int32_t value;
};

class StringNode final : public Node {
  public:
    StringNode(std::int32_t line, std::string value);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    bool evaluateTruth(ScriptRun& run) override;
    const char* className() const override { return "String"; }
    void describeFields(std::string& out) const override;

    // The literal as a value, which a call lends to a built-in.
    const ScriptValue literal;
    const std::string& value = literal.string;

  private:
    // ToInteger(value), which never changes.
    const std::int32_t integerValue_;
};

class VarNode final : public Node {
  public:
    VarNode(std::int32_t line, std::string name);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    bool evaluateTruth(ScriptRun& run) override;
    const char* className() const override { return "Var"; }
    void describeFields(std::string& out) const override;

    // The variable's entry. A variable that does not exist yet gets one that
    // reads as a missing one does (0, or "" for a text name), so that every
    // later use goes straight to it. The hot ones are defined in node_eval.h.
    inline ScriptValue& writeSlot(ScriptRun& run);
    inline const ScriptValue* readSlot(ScriptRun& run);
    // A read of the variable: its value, or 0 / "" when it does not exist.
    void read(ScriptRun& run, ScriptValue& out);
    inline std::int32_t readInteger(ScriptRun& run);
    // The same for a name without '$', whose variable only ever holds
    // integers (every store into it stores one): no conversion to make.
    inline std::int32_t readIntegerName(ScriptRun& run);
    // A read of a text variable, valid until the next store into it.
    inline std::string_view readText(ScriptRun& run);
    bool isStringName() const { return stringName_; }
    bool sameVariable(const VarNode& other) const { return normalized_ == other.normalized_; }

    const std::string name;

  private:
    ScriptValue* bindSlot(ScriptRun& run);

    const std::string normalized_;
    const bool stringName_;
    // The entry, from the first use on. A tree runs in one ScriptRun, whose
    // table keeps its entries until the run ends (the table emptied after
    // running out of memory runs nothing more).
    ScriptValue* slot_ = nullptr;
};

class UnaryNode final : public Node {
  public:
    UnaryNode(std::int32_t line, std::uint32_t op, Node* operand);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Unary"; }
    void children(std::vector<const Node*>& out) const override;

    NodePtr operand;
};

class BinaryNode final : public Node {
  public:
    BinaryNode(std::int32_t line, std::uint32_t op, Node* left, Node* right);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Binary"; }
    void children(std::vector<const Node*>& out) const override;

    // Combines the left operand's value `acc` with the right operand (which it
    // evaluates itself, unless && or || decide without it); result in `acc`.
    void apply(ScriptRun& run, ScriptValue& acc);

    // For a comparison, the outcomes that make it true: bit 0 for less,
    // bit 1 for equal, bit 2 for greater; 0 for every other operator.
    std::uint8_t outcomes() const { return outcomes_; }
    // outcomes() for a comparison of integers with a literal or a variable
    // on the right, which conditions compare in place; else 0.
    std::uint8_t directComparison() const { return direct_ ? outcomes_ : 0; }
    // Whether this is && or || on the integer path, which a condition
    // decides operand by operand (see integerTruth).
    bool logicalInPlace() const { return logical_; }
    // For a direct comparison whose left operand is `variable % literal`
    // with a literal of magnitude 2 or more (which can neither fail nor
    // wrap): that magnitude's reciprocal (see remainderByReciprocal); else 0.
    std::uint64_t leftRemainderReciprocal() const { return leftReciprocal_; }
    // Whether this is `variable & literal` on integers, whose truth a
    // condition tests in place (`!(i & 1)`).
    bool maskInPlace() const { return mask_; }

    NodePtr left;
    NodePtr right;

  private:
    // Binary nodes down the left operands (saturating).
    std::uint16_t chainDepth_ = 0;
    // Whether evaluateInteger computes this node on integers alone: the
    // operator and the operand types allow it, and the left chain is short
    // enough to recurse along.
    bool integerPath_ = false;
    bool direct_ = false;
    bool logical_ = false;
    bool mask_ = false;
    std::uint8_t outcomes_ = 0;
    std::uint64_t leftReciprocal_ = 0;
};

class AssignNode final : public Node {
  public:
    AssignNode(std::int32_t line, VarNode* target, Node* value, std::uint32_t assignCode);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void execute(ScriptRun& run) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Assign"; }
    void describeFields(std::string& out) const override;
    void children(std::vector<const Node*>& out) const override;

    std::unique_ptr<VarNode, NodeDeleter> target;
    NodePtr value;
    const std::uint32_t AssignCode;

    // The store of "/=" and "%=" with a computed divisor; returns the
    // assignment's value (0 when a division by zero stored nothing). The
    // other integer forms have entries of their own (assign_integer.cpp).
    std::int32_t storeQuotient(ScriptRun& run);
    // The store of "=" and "+=" on a text variable; returns the entry.
    ScriptValue& storeString(ScriptRun& run);
};

class IfNode final : public Node {
  public:
    IfNode(std::int32_t line, Node* condition, BlockNode* then, Node* elsePart);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void execute(ScriptRun& run) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "If"; }
    void children(std::vector<const Node*>& out) const override;

    NodePtr condition;
    NodePtr then;
    NodePtr elsePart; // null, a BlockNode or an IfNode

  private:
    void chooseCases();

    ConditionSteps conditionSteps_;

    // An else-if chain that only compares one variable with literals
    // (`k == 0`, `k == 1`, ...) picks its branch by the variable's value
    // instead of testing each literal in turn; decided at the chain's first
    // run, which is always through its head.
    enum class Cases : std::uint8_t { Unknown, None, Table };
    Cases cases_ = Cases::Unknown;
    std::int32_t caseBase_ = 0;
    VarNode* caseVariable_ = nullptr;
    BlockNode* caseOtherwise_ = nullptr;
    std::vector<BlockNode*> caseBlocks_; // the branch of caseBase_ + index
};

class WhileNode final : public Node {
  public:
    WhileNode(std::int32_t line, Node* condition, BlockNode* body, bool endless);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void execute(ScriptRun& run) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "While"; }
    void describeFields(std::string& out) const override;
    void children(std::vector<const Node*>& out) const override;

    NodePtr condition; // null for loop
    NodePtr body;
    const std::uint8_t endless;

  private:
    ConditionSteps conditionSteps_;
};

class ForNode final : public Node {
  public:
    ForNode(std::int32_t line, Node* init, Node* condition, Node* step, BlockNode* body);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void execute(ScriptRun& run) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "For"; }
    void children(std::vector<const Node*>& out) const override;

    NodePtr init;
    NodePtr condition;
    NodePtr step;
    NodePtr body;

  private:
    ConditionSteps conditionSteps_;
    // A step that adds a literal to an integer variable (i++, i -= 2) is
    // done in the loop itself; null for any other step.
    VarNode* countedVariable_ = nullptr;
    std::int32_t countBy_ = 0;
};

class ExitNode final : public Node {
  public:
    ExitNode(std::int32_t line, Node* value)
        : Node(node_code::Exit, line, ValueType::Integer), value(value) {}
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Exit"; }
    void children(std::vector<const Node*>& out) const override;

    NodePtr value; // null when exit stands alone
};

class FlowNode final : public Node {
  public:
    FlowNode(std::int32_t line, std::uint32_t code) : Node(code, line, ValueType::Integer) {}
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    const char* className() const override {
        return NodeCode == node_code::Break ? "Break" : "Continue";
    }
};

class CondNode final : public Node {
  public:
    CondNode(std::int32_t line, Node* condition, Node* ifTrue, Node* ifFalse);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    bool evaluateTruth(ScriptRun& run) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Cond"; }
    void children(std::vector<const Node*>& out) const override;

    NodePtr condition;
    NodePtr ifTrue;
    NodePtr ifFalse;
};

class FuncCallNode final : public Node {
  public:
    // Takes over the arguments of `arguments`, which the caller then destroys.
    FuncCallNode(std::int32_t line, std::string name, ListNode& arguments);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "Call"; }
    void describeFields(std::string& out) const override;
    void children(std::vector<const Node*>& out) const override;

    const std::string name;
    NodeList arguments;

  private:
    BuiltinRef builtin_;
    // Argument values, reused from call to call (a node is never evaluated
    // while its own arguments are being evaluated).
    std::vector<ScriptValue> values_;
    // Per argument: whether it is a text literal or a text variable that no
    // later argument can store into, which the built-in may read in place
    // (lent_) instead of a copy in values_.
    std::vector<std::uint8_t> lendable_;
    std::vector<const ScriptValue*> lent_;
};

class CBCallNode final : public Node {
  public:
    CBCallNode(std::int32_t line, std::string name, ListNode& arguments);
    ScriptValue& Evaluate(ScriptRun& run, ScriptValue& out) override;
    void detachChildren(std::vector<Node*>& out) override;
    const char* className() const override { return "CB"; }
    void describeFields(std::string& out) const override;
    void children(std::vector<const Node*>& out) const override;

    const std::string name;
    NodeList arguments;
};

// One S-expression per node: "(Class CODE Lline fields... children...)",
// with "-" for an absent child. Iterative, so any tree the parser accepts
// can be dumped.
std::string dumpTree(const Node* root);

} // namespace tapwell
