#include <gtest/gtest.h>

#include <thread>

#include "CallLog.h"
#include "PlatformSeams.h"
#include "SimTestSupport.h"
#include "SmbiosBuilder.h"
#include "TestMachine.h"

namespace {

using simtest::ComPtr;
using simtest::ExecDoBFn;
using simtest::Record;
using simtest::Request;

class Wmi : public simtest::SimulatedMachineTest {
protected:
    HRESULT Exec(const std::vector<uint8_t>& request, std::vector<uint8_t>& answer)
    {
        return ExecDoBFn(services.Get(), request, answer);
    }
    BiosCallBuffer Call(uint16_t cbClass, uint16_t cbSelect, uint32_t arg1 = 0)
    {
        std::vector<uint8_t> answer;
        EXPECT_EQ(Exec(Request(cbClass, cbSelect, arg1, 0, 0, 0, 128), answer), S_OK);
        return Record(answer);
    }
    std::vector<sim::SimCall> Calls()
    {
        sim::CMachineState::Lock machine(state);
        return sim::LoggedCalls(*machine);
    }
    ComPtr<IWbemClassObject> Object(const wchar_t* path)
    {
        ComPtr<IWbemClassObject> object;
        services->GetObject(Bstr(path).get(), 0, nullptr, &object, nullptr);
        return object;
    }
    // The first MSSmBios_RawSMBiosTables instance, as the product reads it.
    ComPtr<IWbemClassObject> SmbiosTable(ComPtr<IEnumWbemClassObject>& enumerator)
    {
        ComPtr<IWbemClassObject> table;
        ULONG returned = 0;
        if (services->CreateInstanceEnum(Bstr(L"MSSmBios_RawSMBiosTables").get(), WBEM_FLAG_SHALLOW, nullptr,
                                         &enumerator)
                != S_OK
            || enumerator->Next(10000, 1, &table, &returned) != WBEM_S_NO_ERROR || returned != 1) {
            return nullptr;
        }
        return table;
    }
};

TEST_F(Wmi, ProxyBlanketIsAcceptedOnTheConnection)
{
    EXPECT_EQ(::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                  RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE),
              S_OK);
}

TEST_F(Wmi, QueryInstanceReportsTheDataBufferSize)
{
    ComPtr<IWbemClassObject> query = Object(L"WMI_Query.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"");
    ASSERT_TRUE(query);
    Variant qdata;
    ASSERT_EQ(query->Get(L"QDATA", 0, qdata.put(), nullptr, nullptr), S_OK);
    ASSERT_EQ(qdata.type(), VT_UNKNOWN);
    ComPtr<IWbemClassObject> embedded;
    ASSERT_EQ((*qdata).punkVal->QueryInterface(IID_PPV_ARGS(&embedded)), S_OK);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(simtest::GetBytes(embedded.Get(), L"Bytes", bytes));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 128);
}

TEST_F(Wmi, CallClassesHaveTheirMethodAndProperties)
{
    ComPtr<IWbemClassObject> call = Object(L"BFn");
    ASSERT_TRUE(call);
    ComPtr<IWbemClassObject> in, out;
    ASSERT_EQ(call->GetMethod(L"DoBFn", 0, &in, &out), S_OK);
    ASSERT_TRUE(in && out);
    EXPECT_EQ(call->GetMethod(L"Other", 0, &in, &out), WBEM_E_NOT_FOUND);

    ComPtr<IWbemClassObject> data;
    ASSERT_EQ(Object(L"BDat")->SpawnInstance(0, &data), S_OK);
    Variant value = Variant::FromInt(1);
    EXPECT_EQ(data->Put(L"Bytes", 0, value.get(), 0), WBEM_E_TYPE_MISMATCH);
    EXPECT_EQ(data->Put(L"Other", 0, value.get(), 0), WBEM_E_NOT_FOUND);
    Variant name;
    ASSERT_EQ(data->Get(L"__CLASS", 0, name.put(), nullptr, nullptr), S_OK);
    ASSERT_EQ(name.type(), VT_BSTR);
    EXPECT_STREQ((*name).bstrVal, L"BDat");
    EXPECT_FALSE(Object(L"NoSuchFirmwareClass"));
}

TEST_F(Wmi, DoBFnIsAnsweredByTheFirmwareModel)
{
    std::vector<uint8_t> answer;
    ASSERT_EQ(Exec(Request(0, 2, 0x0320, 0, 0, 0, 128), answer), S_OK);
    ASSERT_EQ(answer.size(), 128u);
    BiosCallBuffer record = Record(answer);
    EXPECT_EQ(record.cbRes1, 0);
    EXPECT_EQ(record.cbRes2, 7u);
    EXPECT_EQ(record.cbRes4, 15u);

    std::vector<sim::SimCall> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args[0], 0x0320u);
    EXPECT_EQ(calls[0].requestLength, 128u);
    EXPECT_TRUE(calls[0].tailZero);
}

TEST_F(Wmi, StoredRequestIsACopyOfTheDataObject)
{
    // The in-parameters keep the BDat as it was when it was stored.
    ComPtr<IWbemClassObject> dataClass = Object(L"BDat"), data, in, inSignature;
    ASSERT_EQ(dataClass->SpawnInstance(0, &data), S_OK);
    ASSERT_EQ(Object(L"BFn")->GetMethod(L"DoBFn", 0, &inSignature, nullptr), S_OK);
    ASSERT_EQ(inSignature->SpawnInstance(0, &in), S_OK);
    Variant object = Variant::FromUnknown(data.Get());
    ASSERT_EQ(in->Put(L"Data", 0, object.get(), 0), S_OK); // Bytes still null
    Variant bytes = Variant::FromBytes(std::vector<uint8_t>(44));
    ASSERT_EQ(data->Put(L"Bytes", 0, bytes.get(), 0), S_OK);
    ComPtr<IWbemClassObject> out;
    const Bstr method(L"DoBFn");
    EXPECT_EQ(services->ExecMethod(Bstr(L"BFn.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\"").get(), method.get(),
                                   0, nullptr, in.Get(), &out, nullptr),
              WBEM_E_INVALID_METHOD_PARAMETERS);
    EXPECT_EQ(services->ExecMethod(Bstr(L"BFn").get(), method.get(), 0, nullptr, in.Get(), &out, nullptr),
              WBEM_E_INVALID_OBJECT_PATH);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Wmi, RawSmbiosTableEnumeratesLikeWindows)
{
    ComPtr<IEnumWbemClassObject> enumerator;
    ComPtr<IWbemClassObject> table = SmbiosTable(enumerator);
    ASSERT_TRUE(table);

    Variant size;
    ASSERT_EQ(table->Get(L"Size", 0, size.put(), nullptr, nullptr), S_OK);
    ASSERT_EQ(size.type(), VT_I4);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(simtest::GetBytes(table.Get(), L"SMBiosData", bytes));
    EXPECT_EQ(static_cast<size_t>((*size).lVal), bytes.size());
    sim::CMachineState::Lock machine(state);
    EXPECT_EQ(bytes, sim::BuildSmbiosTable(machine->smbios));

    ComPtr<IWbemClassObject> none;
    ULONG returned = 1;
    EXPECT_EQ(enumerator->Next(10000, 1, &none, &returned), WBEM_S_FALSE);
    EXPECT_EQ(returned, 0u);
}

TEST_F(Wmi, ConnectionFromTheGlobalInterfaceTableWorksOnAnotherThread)
{
    ComPtr<IGlobalInterfaceTable> git;
    ASSERT_EQ(
        ::CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&git)),
        S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(git->RegisterInterfaceInGlobal(services.Get(), IID_IWbemServices, &cookie), S_OK);
    IWbemServices* fetched = nullptr;
    HRESULT callResult = E_FAIL;
    int32_t res2 = -1;
    std::thread worker([&] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(git->GetInterfaceFromGlobal(cookie, IID_PPV_ARGS(&fetched)))) {
            std::vector<uint8_t> answer;
            callResult = ExecDoBFn(fetched, Request(0x11, 0x0B, 0, 0, 0, 0, 128), answer);
            res2 = static_cast<int32_t>(Record(answer).cbRes2);
            fetched->Release();
        }
        ::CoUninitialize();
    });
    worker.join();
    git->RevokeInterfaceFromGlobal(cookie);
    EXPECT_EQ(fetched, services.Get()); // the same object, not a proxy
    EXPECT_EQ(callResult, S_OK);
    EXPECT_EQ(res2, 0x0001070F); // the default notebook's radio status
}

TEST_F(Wmi, OtherNamespacesAreWindowsOwn)
{
    ComPtr<IWbemLocator> locator;
    ASSERT_EQ(seams::CreateWbemLocator(&locator), S_OK);
    ComPtr<IWbemServices> cimv2;
    ASSERT_EQ(locator->ConnectServer(Bstr(L"root\\cimv2").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                     nullptr, &cimv2),
              S_OK);
    ComPtr<IWbemClassObject> call;
    EXPECT_TRUE(FAILED(cimv2->GetObject(Bstr(L"BFn").get(), 0, nullptr, &call, nullptr)));
}

TEST_F(Wmi, MachineWithoutAcpiWmiHasNoFirmwareClasses)
{
    Load(L"no-acpiwmi");
    EXPECT_FALSE(Object(L"BFn"));
    EXPECT_FALSE(Object(L"BDat"));
    EXPECT_FALSE(Object(L"WMI_Query.InstanceName=\"ACPI\\\\PNP0C14\\\\0_0\""));
    ComPtr<IEnumWbemClassObject> enumerator;
    EXPECT_TRUE(SmbiosTable(enumerator));
}

TEST_F(Wmi, UnreadableSmbiosDataFailsItsGet)
{
    Load(L"smbios-fails");
    ComPtr<IEnumWbemClassObject> enumerator;
    ComPtr<IWbemClassObject> table = SmbiosTable(enumerator);
    ASSERT_TRUE(table);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(simtest::GetBytes(table.Get(), L"SMBiosData", bytes));
    Variant size;
    EXPECT_EQ(table->Get(L"Size", 0, size.put(), nullptr, nullptr), S_OK);
}

TEST_F(Wmi, PowerStatusSeamReadsTheMachine)
{
    SYSTEM_POWER_STATUS status{};
    ASSERT_TRUE(seams::GetPowerStatus(&status));
    EXPECT_EQ(status.ACLineStatus, 1);
    EXPECT_EQ(status.BatteryLifePercent, 87);
    {
        sim::CMachineState::Lock machine(state);
        machine->power.acOnline = 0;
    }
    ASSERT_TRUE(seams::GetPowerStatus(&status));
    EXPECT_EQ(status.ACLineStatus, 0);
}

} // namespace
