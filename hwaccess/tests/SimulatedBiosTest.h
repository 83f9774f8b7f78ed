#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "AcpiWmi.h"
#include "SimulatedNotebook.h"

// A test of this process's BIOS interface on the shared simulated notebook.
// The default notebook is loaded back afterwards.
class SimulatedBiosTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        bios.reset();
        notebook.Load(L"corvane-default");
    }

    // Loads the machine, applies the simctl commands, then builds this
    // process's BIOS interface on it; the call log starts empty afterwards.
    void Start(const wchar_t* profile, std::initializer_list<const wchar_t*> commands = {})
    {
        bios.reset();
        ASSERT_TRUE(notebook.Load(profile));
        for (const wchar_t* command : commands) ASSERT_TRUE(notebook.Simctl(command)) << command;
        bios = std::make_unique<CAcpiWmi>();
        ASSERT_TRUE(notebook.ClearCalls());
    }

    SimulatedNotebook notebook;
    std::unique_ptr<CAcpiWmi> bios;
};
