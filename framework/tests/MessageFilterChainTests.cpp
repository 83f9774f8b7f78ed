#include "MessageFilterChain.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class Filter : public IMessagePreFilter {
public:
    Filter(std::string name, std::vector<std::string>& asked, bool takes = false)
        : m_name(std::move(name)), m_asked(asked), m_takes(takes)
    {}
    std::function<void()> whenAsked;

    bool PreTranslateMessage(MSG&) override
    {
        m_asked.push_back(m_name);
        if (whenAsked) whenAsked();
        return m_takes;
    }

private:
    std::string m_name;
    std::vector<std::string>& m_asked;
    bool m_takes;
};

TEST(MessageFilterChain, AsksInOrderUntilOneTakesTheMessage)
{
    CMessageFilterChain chain;
    std::vector<std::string> asked;
    Filter first{"first", asked}, taker{"taker", asked, true}, last{"last", asked};
    chain.Add(first);
    chain.Add(taker);
    chain.Add(last);
    MSG msg{};
    EXPECT_TRUE(chain.Filter(msg));
    EXPECT_EQ(asked, (std::vector<std::string>{"first", "taker"}));

    chain.Remove(taker);
    asked.clear();
    EXPECT_FALSE(chain.Filter(msg));
    EXPECT_EQ(asked, (std::vector<std::string>{"first", "last"}));
}

TEST(MessageFilterChain, AddingTwiceAsksOnceAndRemovingAnAbsentOneChangesNothing)
{
    CMessageFilterChain chain;
    std::vector<std::string> asked;
    Filter only{"only", asked}, stranger{"stranger", asked};
    chain.Add(only);
    chain.Add(only);
    chain.Remove(stranger);
    EXPECT_EQ(chain.Count(), 1u);
    EXPECT_TRUE(chain.Contains(only));
    EXPECT_FALSE(chain.Contains(stranger));
    MSG msg{};
    chain.Filter(msg);
    EXPECT_EQ(asked, std::vector<std::string>{"only"});
}

TEST(MessageFilterChain, FilterRemovedWhileAskingIsNotAskedAfterwards)
{
    CMessageFilterChain chain;
    std::vector<std::string> asked;
    Filter first{"first", asked}, second{"second", asked}, third{"third", asked};
    // A dialog closed by a key destroys itself and another with it.
    first.whenAsked = [&] {
        chain.Remove(first);
        chain.Remove(second);
    };
    chain.Add(first);
    chain.Add(second);
    chain.Add(third);
    MSG msg{};
    EXPECT_FALSE(chain.Filter(msg));
    EXPECT_EQ(asked, (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(chain.Count(), 1u);
}

TEST(MessageFilterChain, FilterAddedWhileAskingWaitsForTheNextMessage)
{
    CMessageFilterChain chain;
    std::vector<std::string> asked;
    Filter first{"first", asked}, newcomer{"newcomer", asked};
    first.whenAsked = [&] { chain.Add(newcomer); };
    chain.Add(first);
    MSG msg{};
    chain.Filter(msg);
    EXPECT_EQ(asked, std::vector<std::string>{"first"});
    first.whenAsked = nullptr;
    chain.Filter(msg);
    EXPECT_EQ(asked, (std::vector<std::string>{"first", "first", "newcomer"}));
}

TEST(MessageFilterChain, EachThreadHasItsOwn)
{
    CMessageFilterChain* mine = &CMessageFilterChain::ForThisThread();
    CMessageFilterChain* theirs = nullptr;
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](void* out) -> DWORD {
            *static_cast<CMessageFilterChain**>(out) = &CMessageFilterChain::ForThisThread();
            return 0;
        },
        &theirs, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    EXPECT_NE(theirs, nullptr);
    EXPECT_NE(theirs, mine);
    EXPECT_EQ(&CMessageFilterChain::ForThisThread(), mine);
}

} // namespace
