// tvrdiag against the simulated notebooks: a maker's notebook, another
// maker's, one without the firmware's ACPI-WMI classes, and its command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "SimulatedNotebook.h"

namespace {

constexpr wchar_t kTvrdiag[] = L"tvrdiag.exe";

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& wanted)
{
    for (const std::string& line : lines) {
        if (line == wanted) return true;
    }
    return false;
}

// The numbers of the "  bit N name" lines.
std::vector<int> ReportedBits(const std::vector<std::string>& lines)
{
    std::vector<int> bits;
    for (const std::string& line : lines) {
        int bit = -1;
        if (std::sscanf(line.c_str(), "  bit %d", &bit) == 1) bits.push_back(bit);
    }
    return bits;
}

size_t TokenLines(const std::vector<std::string>& lines)
{
    size_t count = 0;
    for (const std::string& line : lines) count += line.rfind("  token ", 0) == 0 ? 1 : 0;
    return count;
}

class TvrDiag : public ::testing::Test {
protected:
    void TearDown() override { notebook.Load(L"corvane-default"); }

    // The report on a freshly loaded notebook, after the simctl commands.
    std::vector<std::string> Report(const wchar_t* profile,
                                    std::initializer_list<const wchar_t*> commands = {})
    {
        EXPECT_TRUE(notebook.Load(profile)) << profile;
        for (const wchar_t* command : commands) EXPECT_TRUE(notebook.Simctl(command)) << command;
        const ProgramResult run = RunProgram(kTvrdiag, L"");
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0u);
        return Lines(run.output);
    }

    SimulatedNotebook notebook;
};

TEST_F(TvrDiag, DefaultNotebookShowsItsIdentityTokensAndFeatures)
{
    const auto lines = Report(L"corvane-default", {L"set ac 1"});
    EXPECT_TRUE(HasLine(lines, "ACPI-WMI BIOS interface: ready, data buffer 128 bytes"));
    EXPECT_TRUE(HasLine(lines, "Probe call 0x0011/0x000B: answered, cbRes1 0, cbRes2 0x0001070F"));
    EXPECT_TRUE(HasLine(lines, "SMBIOS: read"));
    EXPECT_TRUE(HasLine(lines, "Maker system: yes"));
    EXPECT_TRUE(HasLine(lines, "Maker BIOS: yes"));
    EXPECT_TRUE(HasLine(lines, "System id: 0x0471 (1137)"));
    EXPECT_TRUE(HasLine(lines, "Capability words: 0x001E 0x0000 0x0001 0x0000"));
    EXPECT_TRUE(HasLine(lines, "Tokens: 7"));
    EXPECT_EQ(TokenLines(lines), 7u);
    // Brightness levels on AC: 7, with the profile's further words 0 and 15.
    EXPECT_TRUE(HasLine(lines, "  token 0x007D location 0x0320 value 0x0000 reads 0x0007 0x0000 0x000F"));
    EXPECT_TRUE(HasLine(lines, "  token 0x0188 location 0x0350 value 0x0001 reads 0x0001 0x0000 0x0000"));
    EXPECT_TRUE(HasLine(lines, "Hardware configuration: filled by this program"));
    EXPECT_EQ(ReportedBits(lines), (std::vector<int>{10, 12, 13, 14, 15, 16, 23, 24, 26, 30, 31, 34, 36}));
    EXPECT_TRUE(HasLine(lines, "  bit 26 keyboard backlight"));
    EXPECT_TRUE(HasLine(lines, "  bit 36 launch button"));
}

TEST_F(TvrDiag, AnotherMakersNotebookHasNoTokensAndOnlyTheFirmwareBits)
{
    auto lines = Report(L"halvorn");
    EXPECT_TRUE(HasLine(lines, "Maker system: no"));
    EXPECT_TRUE(HasLine(lines, "Maker BIOS: no"));
    EXPECT_TRUE(HasLine(lines, "System id: 0x0000 (0)"));
    EXPECT_TRUE(HasLine(lines, "Tokens: none"));
    EXPECT_EQ(TokenLines(lines), 0u);
    EXPECT_EQ(ReportedBits(lines), (std::vector<int>{10, 12, 13}));

    // With every answer the firmware can give, still nothing beyond 10, 12..18 and 34.
    lines = Report(L"halvorn", {L"set radio-status 0xFFFFFFFF", L"set query-040b 0x10003"});
    EXPECT_EQ(ReportedBits(lines), (std::vector<int>{10, 12, 13, 14, 15, 16, 17, 18, 34}));
}

TEST_F(TvrDiag, WithoutTheFirmwareClassesItSaysCallsFailWithMinus3)
{
    const auto lines = Report(L"no-acpiwmi");
    EXPECT_TRUE(HasLine(
        lines, "ACPI-WMI BIOS interface: not available (firmware classes BFn, BDat or WMI_Query missing);"
               " every BIOS call fails with cbRes1 -3"));
    EXPECT_TRUE(HasLine(lines, "Probe call 0x0011/0x000B: no answer, cbRes1 -3, cbRes2 0x00000000"));
    EXPECT_TRUE(HasLine(lines, "  token 0x007D location 0x0320 value 0x0000 read failed"));
    EXPECT_TRUE(HasLine(
        lines,
        "Hardware configuration: not created (no BIOS calls possible); every feature reads as absent"));
    EXPECT_TRUE(ReportedBits(lines).empty());
    EXPECT_TRUE(notebook.Calls().empty());
}

TEST_F(TvrDiag, HelpPrintsTheUsageAndOtherArgumentsAreRefused)
{
    ProgramResult run = RunProgram(kTvrdiag, L"--help");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output.rfind("Usage: tvrdiag [--help]", 0), 0u) << run.output;

    for (const wchar_t* arguments : {L"--frobnicate", L"--help extra", L"report"}) {
        run = RunProgram(kTvrdiag, arguments);
        EXPECT_EQ(run.exitCode, 2u) << arguments;
        EXPECT_TRUE(run.output.empty()) << arguments; // the usage goes to the error stream
    }
}

} // namespace
