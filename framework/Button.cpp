#include "Button.h"

void CButton::SetCheck(bool checked)
{
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool CButton::IsChecked() const
{
    return Send(BM_GETCHECK) == BST_CHECKED;
}
