#pragma once
#include <functional>
#include <vector>

#include "BiosCalls.h"

// A BIOS double: records every request and answers through a script that
// may change the record and decides whether the call "completed".
class RecordingBios : public IBiosCalls {
public:
    using Script = std::function<bool(BiosCallBuffer&)>;

    using IBiosCalls::PerformSmi;
    bool PerformSmi(BiosCallBuffer& buffer, int extraBytes) override
    {
        requests.push_back(buffer);
        extras.push_back(extraBytes);
        buffer.cbRes1 = kBiosNoAnswer;
        return script ? script(buffer) : false;
    }

    Script script;
    std::vector<BiosCallBuffer> requests;
    std::vector<int> extras;
};
