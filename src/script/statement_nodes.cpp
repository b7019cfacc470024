// Blocks, if, the loops, exit, break and continue. Nothing unwinds: a node
// returns normally and FlowState tells the enclosing blocks and loops to
// stop early.
//
// A statement's value can never reach an expression (statements are not
// expressions), so statements run through execute and the statement nodes'
// Evaluate gives integer 0 rather than carrying the last statement's value
// up: that copy would make building a long text quadratic.
#include "script/expression_ops.h"
#include "script/node_eval.h"

#include <algorithm>
#include <cstdint>

namespace tapwell {

namespace {

// What a loop does after its body: true when it must return.
bool loopShouldReturn(ScriptRun& run, std::int32_t loopLine) {
    switch (run.FlowState) {
    case FLOW_BREAK:
        run.FlowState = FLOW_NONE;
        return true;
    case FLOW_CONTINUE:
        run.FlowState = FLOW_NONE;
        break;
    case FLOW_STOP:
        return true;
    default:
        break;
    }
    // Once per iteration as well, so that a loop with an empty body can be
    // stopped too.
    return run.checkAbort(loopLine);
}

// execute entries that skip the virtual call.
template <class T> void executeEntry(Node& n, ScriptRun& run) {
    static_cast<T&>(n).T::execute(run);
}

// Runs loop(test), where test() gives the truth of a loop's condition. A
// comparison of a variable with a literal or a variable (i < 10, b != 0) is
// made on the two entries, held for the whole loop: variables are bound on
// first use, which nothing can tell from binding them here.
template <class Loop>
void withLoopTest(Node* condition, const ConditionSteps& steps, ScriptRun& run, Loop loop) {
    if (condition->kind == Node::Kind::Binary) {
        const BinaryNode* b = static_cast<const BinaryNode*>(condition);
        const unsigned outcomes = b->left->NodeCode == node_code::Var ? b->directComparison() : 0;
        if (outcomes) {
            const ScriptValue& l = static_cast<VarNode*>(b->left.get())->writeSlot(run);
            Node* right = b->right.get();
            if (right->NodeCode == node_code::Int) {
                const std::int32_t r = static_cast<IntNode*>(right)->value;
                return loop([&] { return outcomeHolds(outcomes, l.integer, r); });
            }
            const ScriptValue& r = static_cast<VarNode*>(right)->writeSlot(run);
            return loop([&] { return outcomeHolds(outcomes, l.integer, r.integer); });
        }
    }
    if (!steps.empty())
        return loop([&] { return steps.truth(run); });
    loop([&] { return conditionTruth(condition, run); });
}

} // namespace

BlockNode::BlockNode(std::int32_t line) : Node(node_code::Block, line, ValueType::Integer) {
    executeFn_ = &executeEntry<BlockNode>;
}

void BlockNode::execute(ScriptRun& run) {
    for (const NodePtr& p : statements) {
        Node* statement = p.get();
        run.setCurrentLine(statement->line);
        statement->executeStatement(run);
        if (run.checkAbort(statement->line))
            return;
        if (run.FlowState != FLOW_NONE)
            return;
    }
}

ScriptValue& BlockNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    execute(run);
    out.setInteger(0);
    return out;
}

IfNode::IfNode(std::int32_t line, Node* condition, BlockNode* then, Node* elsePart)
    : Node(node_code::If, line, ValueType::Integer), condition(condition), then(then),
      elsePart(elsePart) {
    executeFn_ = &executeEntry<IfNode>;
    conditionSteps_.build(condition);
}

namespace {

// Chains shorter than this test as fast as a lookup; wider spans of literals
// are left to the tests rather than given a large table.
constexpr std::size_t kMinCases = 4;
constexpr std::int64_t kMaxCaseSpan = 256;

// `variable == literal` on integers: the variable, or null.
VarNode* caseVariableOf(const Node* condition) {
    if (condition->kind != Node::Kind::Binary || condition->NodeCode != node_code::Eq)
        return nullptr;
    const BinaryNode* b = static_cast<const BinaryNode*>(condition);
    if (!b->directComparison() || b->left->NodeCode != node_code::Var ||
        b->right->NodeCode != node_code::Int)
        return nullptr;
    return static_cast<VarNode*>(b->left.get());
}

std::int32_t caseLiteralOf(const Node* condition) {
    return static_cast<const IntNode*>(static_cast<const BinaryNode*>(condition)->right.get())
        ->value;
}

} // namespace

void IfNode::chooseCases() {
    cases_ = Cases::None;
    std::vector<IfNode*> chain;
    VarNode* variable = caseVariableOf(condition.get());
    std::int64_t low = INT64_MAX, high = INT64_MIN;
    Node* n = this;
    for (; n && n->NodeCode == node_code::If; n = static_cast<IfNode*>(n)->elsePart.get()) {
        IfNode* link = static_cast<IfNode*>(n);
        VarNode* v = caseVariableOf(link->condition.get());
        if (!v || !v->sameVariable(*variable))
            return;
        low = std::min<std::int64_t>(low, caseLiteralOf(link->condition.get()));
        high = std::max<std::int64_t>(high, caseLiteralOf(link->condition.get()));
        chain.push_back(link);
    }
    if (chain.size() < kMinCases || high - low >= kMaxCaseSpan)
        return;
    caseVariable_ = variable;
    caseBase_ = static_cast<std::int32_t>(low);
    caseOtherwise_ = static_cast<BlockNode*>(n);
    caseBlocks_.assign(static_cast<std::size_t>(high - low + 1), nullptr);
    for (IfNode* link : chain) { // the first test of a literal decides, as in the chain
        BlockNode*& entry = caseBlocks_[caseLiteralOf(link->condition.get()) - caseBase_];
        if (!entry)
            entry = static_cast<BlockNode*>(link->then.get());
    }
    for (BlockNode*& entry : caseBlocks_)
        if (!entry)
            entry = caseOtherwise_;
    cases_ = Cases::Table;
}

// Inline in its entry too: an if is a statement of nearly every loop.
[[gnu::always_inline]] inline void IfNode::execute(ScriptRun& run) {
    if (cases_ != Cases::None) [[unlikely]] {
        if (cases_ == Cases::Unknown)
            chooseCases();
        if (cases_ == Cases::Table) {
            const std::uint64_t index = static_cast<std::uint64_t>(
                std::int64_t{caseVariable_->readIntegerName(run)} - caseBase_);
            BlockNode* branch = index < caseBlocks_.size() ? caseBlocks_[index] : caseOtherwise_;
            if (branch)
                branch->BlockNode::execute(run);
            return;
        }
    }
    // An else-if chain is walked in a loop rather than by recursion.
    for (IfNode* n = this;;) {
        if (n->conditionSteps_.empty() ? conditionTruth(n->condition.get(), run)
                                       : n->conditionSteps_.truth(run)) {
            static_cast<BlockNode*>(n->then.get())->BlockNode::execute(run);
            return;
        }
        Node* next = n->elsePart.get();
        if (!next)
            return;
        if (next->NodeCode != node_code::If) {
            static_cast<BlockNode*>(next)->BlockNode::execute(run);
            return;
        }
        n = static_cast<IfNode*>(next);
    }
}

ScriptValue& IfNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    execute(run);
    out.setInteger(0);
    return out;
}

WhileNode::WhileNode(std::int32_t line, Node* condition, BlockNode* body, bool endless)
    : Node(node_code::While, line, ValueType::Integer), condition(condition), body(body),
      endless(endless) {
    executeFn_ = &executeEntry<WhileNode>;
    if (!endless)
        conditionSteps_.build(condition);
}

void WhileNode::execute(ScriptRun& run) {
    BlockNode* block = static_cast<BlockNode*>(body.get());
    const auto loop = [&](auto holds) {
        for (;;) {
            if (!holds())
                return;
            block->BlockNode::execute(run);
            if (loopShouldReturn(run, line))
                return;
        }
    };
    if (endless)
        return loop([] { return true; });
    withLoopTest(condition.get(), conditionSteps_, run, loop);
}

ScriptValue& WhileNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    execute(run);
    out.setInteger(0);
    return out;
}

ForNode::ForNode(std::int32_t line, Node* init, Node* condition, Node* step, BlockNode* body)
    : Node(node_code::For, line, ValueType::Integer), init(init), condition(condition), step(step),
      body(body) {
    executeFn_ = &executeEntry<ForNode>;
    conditionSteps_.build(condition);
    if (step->NodeCode != node_code::Assign)
        return;
    const AssignNode* a = static_cast<const AssignNode*>(step);
    if (a->value->NodeCode != node_code::Int)
        return;
    const std::uint32_t by =
        static_cast<std::uint32_t>(static_cast<IntNode*>(a->value.get())->value);
    switch (a->AssignCode) {
    case assign_code::Add:
    case assign_code::PostInc:
        countBy_ = static_cast<std::int32_t>(by);
        break;
    case assign_code::Sub:
    case assign_code::PostDec:
        countBy_ = static_cast<std::int32_t>(0u - by);
        break;
    default:
        return;
    }
    countedVariable_ = a->target.get();
}

namespace {

// A for loop after its init: `holds` is the test, `advance` the step.
template <class Holds, class Advance>
void forLoop(ScriptRun& run, BlockNode* block, std::int32_t line, Holds holds, Advance advance) {
    for (;;) {
        if (!holds())
            return;
        block->BlockNode::execute(run);
        if (run.FlowState == FLOW_BREAK) {
            run.FlowState = FLOW_NONE;
            return; // the step does not run
        }
        if (run.FlowState == FLOW_STOP)
            return;
        run.FlowState = FLOW_NONE; // a continue still runs the step
        advance();
        if (run.checkAbort(line))
            return;
    }
}

} // namespace

void ForNode::execute(ScriptRun& run) {
    BlockNode* block = static_cast<BlockNode*>(body.get());
    init->executeStatement(run);
    if (!countedVariable_) {
        const auto advance = [&] { step->executeStatement(run); };
        return withLoopTest(condition.get(), conditionSteps_, run,
                            [&](auto holds) { forLoop(run, block, line, holds, advance); });
    }
    // A counting step holds its variable's entry for the whole loop too.
    ScriptValue& counter = countedVariable_->writeSlot(run);
    const auto advance = [&] { counter.integer = wrapAdd(counter.integer, countBy_); };
    withLoopTest(condition.get(), conditionSteps_, run,
                 [&](auto holds) { forLoop(run, block, line, holds, advance); });
}

ScriptValue& ForNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    execute(run);
    out.setInteger(0);
    return out;
}

ScriptValue& ExitNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    run.FlowState = FLOW_STOP;
    if (value) {
        run.ExitCode = value->evaluateInteger(run);
    } else {
        run.ExitCode = 0;
    }
    out.setInteger(run.ExitCode);
    return out;
}

ScriptValue& FlowNode::Evaluate(ScriptRun& run, ScriptValue& out) {
    run.FlowState = NodeCode == node_code::Break ? FLOW_BREAK : FLOW_CONTINUE;
    out.setInteger(0);
    return out;
}

} // namespace tapwell
