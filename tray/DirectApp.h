#pragma once
#include "App.h"
#include "CompanionApp.h"

// The tray program's application object: refuses to start without the
// machine's identity, then creates the hidden main window.
class CDirectApp : public CApp {
public:
    CDirectApp();
    ~CDirectApp() override;

    // The language chosen when the program started.
    LANGID StartLanguage() const { return m_language; }

protected:
    bool InitInstance() override;
    int ExitInstance(int exitCode) override;

private:
    CCompanionApp m_companion;
    LANGID m_language = 0;
};
