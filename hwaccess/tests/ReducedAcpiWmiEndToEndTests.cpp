// The tile server's reduced BIOS interface on the simulated notebooks: the
// same call as the full interface, the model identity without maker checks,
// and nothing else (no tokens, no hardware-configuration block).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ComInitialization.h"
#include "ReducedAcpiWmi.h"
#include "SimulatedNotebook.h"

namespace {

// The default notebook's radio status: 0x0F, three radios installed and on.
constexpr uint32_t kDefaultRadioStatus = 0x0001070F;

class ReducedAcpiWmiEndToEnd : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_bios.reset();
        m_notebook.Load(L"corvane-default");
    }

    // The server module, not the object, starts COM; the call log starts empty.
    void Start(const wchar_t* profile)
    {
        m_bios.reset();
        ASSERT_TRUE(m_notebook.Load(profile));
        ASSERT_TRUE(m_notebook.ClearCalls());
        m_bios = std::make_unique<CReducedAcpiWmi>();
    }

    ComInitialization m_com;
    SimulatedNotebook m_notebook;
    std::unique_ptr<CReducedAcpiWmi> m_bios;
};

TEST_F(ReducedAcpiWmiEndToEnd, ReadsTheModelAndCallsTheFirmwareWithoutAnyOtherCall)
{
    Start(L"corvane-default");
    EXPECT_EQ(m_bios->DataBufferSize(), 128);
    EXPECT_EQ(m_bios->SystemId(), 0x0471);
    EXPECT_EQ(m_bios->CapabilityWord(0), 0x001E);
    EXPECT_EQ(m_bios->CapabilityWord(2), 0x0001);
    EXPECT_EQ(m_bios->CapabilityWord(4), 0);
    EXPECT_EQ(m_bios->CapabilityWord(-1), 0);
    EXPECT_TRUE(m_notebook.Calls().empty())
        << "construction makes no BIOS call: there is no configuration block";

    BiosCallBuffer b;
    ASSERT_TRUE(m_bios->PerformSmi(b, 0x11, 0x0B, 0x100, 2, 3, 4));
    EXPECT_EQ(b.cbRes1, 0);
    EXPECT_EQ(b.cbRes2, kDefaultRadioStatus);
    const auto calls = m_notebook.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].cbClass, 0x11);
    EXPECT_EQ(calls[0].cbSelect, 0x0B);
    EXPECT_EQ(calls[0].args[0], 0x100u);
    EXPECT_EQ(calls[0].args[3], 4u);
    EXPECT_EQ(calls[0].length, 128u);
    EXPECT_TRUE(calls[0].tailZero);
}

TEST_F(ReducedAcpiWmiEndToEnd, TheFillFormClearsTheWholeRecordFirst)
{
    Start(L"corvane-default");
    BiosCallBuffer b;
    std::memset(static_cast<void*>(&b), 0xA5, sizeof b);
    ASSERT_TRUE(m_bios->PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0));
    EXPECT_EQ(b.reserved2C, 0) << "cleared with the record, never sent or overwritten";
    const auto calls = m_notebook.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].reservedZero);
}

TEST_F(ReducedAcpiWmiEndToEnd, FirmwareWrappersReachTheSameCallThroughTheInterface)
{
    Start(L"corvane-default");
    IBiosCalls& calls = m_bios->BiosCalls();
    BiosCallBuffer b;
    ASSERT_TRUE(calls.PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0));
    EXPECT_EQ(b.cbRes2, kDefaultRadioStatus);
    EXPECT_EQ(m_notebook.Calls().size(), 1u);
}

TEST_F(ReducedAcpiWmiEndToEnd, AnotherMakersModelKeepsItsIdentity)
{
    // Unlike the full interface, nothing is cleared for a machine that is not ours.
    Start(L"halvorn");
    EXPECT_EQ(m_bios->SystemId(), 0x33);
    EXPECT_EQ(m_bios->CapabilityWord(0), 0x001E);
    EXPECT_EQ(m_bios->DataBufferSize(), 44);
}

TEST_F(ReducedAcpiWmiEndToEnd, WithoutTheFirmwareClassesCallsAnswerMinus3)
{
    Start(L"no-acpiwmi");
    EXPECT_EQ(m_bios->DataBufferSize(), 0);
    EXPECT_EQ(m_bios->SystemId(), 0x0452);
    BiosCallBuffer b;
    EXPECT_FALSE(m_bios->PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0));
    EXPECT_EQ(b.cbRes1, kBiosNoAnswer);
    EXPECT_TRUE(m_notebook.Calls().empty());
}

TEST_F(ReducedAcpiWmiEndToEnd, EachObjectHasItsOwnConnection)
{
    Start(L"corvane-default");
    CReducedAcpiWmi second;
    m_bios.reset();
    BiosCallBuffer b;
    ASSERT_TRUE(second.PerformSmi(b, 0x11, 0x0B, 0, 0, 0, 0)) << "the second object outlives the first";
    EXPECT_EQ(b.cbRes2, kDefaultRadioStatus);
}

} // namespace
