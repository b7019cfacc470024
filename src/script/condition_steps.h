// A condition of && || and ! over comparisons, laid out as a list of tests
// with jumps, so that deciding it walks the list instead of recursing
// through the operators (`(i % 7 == 3 || i % 11 == 5) && i % 2 == 0`).
#pragma once

#include <cstdint>
#include <vector>

namespace tapwell {

class Node;
class ScriptRun;

class ConditionSteps {
  public:
    // Lays out `condition` if its root is && or || on the integer path, or !
    // before something other than a prefix operator; otherwise holds nothing
    // and the condition is decided the usual way.
    void build(Node* condition);
    bool empty() const { return steps_.empty(); }
    // The condition's truth: the same operands tested in the same order as
    // integerTruth would. Defined in node_eval.h.
    inline bool truth(ScriptRun& run) const;

    enum class Test : std::uint8_t {
        Comparison, // a direct comparison (directTruth)
        Mask,       // `variable & literal`
        Other,      // the operand's own integer entry, non-zero
    };
    // Where a test goes next: a step's index, or one of these.
    static constexpr std::int32_t kTrue = -1;
    static constexpr std::int32_t kFalse = -2;
    struct Step {
        Node* node;
        std::int32_t onTrue;
        std::int32_t onFalse;
        Test test;
        std::uint8_t outcomes; // of a Comparison
    };

  private:
    std::vector<Step> steps_;
};

} // namespace tapwell
