#pragma once
// The answers a test arms for windows the code under test is about to show
// (a click in a modal window, a choice in a menu) belong to that test: when
// it ends, every answer still waiting is cancelled, so none acts on a later
// test's windows, and the test fails for each answer it never used.
// Header-only: the test programs' main installs EndArmedAnswersWithTheirTest.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zk::test {

class ArmedAnswer {
public:
    explicit ArmedAnswer(std::string what) : m_what(std::move(what)) {}

    // The answer ran, or its wait ended with the test's failure.
    void Settle() { m_settled = true; }
    bool Settled() const { return m_settled; }
    void Cancel() { m_cancelled = true; }
    bool Cancelled() const { return m_cancelled; }
    const std::string& What() const { return m_what; }

private:
    std::string m_what;
    bool m_settled = false;
    bool m_cancelled = false;
};

namespace detail {
inline std::vector<std::shared_ptr<ArmedAnswer>>& ArmedAnswersOfTheRunningTest()
{
    static std::vector<std::shared_ptr<ArmedAnswer>> answers;
    return answers;
}
}  // namespace detail

// Registers an answer the running test waits to give; the poller that gives
// it checks Cancelled() on every turn and stops once it is set.
inline std::shared_ptr<ArmedAnswer> ArmAnswer(std::string what)
{
    auto answer = std::make_shared<ArmedAnswer>(std::move(what));
    detail::ArmedAnswersOfTheRunningTest().push_back(answer);
    return answer;
}

// Cancels every answer the running test armed; one it never used fails it.
inline void EndArmedAnswers()
{
    const auto answers = std::exchange(detail::ArmedAnswersOfTheRunningTest(), {});
    for (const auto& answer : answers) {
        if (!answer->Settled() && !answer->Cancelled()) {
            ADD_FAILURE() << "an answer armed for " << answer->What() << " was never used";
        }
        answer->Cancel();
    }
}

// Ends the armed answers as each test ends. OnTestEnd runs in the reverse
// order of the listeners, so appended after the result printer this runs
// first and the printer reports a failure it adds.
class EndArmedAnswersWithTheirTest : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override { EndArmedAnswers(); }
};

}  // namespace zk::test
