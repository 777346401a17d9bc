#include "engine/link/exchange_guard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/engine_state.h"

namespace zk {
namespace {

class ExchangeGuardTest : public ::testing::Test {
protected:
    ~ExchangeGuardTest() override { ResetEngineState(); }
    std::string log;
};

TEST_F(ExchangeGuardTest, NestedGuardsEndTheExchangeWithTheOutermost)
{
    EXPECT_FALSE(ExchangeInProgress());
    {
        TExchangeGuard outer;
        {
            TExchangeGuard inner;
            RunWhenExchangeOver([this] { log += "a"; });
        }
        EXPECT_TRUE(ExchangeInProgress());
        RunWhenExchangeOver([this] { log += "b"; });
        EXPECT_EQ(log, "");
    }
    EXPECT_FALSE(ExchangeInProgress());
    EXPECT_EQ(log, "ab");
}

TEST_F(ExchangeGuardTest, WithoutAnExchangeTheActionRunsAtOnce)
{
    RunWhenExchangeOver([this] { log += "now"; });
    EXPECT_EQ(log, "now");
}

TEST_F(ExchangeGuardTest, AnActionThatStartsAnExchangeHoldsBackTheRest)
{
    std::optional<TExchangeGuard> second;
    {
        TExchangeGuard first;
        RunWhenExchangeOver([&] {
            log += "1";
            second.emplace();
        });
        RunWhenExchangeOver([this] { log += "2"; });
    }
    EXPECT_EQ(log, "1");
    EXPECT_TRUE(ExchangeInProgress());
    second.reset();
    EXPECT_EQ(log, "12");
}

TEST_F(ExchangeGuardTest, ResetDropsQueuedActions)
{
    {
        TExchangeGuard guard;
        RunWhenExchangeOver([this] { log += "x"; });
        ResetEngineState();
        EXPECT_FALSE(ExchangeInProgress());
    }
    EXPECT_EQ(log, "");
    EXPECT_FALSE(ExchangeInProgress());
}

}  // namespace
}  // namespace zk
