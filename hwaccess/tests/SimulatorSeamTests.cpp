// A program asked to run on the simulated notebook never silently falls back
// to the real platform: a copy of this executable is run from a folder of its
// own, with TavrinSim.dll missing, without the export, or outdated. Run with
// --use-seams, this executable is that program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ModuleFolder.h"
#include "PlatformSeams.h"
#include "ProgramRun.h"
#include "SeamTable.h"

namespace {

constexpr char kUseSeamsSwitch[] = "--use-seams";
constexpr wchar_t kVariable[] = L"TAVRIN_SIMULATED_MACHINE";

// The child's side: one seam, as any program's first use of the platform.
int UseSeams()
{
    SYSTEM_POWER_STATUS status{};
    std::printf("power status %s\n", seams::GetPowerStatus(&status) ? "read" : "unread");
    return 0;
}

// A folder of the test's own holding a copy of this executable and,
// optionally, some module copied in under the simulator's name.
class LoneProgram {
public:
    explicit LoneProgram(const wchar_t* simulatorStandIn = nullptr)
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"tavrin-seams-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        m_exe = m_folder + L"lone.exe";
        m_copied = ::CopyFileW(ModulePath().c_str(), m_exe.c_str(), FALSE) != FALSE;
        if (simulatorStandIn) {
            m_dll = m_folder + L"TavrinSim.dll";
            m_copied
                = m_copied
                  && ::CopyFileW((ModuleFolder() + simulatorStandIn).c_str(), m_dll.c_str(), FALSE) != FALSE;
        }
    }
    ~LoneProgram()
    {
        ::DeleteFileW(m_exe.c_str());
        if (!m_dll.empty()) ::DeleteFileW(m_dll.c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }
    LoneProgram(const LoneProgram&) = delete;
    LoneProgram& operator=(const LoneProgram&) = delete;

    bool Ready() const { return m_copied; }
    ProgramResult Run() const { return RunProgramFile(m_exe, L"--use-seams", 30000, true); }

private:
    std::wstring m_folder;
    std::wstring m_exe;
    std::wstring m_dll;
    bool m_copied = false;
};

class SimulatorSeamTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(::SetEnvironmentVariableW(kVariable, L"corvane-default")); }
    void TearDown() override { ::SetEnvironmentVariableW(kVariable, nullptr); }

    static void ExpectStopped(const ProgramResult& run, const char* why)
    {
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, seams::kExitSimulatorUnavailable);
        EXPECT_NE(
            run.output.find("TAVRIN_SIMULATED_MACHINE is set, but the simulated notebook cannot be used"),
            std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find(why), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("power status"), std::string::npos) << "nothing ran on the real platform";
    }
};

TEST_F(SimulatorSeamTest, WithoutTheVariableTheRealPlatformIsUsed)
{
    const LoneProgram program;
    ASSERT_TRUE(program.Ready());
    ::SetEnvironmentVariableW(kVariable, nullptr);
    const ProgramResult run = program.Run();
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.output.find("power status read"), std::string::npos) << run.output;
}

TEST_F(SimulatorSeamTest, AMissingSimulatorStopsTheProgram)
{
    const LoneProgram program;
    ASSERT_TRUE(program.Ready());
    ExpectStopped(program.Run(), "TavrinSim.dll cannot be loaded");
}

TEST_F(SimulatorSeamTest, ASimulatorWithoutTheSeamExportStopsTheProgram)
{
    const LoneProgram program(L"Zelkey.dll");
    ASSERT_TRUE(program.Ready());
    ExpectStopped(program.Run(), "TavrinSim.dll has no export TavrinSimGetSeams");
}

TEST_F(SimulatorSeamTest, AnOutdatedSeamTableStopsTheProgram)
{
    const LoneProgram program(L"OutdatedSeams.dll");
    ASSERT_TRUE(program.Ready());
    const std::string why
        = "TavrinSim.dll offers no seam table of version " + std::to_string(kSeamTableVersion);
    ExpectStopped(program.Run(), why.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kUseSeamsSwitch) == 0) return UseSeams();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
