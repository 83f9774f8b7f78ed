#pragma once
#include "PropertyPage.h"

// What the sheet asks of its status page, classic or K7: read the batteries
// again, and show what was read (when the page's window exists).
class CMeterStatusPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

    virtual void RefreshBatteries() = 0;
    virtual void ShowBatteries() = 0;
};
