#include "script/condition_steps.h"

#include "script/syntax_tree.h"

namespace tapwell {

namespace {

// Deeper nestings (parentheses inside parentheses) stay one test each.
constexpr int kMaxDepth = 64;

// Jump targets are labels while the steps are laid out: the two outcomes,
// then places in the list, fixed once the place is reached.
class Layout {
  public:
    static constexpr std::int32_t kTrueLabel = 0;
    static constexpr std::int32_t kFalseLabel = 1;

    explicit Layout(std::vector<ConditionSteps::Step>& steps) : steps_(steps) {}

    void lay(Node* n, std::int32_t onTrue, std::int32_t onFalse, int depth) {
        if (depth >= kMaxDepth || !isJoint(n)) {
            steps_.push_back({n, onTrue, onFalse, testOf(n), outcomesOf(n)});
        } else if (n->kind == Node::Kind::Unary) { // !
            lay(static_cast<UnaryNode*>(n)->operand.get(), onFalse, onTrue, depth + 1);
        } else {
            const BinaryNode* b = static_cast<const BinaryNode*>(n);
            const std::int32_t right = newLabel();
            if (b->NodeCode == node_code::AndAnd)
                lay(b->left.get(), right, onFalse, depth + 1);
            else
                lay(b->left.get(), onTrue, right, depth + 1);
            places_[right] = static_cast<std::int32_t>(steps_.size());
            lay(b->right.get(), onTrue, onFalse, depth + 1);
        }
    }

    // Labels to places, once every step is laid out.
    void resolve() {
        for (ConditionSteps::Step& s : steps_) {
            s.onTrue = target(s.onTrue);
            s.onFalse = target(s.onFalse);
        }
    }

    // && or || on the integer path, or ! before anything but another prefix
    // operator: the joints integerTruth decides by deciding their operands.
    static bool isJoint(const Node* n) {
        if (n->kind == Node::Kind::Binary)
            return static_cast<const BinaryNode*>(n)->logicalInPlace();
        return n->kind == Node::Kind::Unary && n->NodeCode == node_code::LogicalNot &&
               static_cast<const UnaryNode*>(n)->operand->kind != Node::Kind::Unary;
    }

  private:
    std::int32_t newLabel() {
        places_.push_back(0);
        return static_cast<std::int32_t>(places_.size() - 1);
    }

    std::int32_t target(std::int32_t label) const {
        if (label == kTrueLabel)
            return ConditionSteps::kTrue;
        if (label == kFalseLabel)
            return ConditionSteps::kFalse;
        return places_[label];
    }

    static ConditionSteps::Test testOf(const Node* n) {
        if (n->kind == Node::Kind::Binary) {
            const BinaryNode* b = static_cast<const BinaryNode*>(n);
            if (b->directComparison())
                return ConditionSteps::Test::Comparison;
            if (b->maskInPlace())
                return ConditionSteps::Test::Mask;
        }
        return ConditionSteps::Test::Other;
    }

    static std::uint8_t outcomesOf(const Node* n) {
        return n->kind == Node::Kind::Binary ? static_cast<const BinaryNode*>(n)->directComparison()
                                             : std::uint8_t{0};
    }

    std::vector<ConditionSteps::Step>& steps_;
    std::vector<std::int32_t> places_{0, 0}; // the two outcomes' labels
};

} // namespace

void ConditionSteps::build(Node* condition) {
    if (!condition || condition->valueType != ValueType::Integer || !Layout::isJoint(condition))
        return;
    Layout layout(steps_);
    layout.lay(condition, Layout::kTrueLabel, Layout::kFalseLabel, 0);
    layout.resolve();
}

} // namespace tapwell
