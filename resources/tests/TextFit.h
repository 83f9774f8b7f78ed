#pragma once
#include "UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

// Whether texts fit the controls of a dialog as Windows draws them: each
// control measured with the dialog's own font by DrawText.
namespace text_fit {

// A control by its place among the dialog's controls (several may share the
// id -1), with its id and a text for it.
struct ControlText {
    int index;
    WORD control;
    std::wstring text;
};

// One line per text that does not fit: control, text, needed and given size.
// A template that cannot be created as a dialog is one line too.
std::vector<std::string> DialogMisfits(HMODULE module, WORD dialog, const std::vector<ControlText>& texts);
// Every control of the dialog with its text as the template has it.
std::vector<ControlText> TemplateTexts(HMODULE module, WORD dialog);
// The dialog templates a module holds.
std::vector<WORD> Dialogs(HMODULE module);
// Width in pixels of a menu entry's text in the system's menu font.
int MenuTextWidth(const std::wstring& text);

// English, every translation and, when built with it, the pseudo-language.
std::vector<LANGID> Languages(bool withPseudoLanguage);
// A program of the test's own folder, loaded for its resources only.
UniqueModule LoadProgramImage(const wchar_t* name);

} // namespace text_fit
