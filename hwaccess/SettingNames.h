#pragma once

// Every registry value name the suite reads or writes, named once. Values of
// the suite live under the settings key (CSettings); the others belong to
// the keys named beside them.
namespace setting_names {

inline constexpr wchar_t kLangId[] = L"LangID";
inline constexpr wchar_t kTavrinControl[] = L"TavrinControl";
inline constexpr wchar_t kTavrinVersion[] = L"TavrinVersion";
// Bit 0: a program of the suite has started before; bits 1 and 2 desktop mode.
inline constexpr wchar_t kFlag[] = L"Flag";
inline constexpr wchar_t kShowTrayIcon[] = L"ShowTrayIcon";
inline constexpr wchar_t kDlgDisablerVol[] = L"DlgDisablerVOL";
inline constexpr wchar_t kDlgDisablerBrg[] = L"DlgDisablerBRG";
inline constexpr wchar_t kDlgDisablerRad[] = L"DlgDisablerRAD";
inline constexpr wchar_t kDlgDisplayNetwispMsg[] = L"DlgDisplayNetwispMsg";
// Where the user left the dialog-style brightness and volume displays.
inline constexpr wchar_t kBrightnessDlgX[] = L"BrightnessDlgX";
inline constexpr wchar_t kBrightnessDlgY[] = L"BrightnessDlgY";
inline constexpr wchar_t kVolumeDlgX[] = L"VolumeDlgX";
inline constexpr wchar_t kVolumeDlgY[] = L"VolumeDlgY";
// Where the user left the light sensor's dialog.
inline constexpr wchar_t kAlsDlgX[] = L"AlsDlgX";
inline constexpr wchar_t kAlsDlgY[] = L"AlsDlgY";
// Which lock keys show a display: bits 0x001 Caps Lock, 0x010 Num Lock, 0x100 Scroll Lock.
inline constexpr wchar_t kShowKbdLock[] = L"ShowKbdLock";
inline constexpr wchar_t kRadioDlgX[] = L"RadioDlgX";
inline constexpr wchar_t kRadioDlgY[] = L"RadioDlgY";
inline constexpr wchar_t kKbdDlgX[] = L"KbdDlgX";
inline constexpr wchar_t kKbdDlgY[] = L"KbdDlgY";

// The launch button's function (0..15), the program and web address of
// functions 14 and 15, and the manager's test button.
inline constexpr wchar_t kPellick[] = L"Pellick";
inline constexpr wchar_t kPellickCmd[] = L"PellickCmd";
inline constexpr wchar_t kPellickAddr[] = L"PellickAddr";
inline constexpr wchar_t kPellickX[] = L"PellickX";

// Set to 1 when the user asked not to be warned again about a battery that
// must be replaced (_Replace) or whose charging is held off (_TF).
inline constexpr wchar_t kDisableBattPopUpPrimaryReplace[] = L"DisableBattPopUp_Primary_Replace";
inline constexpr wchar_t kDisableBattPopUpSecReplace[] = L"DisableBattPopUp_Sec_Replace";
inline constexpr wchar_t kDisableBattPopUpPrimaryTf[] = L"DisableBattPopUp_Primary_TF";
inline constexpr wchar_t kDisableBattPopUpSecTf[] = L"DisableBattPopUp_Sec_TF";

// The installer's feature switches, in the CSettings::kSelectedFeatures sub-key.
inline constexpr wchar_t kBacklitKeyboard[] = L"BacklitKeyboard";
inline constexpr wchar_t kBacklitKeyboardSupport[] = L"BacklitKeyboard_Support";

// Windows Mobility Center's branding and tile order.
inline constexpr wchar_t kMobilityCenterOemImage[] = L"OEMImage";
inline constexpr wchar_t kMobilityCenterOemName[] = L"OEMName";
inline constexpr wchar_t kMobilityCenterTileOrder[] = L"TileOrder";

// A program's folder in its entry below Windows' App Paths key.
inline constexpr wchar_t kAppPathsPath[] = L"Path";

// An installed program's entry below Windows' uninstall key.
inline constexpr wchar_t kUninstallDisplayName[] = L"DisplayName";
inline constexpr wchar_t kUninstallInstallLocation[] = L"InstallLocation";

} // namespace setting_names
