#pragma once
#include "OsdDialog.h"
#include "OsdHider.h"

// A display dialog as the other displays see it.
class COsdWindow : public IOsdWindow {
public:
    explicit COsdWindow(COsdDialog& dialog) : m_dialog(dialog) {}

    bool HasWindow() const override { return m_dialog.HasWindow(); }
    void CloseWindow() override { m_dialog.Close(); }
    void HideWindow() override { m_dialog.Show(false); }

private:
    COsdDialog& m_dialog;
};
