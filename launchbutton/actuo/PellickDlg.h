#pragma once
#include "ActuoIds.h"
#include "ComboBox.h"
#include "Dialog.h"
#include "HeaderPicture.h"
#include "Pellick.h"
#include "UniqueHandle.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The manager's dialog: the function for the launch button and, for two of
// them, the program or web address.
class CPellickDlg : public CDialog {
public:
    CPellickDlg(IBiosCalls& bios, uint16_t systemId);

    // The address as it is stored: blanks trimmed, and the web scheme put in
    // front of one that names none.
    static std::wstring StoredWebAddress(const std::wstring& typed);
    // Models that show the other picture and icon.
    static bool HasAlternativePicture(uint16_t systemId);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    INT_PTR DialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Refresh();
    void OnSelectionChange();
    void OnBrowse();
    void OnRun();
    void BringToFront();
    void Show(UINT id, bool shown);
    void Paint();
    RECT ClientRectOf(UINT id) const;

    CPellick m_pellick;
    bool m_alternativePicture;
    UniqueIcon m_bigIcon;
    UniqueIcon m_smallIcon;
    std::unique_ptr<CHeaderPicture> m_header;
    std::vector<uint32_t> m_indexToFunction;
    uint32_t m_function = pellick::kNotAssigned;
    std::wstring m_program;
    std::wstring m_webAddress;
    CComboBox m_functions{*this, IDC_FUNCTIONS};
    UINT m_bringToFront;
};
