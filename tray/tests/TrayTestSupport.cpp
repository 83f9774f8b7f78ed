#include "TrayTestSupport.h"

#include "ProgramRun.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace std::string_literals;

DWORD Process::WaitExit(DWORD timeoutMs) const
{
    if (::WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    return code;
}

Process StartProgram(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + TestBinFolder() + exe + L"\" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    Process process;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                         nullptr, &startup, &info)) {
        process.process.reset(info.hProcess);
        process.thread.reset(info.hThread);
        process.id = info.dwProcessId;
    }
    return process;
}

std::string Simctl(const std::wstring& arguments)
{
    return RunProgram(L"simctl.exe", arguments).output;
}

std::vector<VersionCall> VersionCalls()
{
    std::vector<VersionCall> calls;
    std::istringstream lines(Simctl(L"calls"));
    std::string line;
    while (std::getline(lines, line)) {
        unsigned sequence, cbClass, cbSelect;
        VersionCall call{};
        if (std::sscanf(line.c_str(), "#%u class=0x%X select=0x%X args=0x%X,0x%X,0x%X,0x%X", &sequence,
                        &cbClass, &cbSelect, &call.arg1, &call.arg2, &call.arg3, &call.arg4)
                == 7
            && cbClass == 0x11 && cbSelect == 0x03)
            calls.push_back(call);
    }
    return calls;
}

bool HasModule(DWORD processId, const wchar_t* name)
{
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) return false;
    MODULEENTRY32W module{sizeof(module)};
    for (BOOL more = ::Module32FirstW(snapshot.get(), &module); more;
         more = ::Module32NextW(snapshot.get(), &module))
        if (_wcsicmp(module.szModule, name) == 0) return true;
    return false;
}

HWND ShownDisplay(DWORD processId)
{
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
            if (owner != s.processId || !::IsWindowVisible(window) || (exStyle & WS_EX_LAYERED) == 0)
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTray()
{
    return ::FindWindowW(L"TavrinClass", L"Tavrin");
}

void TrayTest::SetUp()
{
    ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"corvane-default");
    Simctl(L"load corvane-default");
    Simctl(L"clear-calls");
    settings.SetDword(L"TavrinControl", 0x8000 | 0x0010);
    settings.SetDword(L"ShowTrayIcon", 1);
    settings.SetString(L"TavrinVersion", L"1.3.8");
    branding.Delete(L"OEMName");
    branding.SetString(L"TileOrder", L"Volume\0Battery\0"s, REG_MULTI_SZ);
}

void TrayTest::TearDown()
{
    // Never leave a tray running for the next test.
    if (HWND tray = FindTray()) {
        ::PostMessageW(tray, WM_CLOSE, 0, 0);
        WaitFor([] { return FindTray() == nullptr; }, 5000);
    }
}

void TrayTest::Stop(const Process& tray)
{
    ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"Stop Tavrin"), 0, 0);
    EXPECT_EQ(tray.WaitExit(15000), 0u);
}

namespace {

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

std::vector<std::string> ReadLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path.c_str(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TraceFile::TraceFile() : m_path(TempFile(L"tavrin-process-trace.txt"))
{
    ::DeleteFileW(m_path.c_str());
    ::SetEnvironmentVariableW(L"TAVRIN_TRACE", m_path.c_str());
}

TraceFile::~TraceFile()
{
    ::SetEnvironmentVariableW(L"TAVRIN_TRACE", nullptr);
    ::DeleteFileW(m_path.c_str());
}

std::vector<std::string> TraceFile::Lines() const
{
    return ReadLines(m_path);
}

size_t TraceFile::Count(const std::string& line, size_t from) const
{
    const std::vector<std::string> lines = Lines();
    if (from >= lines.size()) return 0;
    return static_cast<size_t>(
        std::count(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(), line));
}

CompanionStandIn::CompanionStandIn()
    : m_log(TempFile(L"tavrin-companion-starts.txt"))
    , m_config(TestBinFolder() + L"Tavrin.cfg")
    , m_finish(::CreateEventW(nullptr, TRUE, FALSE, L"TavrinTestCompanionFinish"))
{
    ::DeleteFileW(m_log.c_str());
    ::SetEnvironmentVariableW(L"TAVRIN_COMPANION_LOG", m_log.c_str());
    const std::string config
        = "<TvrConfig><Version>1</Version><TrayApp><Name>tvrui</Name></TrayApp></TvrConfig>";
    std::ofstream(m_config.c_str(), std::ios::binary) << config;
}

CompanionStandIn::~CompanionStandIn()
{
    Finish();
    ::DeleteFileW(m_config.c_str());
    ::DeleteFileW(m_log.c_str());
    ::SetEnvironmentVariableW(L"TAVRIN_COMPANION_LOG", nullptr);
}

int CompanionStandIn::Starts() const
{
    return static_cast<int>(ReadLines(m_log).size());
}

int CompanionStandIn::Running() const
{
    int running = 0;
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, L"tvrui.exe") == 0) ++running;
    return running;
}

void CompanionStandIn::Finish()
{
    ::SetEvent(m_finish.get());
    WaitFor([this] { return Running() == 0; }, 10000);
    ::ResetEvent(m_finish.get());
}

std::vector<Box> FindBoxes(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<Box> boxes;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM lp) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            wchar_t name[16] = {};
            ::GetWindowThreadProcessId(window, &owner);
            ::GetClassNameW(window, name, 16);
            if (owner != found.processId || wcscmp(name, L"#32770") != 0 || !::IsWindowVisible(window))
                return TRUE;
            Box box{window, {}, {}};
            wchar_t text[2048] = {};
            ::GetWindowTextW(window, text, 2048);
            box.caption = text;
            text[0] = L'\0';
            ::GetDlgItemTextW(window, 0xFFFF, text, 2048);
            box.text = text;
            found.boxes.push_back(box);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.boxes;
}

Box FindBox(DWORD processId)
{
    const std::vector<Box> boxes = FindBoxes(processId);
    return boxes.empty() ? Box{} : boxes.front();
}
