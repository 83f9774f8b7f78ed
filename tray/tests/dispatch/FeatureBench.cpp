#include "FeatureBench.h"

#include "MessageCatalogue.h"

#include <algorithm>

CTrayDispatcher& FeatureBench::Dispatcher()
{
    if (!m_dispatcher) m_dispatcher = std::make_unique<CTrayDispatcher>(m_trace, *this, systemId);
    return *m_dispatcher;
}

const TrayContext& FeatureBench::Context()
{
    if (!m_context) {
        m_context.reset(new TrayContext{Dispatcher(), *this, m_tokens, systemId,
                                        [this](int bit) {
                                            return std::find(hardwareFeatures.begin(), hardwareFeatures.end(),
                                                             bit)
                                                   != hardwareFeatures.end();
                                        },
                                        capabilities, osdStyle, *this, *this, m_forwarder,
                                        [this](const wchar_t* program, const wchar_t* arguments) {
                                            started.push_back(std::wstring(program) + L" " + arguments);
                                            return startsSucceed;
                                        }});
    }
    return *m_context;
}

std::string FeatureBench::Entries()
{
    std::string joined;
    for (const std::string& line : m_lines) {
        if (line.rfind("entry ", 0) != 0) continue;
        joined += (joined.empty() ? "" : ";") + line.substr(6);
    }
    m_lines.clear();
    return joined;
}

std::string FeatureBench::Key(uint16_t code)
{
    Entries();
    Dispatcher().DispatchKey(code);
    return Entries();
}

std::string FeatureBench::Bios(uint16_t code, uint16_t a1, uint16_t a2, uint16_t a3, uint16_t a4)
{
    Entries();
    Dispatcher().OnBiosEvent(code, a1, a2, a3, a4);
    return Entries();
}

std::string FeatureBench::Message(UINT message, WPARAM wp, LPARAM lp)
{
    Entries();
    Dispatcher().DispatchMessage(message, wp, lp);
    return Entries();
}

std::string FeatureBench::Registered(const wchar_t* name, WPARAM wp, LPARAM lp)
{
    return Message(messages::Register(name), wp, lp);
}

std::string FeatureBench::Power(WPARAM event, LPARAM data)
{
    return Message(WM_POWERBROADCAST, event, data);
}

std::string FeatureBench::Timer(UINT_PTR id)
{
    Entries();
    Dispatcher().DispatchTimer(id);
    return Entries();
}

std::string FeatureBench::Command(UINT id)
{
    Entries();
    Dispatcher().DispatchCommand(id);
    return Entries();
}

void FeatureBench::StartTimer(UINT_PTR id, UINT ms)
{
    timerCalls.push_back("set " + std::to_string(id) + " " + std::to_string(ms));
}

void FeatureBench::StopTimer(UINT_PTR id)
{
    timerCalls.push_back("kill " + std::to_string(id));
}

bool FeatureBench::PerformSmi(BiosCallBuffer& buffer, int)
{
    biosCalls.push_back(buffer);
    buffer.cbRes1 = 0;
    if (firmware) firmware(buffer);
    return true;
}

bool QuietAlertBoxes::Show(AlertBox box, const std::wstring& text)
{
    CriticalSectionLock lock(m_lock);
    m_shown.emplace_back(box, text);
    ::SetEvent(m_asked.get());
    return !onScreen || box == AlertBox::Dock || box == AlertBox::Numbered;
}

std::vector<QuietAlertBoxes::Shown> QuietAlertBoxes::TakeShown()
{
    CriticalSectionLock lock(m_lock);
    std::vector<Shown> shown;
    shown.swap(m_shown);
    return shown;
}

bool QuietAlertBoxes::WaitShown(DWORD timeoutMs)
{
    return ::WaitForSingleObject(m_asked.get(), timeoutMs) == WAIT_OBJECT_0;
}
