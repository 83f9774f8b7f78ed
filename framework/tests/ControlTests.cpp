#include "Button.h"
#include "ComboBox.h"
#include "Dialog.h"
#include "FrameworkTestIds.h"
#include "ListView.h"
#include "Static.h"
#include "TestPump.h"
#include "TrackBar.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(IDD_TEST_CONTROLS)
    {
        OnNotifyId(IDC_TEST_LIST, LVN_ITEMCHANGED, [this](const NMHDR& header) -> LRESULT {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (change.uNewState & LVIS_SELECTED) selectedRows.push_back(change.iItem);
            return 0;
        });
        OnNotifyId(IDC_TEST_LIST, NM_CLICK, [](const NMHDR&) -> LRESULT { return 42; });
        OnScrollId(IDC_TEST_SLIDER, [this](UINT request) {
            scrollRequests.push_back(request);
            sliderAtScroll = slider.Position();
        });
        OnColorId(IDC_TEST_LABEL, [this](HDC dc) {
            ++labelColours;
            labelDc = dc;
            return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        });
    }

    CButton check{*this, IDC_TEST_CHECK};
    CComboBox combo{*this, IDC_TEST_COMBO};
    CListView list{*this, IDC_TEST_LIST};
    CTrackBar slider{*this, IDC_TEST_SLIDER};
    CStatic label{*this, IDC_TEST_LABEL};
    CStatic icon{*this, IDC_TEST_ICON};
    std::unique_ptr<CButton> late;

    bool attachedAtInit = false;
    std::vector<int> selectedRows;
    std::vector<UINT> scrollRequests;
    int sliderAtScroll = -1;
    int labelColours = 0;
    HDC labelDc = nullptr;

    void RebindLabelColour(HBRUSH brush)
    {
        OnColorId(IDC_TEST_LABEL, [brush](HDC) { return brush; });
    }

protected:
    BOOL OnInitDialog() override
    {
        attachedAtInit = check.IsAttached() && combo.IsAttached() && list.IsAttached() && slider.IsAttached();
        return TRUE;
    }
};

class DialogControls : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&init);
    }
    void SetUp() override { ASSERT_TRUE(dialog.CreateModeless(nullptr)); }

    ControlsDialog dialog;
};

TEST_F(DialogControls, WrappersAreAttachedBeforeInitAndDetachedWithTheWindow)
{
    EXPECT_TRUE(dialog.attachedAtInit);
    EXPECT_EQ(dialog.check.GetSafeHwnd(), ::GetDlgItem(dialog.GetSafeHwnd(), IDC_TEST_CHECK));
    // One made while the dialog is open is attached at once.
    dialog.late = std::make_unique<CButton>(dialog, IDOK);
    EXPECT_EQ(dialog.late->GetSafeHwnd(), ::GetDlgItem(dialog.GetSafeHwnd(), IDOK));

    ASSERT_TRUE(dialog.DestroyWindow());
    EXPECT_FALSE(dialog.check.IsAttached());
    EXPECT_FALSE(dialog.late->IsAttached());
    // Detached wrappers do nothing and answer empty values.
    dialog.check.SetCheck(true);
    EXPECT_FALSE(dialog.check.IsChecked());
    EXPECT_EQ(dialog.combo.AddItem(L"ignored"), -1);
    EXPECT_EQ(dialog.combo.Selection(), -1);
    EXPECT_EQ(dialog.list.AddItem(L"ignored"), -1);
    EXPECT_FALSE(dialog.label.SetText(L"ignored"));
    EXPECT_EQ(dialog.label.Text(), L"");
}

TEST_F(DialogControls, WrapperGoneBeforeItsDialogIsForgotten)
{
    dialog.late = std::make_unique<CButton>(dialog, IDOK);
    dialog.late.reset();
    // Closing re-attaches nothing that is gone (a stale wrapper would crash here).
    ASSERT_TRUE(dialog.DestroyWindow());
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_TRUE(dialog.check.IsAttached());
}

TEST_F(DialogControls, CheckBoxChecksAndUnchecks)
{
    EXPECT_FALSE(dialog.check.IsChecked());
    dialog.check.SetCheck(true);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.GetSafeHwnd(), IDC_TEST_CHECK), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(dialog.check.IsChecked());
    dialog.check.SetCheck(false);
    EXPECT_FALSE(dialog.check.IsChecked());
}

TEST_F(DialogControls, ComboBoxKeepsEntriesWithValuesAndOneSelection)
{
    EXPECT_EQ(dialog.combo.AddItem(L"Not assigned", 0), 0);
    EXPECT_EQ(dialog.combo.AddItem(L"Start a program", 14), 1);
    EXPECT_EQ(dialog.combo.AddItem(L"Open a web page", 15), 2);
    EXPECT_EQ(dialog.combo.Count(), 3);
    EXPECT_EQ(dialog.combo.Selection(), -1);
    EXPECT_TRUE(dialog.combo.Select(2));
    EXPECT_EQ(dialog.combo.Selection(), 2);
    EXPECT_EQ(dialog.combo.ItemValue(2), 15);
    EXPECT_EQ(dialog.combo.Text(), L"Open a web page");
    EXPECT_EQ(dialog.combo.FindValue(14), 1);
    EXPECT_EQ(dialog.combo.FindValue(3), -1);
    // Out of range: refused, selection kept; values read as 0.
    EXPECT_FALSE(dialog.combo.Select(3));
    EXPECT_FALSE(dialog.combo.Select(-2));
    EXPECT_EQ(dialog.combo.Selection(), 2);
    EXPECT_EQ(dialog.combo.ItemValue(3), 0);
    EXPECT_EQ(dialog.combo.ItemValue(-1), 0);
    EXPECT_TRUE(dialog.combo.Select(-1));
    EXPECT_EQ(dialog.combo.Selection(), -1);
    dialog.combo.Clear();
    EXPECT_EQ(dialog.combo.Count(), 0);
}

TEST_F(DialogControls, ListViewRowsColumnsAndSelectionNotices)
{
    EXPECT_EQ(dialog.list.AddColumn(L"Network", 120), 0);
    EXPECT_EQ(dialog.list.AddColumn(L"Signal", 60), 1);
    EXPECT_EQ(dialog.list.AddItem(L"Harbour-5G", 7), 0);
    EXPECT_EQ(dialog.list.AddItem(L"Lantern", 9), 1);
    EXPECT_TRUE(dialog.list.SetItemText(1, 1, L"72 %"));
    EXPECT_EQ(dialog.list.ItemText(1, 1), L"72 %");
    EXPECT_EQ(dialog.list.ItemText(0, 0), L"Harbour-5G");
    EXPECT_EQ(dialog.list.ItemValue(1), 9);
    EXPECT_FALSE(dialog.list.SetItemText(2, 0, L"no such row"));
    EXPECT_EQ(dialog.list.ItemText(5, 0), L"");
    EXPECT_EQ(dialog.list.Count(), 2);

    // Selecting sends the list's own change notice, routed by id and code.
    EXPECT_TRUE(dialog.list.Select(1));
    EXPECT_EQ(dialog.list.Selection(), 1);
    EXPECT_EQ(dialog.selectedRows, std::vector<int>{1});
    EXPECT_TRUE(dialog.list.Select(0));
    EXPECT_EQ(dialog.selectedRows, (std::vector<int>{1, 0}));
    EXPECT_TRUE(dialog.list.Select(-1));
    EXPECT_EQ(dialog.list.Selection(), -1);
    EXPECT_FALSE(dialog.list.Select(2));
    dialog.list.Clear();
    EXPECT_EQ(dialog.list.Count(), 0);
}

TEST_F(DialogControls, NoticeResultReachesTheSenderAndUnboundNoticesAreDeclined)
{
    HWND list = dialog.list.GetSafeHwnd();
    NMHDR click{list, IDC_TEST_LIST, NM_CLICK};
    EXPECT_EQ(
        ::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_LIST, reinterpret_cast<LPARAM>(&click)), 42);
    NMHDR other{list, IDC_TEST_LIST, NM_DBLCLK};
    EXPECT_EQ(
        ::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_LIST, reinterpret_cast<LPARAM>(&other)), 0);
    NMHDR elsewhere{list, IDC_TEST_COMBO, NM_CLICK};
    EXPECT_EQ(
        ::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_COMBO, reinterpret_cast<LPARAM>(&elsewhere)),
        0);
    // A malformed notice without its header is ignored.
    EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_LIST, 0), 0);
}

TEST_F(DialogControls, TrackBarRangePositionAndScrollFromTheKeyboard)
{
    dialog.slider.SetRange(0, 10);
    EXPECT_EQ(dialog.slider.Minimum(), 0);
    EXPECT_EQ(dialog.slider.Maximum(), 10);
    dialog.slider.SetPosition(4);
    EXPECT_EQ(dialog.slider.Position(), 4);
    dialog.slider.SetPosition(25); // clamped by the control
    EXPECT_EQ(dialog.slider.Position(), 10);
    dialog.slider.SetPosition(4);
    EXPECT_TRUE(dialog.scrollRequests.empty()); // setting it is not the user's scroll

    ::SendMessageW(dialog.slider.GetSafeHwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_FALSE(dialog.scrollRequests.empty());
    EXPECT_EQ(dialog.scrollRequests.front(), static_cast<UINT>(TB_LINEDOWN));
    EXPECT_EQ(dialog.sliderAtScroll, 5);
}

TEST_F(DialogControls, LabelColourComesFromTheBoundHandler)
{
    HWND label = dialog.label.GetSafeHwnd();
    ::RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_GE(dialog.labelColours, 1); // asked by the label's own painting
    EXPECT_NE(dialog.labelDc, nullptr);

    HDC dc = ::GetDC(label);
    EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(label)),
              reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)));
    // Binding again replaces the handler.
    dialog.RebindLabelColour(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(::SendMessageW(dialog.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(label)),
              reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)));
    // Controls without a handler keep the system's brush (not none, not a bare TRUE).
    LRESULT system = ::SendMessageW(dialog.GetSafeHwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(dialog.check.GetSafeHwnd()));
    EXPECT_NE(system, 0);
    EXPECT_NE(system, TRUE);
    EXPECT_NE(system, reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)));
    ::ReleaseDC(label, dc);
}

TEST_F(DialogControls, LabelTextAndIcon)
{
    EXPECT_EQ(dialog.label.Text(), L"Level");
    EXPECT_TRUE(dialog.label.SetText(L"Level 3 of 8"));
    EXPECT_EQ(dialog.label.Text(), L"Level 3 of 8");
    HICON shown = ::LoadIconW(nullptr, IDI_INFORMATION);
    dialog.icon.SetIcon(shown);
    EXPECT_EQ(dialog.icon.Icon(), shown);
    EXPECT_EQ(dialog.icon.SetIcon(nullptr), shown);
}

} // namespace
