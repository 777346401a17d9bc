#include "shell/shell_link.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zk {
namespace {

// Records what it hears; optionally answers GoUp or sends back through the link.
struct Recorder : TQorShellLinkClient {
    std::vector<std::string> heard;
    int goUpAnswer = 0;
    TQorShellLink* echoTo = nullptr;

    void QORPathChanged(const std::string& folderId) override
    {
        heard.push_back("path " + folderId);
        if (echoTo != nullptr) {
            echoTo->PathChanged(this, folderId + "/echo");
        }
    }
    void QORRefresh() override { heard.push_back("refresh"); }
    int QORGoUp() override
    {
        heard.push_back("up");
        return goUpAnswer;
    }
};

TEST(ShellLinkTest, BroadcastSkipsTheSenderAndFiresOnChange)
{
    TQorShellLink link;
    Recorder a, b, c;
    link.RegisterShellControl(&a);
    link.RegisterShellControl(&b);
    link.RegisterShellControl(&c);
    int changes = 0;
    link.OnChange = [&changes](TQorShellLink&) { ++changes; };
    link.PathChanged(&a, "/x");
    EXPECT_TRUE(a.heard.empty());
    EXPECT_EQ(b.heard, std::vector<std::string>{"path /x"});
    EXPECT_EQ(c.heard, std::vector<std::string>{"path /x"});
    EXPECT_EQ(changes, 1);
    link.Refresh(&b);
    EXPECT_EQ(a.heard, std::vector<std::string>{"refresh"});
    EXPECT_EQ(changes, 1);  // only path and file changes fire it
}

TEST(ShellLinkTest, WhatAReceiverSendsDuringABroadcastIsDropped)
{
    TQorShellLink link;
    Recorder a, b;
    b.echoTo = &link;
    link.RegisterShellControl(&a);
    link.RegisterShellControl(&b);
    link.PathChanged(&a, "/x");
    EXPECT_TRUE(a.heard.empty());
    EXPECT_TRUE(link.Enabled);
    link.Enabled = false;
    link.PathChanged(&a, "/y");
    EXPECT_EQ(b.heard.size(), 1u);
}

TEST(ShellLinkTest, GoUpStopsAtTheFirstThatAnswersOrFallsBackToTheSender)
{
    TQorShellLink link;
    Recorder sender, first, second;
    link.RegisterShellControl(&sender);
    link.RegisterShellControl(&first);
    link.RegisterShellControl(&second);
    first.goUpAnswer = 1;
    link.GoUp(&sender);
    EXPECT_EQ(first.heard.size(), 1u);
    EXPECT_TRUE(second.heard.empty());
    EXPECT_TRUE(sender.heard.empty());

    first.goUpAnswer = 0;
    link.GoUp(&sender);
    EXPECT_EQ(second.heard.size(), 1u);
    EXPECT_EQ(sender.heard, std::vector<std::string>{"up"});
}

TEST(ShellLinkTest, UnregisterTakesOutOneCopy)
{
    TQorShellLink link;
    Recorder a, b;
    link.RegisterShellControl(&b);
    link.RegisterShellControl(&b);
    link.UnregisterShellControl(&b);
    link.PathChanged(&a, "/x");
    EXPECT_EQ(b.heard.size(), 1u);
    link.UnregisterShellControl(&b);
    link.PathChanged(&a, "/y");
    EXPECT_EQ(b.heard.size(), 1u);
}

}  // namespace
}  // namespace zk
