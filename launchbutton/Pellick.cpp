#include "Pellick.h"

#include "BiosCalls.h"
#include "DeviceTree.h"
#include "MessageCatalogue.h"
#include "ModuleFolder.h"
#include "PellickPrograms.h"
#include "PlatformSeams.h"
#include "OpticalDrives.h"
#include "ProcessWindows.h"
#include "SettingNames.h"
#include "Settings.h"
#include "UniqueHandle.h"

#include <endpointvolume.h>
#include <shellapi.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <cwctype>

using Microsoft::WRL::ComPtr;

namespace {

// The firmware's key typing: asked with kKeysQuery, used with kTypeKey and
// the scan code in the low word of cbArg2, the modifier in the high word.
constexpr uint16_t kKeysClass = 0x0004;
constexpr uint16_t kKeysSelect = 0x000B;
constexpr uint32_t kKeysQuery = 0x40;
constexpr uint32_t kTypeKey = 0x41;
constexpr WORD kScanF5 = 0x3F;
constexpr WORD kScanF4 = 0x3E;
constexpr WORD kModifierAlt = 1;

constexpr LPARAM kMonitorOff = 2;

constexpr GUID kMonitorPowerOn
    = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};
constexpr GUID kIidEndpointVolume
    = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};

constexpr wchar_t kManager[] = L"Actuo.exe";
constexpr wchar_t kNetworkList[] = L"Rundll32.exe van.dll,RunVAN";
constexpr wchar_t kLumaraTitleMaker[] = L"Corvane";
constexpr wchar_t kLumaraTitleName[] = L"Lumara";

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

bool Contains(const std::wstring& text, const wchar_t* part)
{
    return text.find(part) != std::wstring::npos;
}

// Starts a command line; the handles of the new process are closed at once.
bool StartProcess(const std::wstring& commandLine, WORD show, bool inheritHandles = false)
{
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, inheritHandles, 0, nullptr, nullptr,
                          &startup, &info))
        return false;
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);
    return true;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

bool SendKeys(const std::vector<INPUT>& inputs)
{
    const UINT count = static_cast<UINT>(inputs.size());
    return ::SendInput(count, const_cast<INPUT*>(inputs.data()), sizeof(INPUT)) == count;
}

INPUT Key(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

std::wstring ReadStoredText(const wchar_t* name)
{
    return CSettings().ReadText(name);
}

} // namespace

CPellick::CPellick(IBiosCalls& bios)
    : m_function(pellick::FromStored(CSettings().ReadDword(setting_names::kPellick, pellick::kNotAssigned)))
    , m_program(ReadStoredText(setting_names::kPellickCmd))
    , m_webAddress(ReadStoredText(setting_names::kPellickAddr))
    , m_wirelessDisplay(pellick_programs::FindWirelessDisplay())
    , m_mediaCenter(pellick_programs::MediaCenterPath())
    , m_monitorStateTime(::GetTickCount64())
    , m_bios(bios)
{
    BiosCallBuffer buffer;
    const bool answered = m_bios.PerformSmi(buffer, kKeysClass, kKeysSelect, kKeysQuery, 0, 0, 0);
    m_biosKeys = answered && buffer.cbRes1 == 0 && (buffer.cbRes2 & 1) != 0;
}

CPellick::~CPellick()
{
    if (m_monitorNotify != nullptr) ::UnregisterPowerSettingNotification(m_monitorNotify);
}

void CPellick::Attach(HWND window)
{
    if (m_monitorNotify != nullptr) return;
    m_monitorNotify
        = ::RegisterPowerSettingNotification(window, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CPellick::SetMonitorState(int state)
{
    if (state != 0 && state != 1) return;
    m_monitorState = state;
    m_monitorStateTime = ::GetTickCount64();
}

void CPellick::BuildOfferList()
{
    m_offered = pellick::OfferList(pellick_programs::FindInstalled());
}

bool CPellick::Execute()
{
    m_managerStarted = false;
    m_function = pellick::FromStored(CSettings().ReadDword(setting_names::kPellick, pellick::kNotAssigned));
    // Until the tray has seen the resume, a press belongs to the sleep it caused.
    if (m_suspended) return true;
    switch (m_function) {
    case pellick::kNotAssigned:
        StartManager();
        return true;
    case pellick::kMute:
        return ToggleMute();
    case pellick::kDisplayOff:
        ToggleDisplay();
        return true;
    case pellick::kHibernate:
        return Hibernate();
    case pellick::kSleep:
        return Sleep();
    case pellick::kEject:
        return EjectOpticalDrive();
    case pellick::kRefreshBrowser:
        return TypeKey(kScanF5, 0, {VK_BROWSER_REFRESH});
    case pellick::kCloseWindow:
        return TypeKey(kScanF4, kModifierAlt, {VK_MENU, VK_F4});
    case pellick::kConnectNetwork:
        return ConnectToNetwork();
    case pellick::kSpecialCharacter:
        return BringOrStartCharacterMap();
    case pellick::kWirelessDisplay:
        return !m_wirelessDisplay.empty() && StartProcess(Quoted(m_wirelessDisplay), SW_SHOWNORMAL);
    case pellick::kPresentationMode:
        return TogglePresentationMode();
    case pellick::kMediaCenter:
        return !m_mediaCenter.empty() && StartProcess(Quoted(m_mediaCenter), SW_SHOWMAXIMIZED);
    case pellick::kLumara:
        return BringLumaraForward();
    case pellick::kLaunchProgram:
        return OpenProgram();
    case pellick::kOpenWebSite:
        return OpenWebSite();
    default:
        return true;
    }
}

bool CPellick::StartManager()
{
    if (!StartProcess(Quoted(ModuleFolder() + kManager), SW_SHOWNORMAL)) return false;
    m_managerStarted = true;
    return true;
}

bool CPellick::AssignAndStartManager(uint32_t function)
{
    m_function = function;
    CSettings().WriteDword(setting_names::kPellick, function);
    StartManager();
    return true;
}

bool CPellick::ToggleMute()
{
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(seams::CreateAudioDeviceEnumerator(enumerator.GetAddressOf())) || !enumerator) return false;
    ComPtr<IMMDevice> device;
    if (FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, device.GetAddressOf())) || !device)
        return false;
    ComPtr<IAudioEndpointVolume> volume;
    if (FAILED(device->Activate(kIidEndpointVolume, CLSCTX_ALL, nullptr,
                                reinterpret_cast<void**>(volume.GetAddressOf())))
        || !volume)
        return false;
    BOOL muted = FALSE;
    if (SUCCEEDED(volume->GetMute(&muted))) volume->SetMute(!muted, nullptr);
    return true;
}

void CPellick::ToggleDisplay()
{
    if (m_monitorState == 1) {
        SetMonitorState(0);
        ::PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
        return;
    }
    SetMonitorState(1);
    // Any key wakes the display; virtual key 0 means nothing to a program.
    SendKeys({Key(0, false), Key(0, true)});
}

bool CPellick::Hibernate()
{
    if (seams::SetSuspendState(true, false, false)) {
        m_suspended = true;
        return true;
    }
    // The tray's hibernation offers to enable it or to force it. Sent with a
    // time limit, so a window that does not answer cannot hold the button.
    messages::BroadcastSent(messages::kHibernate, 0, 0);
    return true;
}

bool CPellick::Sleep()
{
    if (!seams::SetSuspendState(false, false, false)) return false;
    m_suspended = true;
    return true;
}

// Through the device tree, the one way the suite reaches drives and devices.
bool CPellick::EjectOpticalDrive()
{
    IDeviceTree& tree = seams::DeviceTree();
    const std::vector<wchar_t> letters = optical_drives::OpticalLetters(tree);
    return !letters.empty() && optical_drives::EjectDrive(tree, letters.front());
}

bool CPellick::TypeKey(WORD scanCode, WORD modifier, const std::vector<WORD>& virtualKeys)
{
    if (m_biosKeys) {
        BiosCallBuffer buffer;
        const uint32_t key = static_cast<uint32_t>(modifier) << 16 | scanCode;
        return m_bios.PerformSmi(buffer, kKeysClass, kKeysSelect, kTypeKey, key, 0, 0) && buffer.cbRes1 == 0;
    }
    std::vector<INPUT> inputs;
    for (WORD key : virtualKeys) inputs.push_back(Key(key, false));
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) inputs.push_back(Key(*key, true));
    return SendKeys(inputs);
}

bool CPellick::ConnectToNetwork()
{
    return StartProcess(kNetworkList, SW_SHOWNORMAL, true);
}

bool CPellick::BringOrStartCharacterMap()
{
    if (const DWORD running = process_windows::FindProcess(pellick_programs::kCharacterMap)) {
        process_windows::BringProcessForward(running);
        return true;
    }
    return StartProcess(Quoted(pellick_programs::SystemProgram(pellick_programs::kCharacterMap)),
                        SW_SHOWNORMAL);
}

bool CPellick::TogglePresentationMode()
{
    const bool running
        = process_windows::FindProcess(pellick_programs::kPresentationSettings, ::GetCurrentProcessId()) != 0;
    return StartProcess(running ? L"presentationsettings /stop" : L"presentationsettings /start",
                        SW_SHOWNORMAL, true);
}

bool CPellick::BringLumaraForward()
{
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t title[512] = {};
            ::GetWindowTextW(window, title, static_cast<int>(std::size(title)));
            if (!Contains(title, kLumaraTitleMaker) || !Contains(title, kLumaraTitleName)) return TRUE;
            *reinterpret_cast<HWND*>(data) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) return false;
    process_windows::BringToFront(found);
    return true;
}

bool CPellick::OpenProgram()
{
    m_program = ReadStoredText(setting_names::kPellickCmd);
    const std::wstring lower = Lower(m_program);
    const bool executable = Contains(lower, L".exe") || Contains(lower, L".com");
    if (executable || Contains(lower, L".cpl")) {
        // A program that runs already comes to the front instead of starting twice.
        const DWORD running = process_windows::FindProcess(process_windows::FileName(m_program));
        if (running != 0) {
            process_windows::BringProcessForward(running);
            return true;
        }
    }
    if (m_program.empty() || !pellick_programs::FileExists(m_program))
        return AssignAndStartManager(pellick::kLaunchProgram);
    HINSTANCE result = nullptr;
    const size_t slash = m_program.find_last_of(L'\\');
    if (!executable || slash == std::wstring::npos) {
        result = ::ShellExecuteW(nullptr, nullptr, m_program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } else {
        const std::wstring folder = m_program.substr(0, slash);
        const std::wstring file = m_program.substr(slash + 1);
        result = ::ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
    }
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool CPellick::OpenWebSite()
{
    m_webAddress = ReadStoredText(setting_names::kPellickAddr);
    if (m_webAddress.empty()) return AssignAndStartManager(pellick::kOpenWebSite);
    const HINSTANCE result
        = ::ShellExecuteW(nullptr, L"open", m_webAddress.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
