#include "ProgramFolder.h"
#include "ModuleFolder.h"

std::wstring ProgramFolder()
{
    return ModuleFolder(nullptr, L"C:\\Program Files\\Corvane\\Tavrin\\");
}
