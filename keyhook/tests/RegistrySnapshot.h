#pragma once
#include "UniqueHandle.h"

#include <map>
#include <string>
#include <vector>

// A registry tree kept in memory, so that a test can put back exactly what
// it found (64-bit view).
class RegistrySnapshot {
public:
    // Records the tree at path; a missing key is recorded as missing.
    RegistrySnapshot(HKEY hive, std::wstring path);
    // Deletes whatever is at path now and rebuilds the recorded tree.
    void Restore() const;

private:
    struct Value {
        DWORD type;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::map<std::wstring, Value> values;
        std::map<std::wstring, Tree> keys;
    };
    static Tree Read(HKEY key);
    static void Write(HKEY key, const Tree& tree);

    HKEY m_hive;
    std::wstring m_path;
    bool m_existed = false;
    Tree m_tree;
};
