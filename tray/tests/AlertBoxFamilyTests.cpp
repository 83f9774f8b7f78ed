// The adapter and battery box families: one box per text on screen, each on
// its own thread, and no box or thread left when the family goes.
#include "AlertBoxFamily.h"

#include "CriticalSection.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Boxes that stay "on screen" until the test closes them.
class HeldBoxes {
public:
    void Box(const std::wstring& text)
    {
        {
            CriticalSectionLock lock(m_lock);
            m_shown.push_back(text);
            m_threads.push_back(::GetCurrentThreadId());
        }
        ::SetEvent(m_opened.get());
        ::WaitForSingleObject(m_close.get(), INFINITE);
    }
    void InPlace(const std::wstring& text) { m_inPlace.push_back(text); }

    bool WaitOpened() { return ::WaitForSingleObject(m_opened.get(), 5000) == WAIT_OBJECT_0; }
    void CloseAll() { ::SetEvent(m_close.get()); }
    std::vector<std::wstring> Shown()
    {
        CriticalSectionLock lock(m_lock);
        return m_shown;
    }
    std::vector<DWORD> Threads()
    {
        CriticalSectionLock lock(m_lock);
        return m_threads;
    }
    const std::vector<std::wstring>& ShownInPlace() const { return m_inPlace; }

private:
    CriticalSection m_lock;
    std::vector<std::wstring> m_shown;
    std::vector<DWORD> m_threads;
    std::vector<std::wstring> m_inPlace;
    UniqueHandle m_opened{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle m_close{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 200; ++i) {
        if (condition()) return true;
        ::Sleep(25);
    }
    return condition();
}

class AlertBoxFamily : public ::testing::Test {
protected:
    void TearDown() override { boxes.CloseAll(); }

    HeldBoxes boxes;
    CAlertBoxFamily family{[this](const std::wstring& text) { boxes.Box(text); },
                           [this](const std::wstring& text) { boxes.InPlace(text); }};
};

TEST_F(AlertBoxFamily, TheSameTextWhileItsBoxIsOpenIsDroppedAndShowsAgainOnceClosed)
{
    // Asked twice at once: the second is dropped even before the first box is up.
    EXPECT_TRUE(family.Show(L"adapter"));
    EXPECT_FALSE(family.Show(L"adapter"));
    ASSERT_TRUE(boxes.WaitOpened());
    EXPECT_EQ(family.OpenBoxes(), 1);
    EXPECT_FALSE(family.Show(L"adapter"));
    boxes.CloseAll();
    ASSERT_TRUE(WaitFor([&] { return family.OpenBoxes() == 0; }));
    EXPECT_TRUE(family.Show(L"adapter"));
    EXPECT_TRUE(WaitFor([&] { return boxes.Shown().size() == 2; }));
    EXPECT_EQ(boxes.Shown(), (std::vector<std::wstring>{L"adapter", L"adapter"}));
    EXPECT_TRUE(boxes.ShownInPlace().empty());
}

TEST_F(AlertBoxFamily, ADifferentTextShowsASecondBoxAtOnceOnItsOwnThread)
{
    EXPECT_TRUE(family.Show(L"first"));
    ASSERT_TRUE(boxes.WaitOpened());
    EXPECT_TRUE(family.Show(L"second"));
    ASSERT_TRUE(boxes.WaitOpened());
    EXPECT_EQ(family.OpenBoxes(), 2);
    EXPECT_EQ(boxes.Shown(), (std::vector<std::wstring>{L"first", L"second"}));
    const std::vector<DWORD> threads = boxes.Threads();
    EXPECT_NE(threads[0], threads[1]);
    EXPECT_NE(threads[0], ::GetCurrentThreadId());
    // The first text is no longer the last one: it is shown again.
    EXPECT_TRUE(family.Show(L"first"));
}

TEST_F(AlertBoxFamily, RequestsFromSeveralThreadsAtOnceShowEachTextOnce)
{
    struct Caller {
        CAlertBoxFamily* family;
        int shown = 0;
    };
    std::vector<Caller> callers(8, Caller{&family});
    std::vector<UniqueHandle> threads;
    for (Caller& caller : callers) {
        threads.emplace_back(::CreateThread(
            nullptr, 0,
            [](void* p) -> DWORD {
                auto& c = *static_cast<Caller*>(p);
                for (int i = 0; i < 20; ++i) c.shown += c.family->Show(L"battery") ? 1 : 0;
                return 0;
            },
            &caller, 0, nullptr));
        ASSERT_TRUE(threads.back());
    }
    for (const UniqueHandle& thread : threads) ::WaitForSingleObject(thread.get(), 10000);
    int shown = 0;
    for (const Caller& caller : callers) shown += caller.shown;
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(boxes.WaitOpened());
    EXPECT_EQ(family.OpenBoxes(), 1);
}

TEST(AlertBoxFamilyEnd, ABoxStillOpenIsAnsweredWhenTheFamilyGoes)
{
    constexpr wchar_t kCaption[] = L"Alert family test box";
    auto family = std::make_unique<CAlertBoxFamily>(
        [&](const std::wstring& text) { ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK); },
        [](const std::wstring&) {});
    EXPECT_TRUE(family->Show(L"left open"));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = ::FindWindowW(L"#32770", kCaption)) != nullptr; }));
    family.reset();
    EXPECT_FALSE(::IsWindow(box));
}

} // namespace
