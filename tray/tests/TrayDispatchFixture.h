#pragma once
// Tavrin.exe on the simulated notebook, followed through its dispatch trace:
// firmware events raised by simctl, keys typed into another process's window.
#include "HandleCount.h"
#include "TrayTestSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// The marker: a firmware event in the key table that nothing acts on; its
// trace line closes each step.
constexpr wchar_t kMarkerEvent[] = L"event 0xE0F7";
const Lines kMarkerLines = {"bios 0xE0F7 0 0 0 0"};
// The key that closes typed strokes.
const std::string kMarkerKeyLine = "key 0xE0F7";

class TrayDispatch : public TrayTest {
protected:
    void SetUp() override
    {
        TrayTest::SetUp();
        Configure();
        wchar_t folder[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, folder);
        m_tracePath = std::wstring(folder) + L"tavrin-dispatch-trace.txt";
        ::DeleteFileW(m_tracePath.c_str());
        ::SetEnvironmentVariableW(L"TAVRIN_TRACE", m_tracePath.c_str());
        m_tray = StartProgram(L"Tavrin.exe", L"");
        ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
        ASSERT_TRUE(WaitUntilDispatching()) << "tray takes no firmware events";
    }

    // What a fixture changes in the settings before the tray starts.
    virtual void Configure() {}

    void TearDown() override
    {
        // A hibernate key typed by a test hibernates the machine until it resumes.
        if (Simctl(L"get asleep").rfind("1", 0) == 0) Simctl(L"resume");
        if (m_tray.process) Stop(m_tray);
        ::SetEnvironmentVariableW(L"TAVRIN_TRACE", nullptr);
        TrayTest::TearDown();
        ::DeleteFileW(m_tracePath.c_str());
    }

    // Lines the tray wrote since the last look.
    Lines NewLines()
    {
        std::ifstream file(m_tracePath.c_str(), std::ios::binary);
        file.seekg(static_cast<std::streamoff>(m_traceRead));
        Lines lines;
        std::string line;
        while (std::getline(file, line)) {
            if (file.eof()) break; // a line still being written
            m_traceRead += line.size() + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The tray subscribes to firmware events late in its start-up, and an
    // event raised before that reaches nobody: markers are raised until one
    // arrives. What start-up wrote is passed over.
    bool WaitUntilDispatching()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            Simctl(kMarkerEvent);
            Lines lines;
            const bool marked = WaitFor(
                [&] {
                    for (std::string& line : NewLines()) lines.push_back(std::move(line));
                    return std::search(lines.begin(), lines.end(), kMarkerLines.begin(), kMarkerLines.end())
                           != lines.end();
                },
                500);
            if (marked) return true;
        }
        return false;
    }

    // Everything dispatched before a marker event raised now.
    Lines UntilMarker()
    {
        EXPECT_TRUE(Simctl(kMarkerEvent).empty());
        Lines lines;
        const bool marked = WaitFor(
            [&] {
                for (std::string& line : NewLines()) lines.push_back(std::move(line));
                return lines.size() >= kMarkerLines.size()
                       && Lines(lines.end() - kMarkerLines.size(), lines.end()) == kMarkerLines;
            },
            10000);
        EXPECT_TRUE(marked) << "marker event not dispatched";
        if (marked) lines.resize(lines.size() - kMarkerLines.size());
        return lines;
    }

    // Types the strokes followed by a marker key (in the key table, acted on
    // by nothing) and returns the lines starting with prefix that were
    // dispatched before the marker: the queue and the reader keep the order,
    // so the marker closes the strokes.
    Lines TypedKeys(const std::wstring& strokes, const std::string& prefix = "key ")
    {
        Type(strokes + L" d:E0F7 u:E0F7");
        Lines keys;
        bool marked = false;
        WaitFor(
            [&] {
                for (std::string& line : NewLines()) {
                    if (line == kMarkerKeyLine)
                        marked = true;
                    else if (!marked && line.rfind(prefix, 0) == 0)
                        keys.push_back(std::move(line));
                }
                return marked;
            },
            20000);
        EXPECT_TRUE(marked) << "marker key not dispatched";
        return keys;
    }

    bool IsResponsive() const
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(FindTray(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

    DWORD HandleCount() const
    {
        UniqueHandle process(::OpenProcess(PROCESS_DUP_HANDLE, FALSE, m_tray.id));
        return process ? CountOpenHandles(process.get()) : 0;
    }

    // Types the strokes ("d:E00A", "u:E00A", ...) into a window of another process.
    void Type(const std::wstring& strokes) const
    {
        Process target = StartProgram(L"keyhook_target.exe", strokes);
        ASSERT_TRUE(target.process);
        EXPECT_EQ(target.WaitExit(30000), 0u) << "keys not delivered to the target window";
    }

    std::wstring m_tracePath;
    size_t m_traceRead = 0;
    Process m_tray;
};
