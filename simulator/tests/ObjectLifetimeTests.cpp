// Every simulated WMI object goes away with its last reference: the firmware
// path makes several per event and per BIOS call, so one reference too many
// grows the subscriber's memory with every event.
#include <gtest/gtest.h>

#include "ComValues.h"
#include "EventQueue.h"
#include "FirmwareClasses.h"
#include "InstanceEnum.h"
#include "Locator.h"
#include "Services.h"

using Microsoft::WRL::ComPtr;

namespace {

namespace fc = sim::firmware_classes;

// Gives up the pointer's reference; the count left is what the object reports.
template <typename T>
ULONG LastRelease(ComPtr<T>& object)
{
    return object.Reset();
}

// The embedded object held in `property`, with a reference of the caller's.
ComPtr<IWbemClassObject> Embedded(IWbemClassObject* holder, const wchar_t* property)
{
    Variant value;
    ComPtr<IWbemClassObject> embedded;
    if (SUCCEEDED(holder->Get(property, 0, value.put(), nullptr, nullptr)) && value.type() == VT_UNKNOWN) {
        (*value).punkVal->QueryInterface(IID_PPV_ARGS(&embedded));
    }
    return embedded;
}

TEST(ObjectLifetime, AnEventAndItsDataGoWithTheirLastReference)
{
    fc::Object event = fc::Event(sim::EventFromWords({3, 0, 0xE006, 5}, 128));
    ASSERT_TRUE(event);
    ComPtr<IWbemClassObject> data = Embedded(event.Get(), L"Data");
    ASSERT_TRUE(data);
    EXPECT_EQ(LastRelease(event), 0u);
    // The event held the data; now only this test does.
    EXPECT_EQ(LastRelease(data), 0u);
}

TEST(ObjectLifetime, ClassesInstancesAndCopiesGoWithTheirLastReference)
{
    fc::Object callClass = fc::CallClass();
    ASSERT_TRUE(callClass);
    ComPtr<IWbemClassObject> in, out, instance, copy;
    ASSERT_EQ(callClass->GetMethod(L"DoBFn", 0, &in, &out), WBEM_S_NO_ERROR);
    ASSERT_EQ(callClass->SpawnInstance(0, &instance), WBEM_S_NO_ERROR);
    ASSERT_EQ(instance->Clone(&copy), WBEM_S_NO_ERROR);
    EXPECT_EQ(LastRelease(copy), 0u);
    EXPECT_EQ(LastRelease(instance), 0u);
    EXPECT_EQ(LastRelease(callClass), 0u);
    EXPECT_EQ(LastRelease(in), 0u);
    EXPECT_EQ(LastRelease(out), 0u);

    fc::Object answer = fc::CallOutParameters(std::vector<uint8_t>(44, 7));
    ASSERT_TRUE(answer);
    EXPECT_EQ(LastRelease(answer), 0u);
    fc::Object query = fc::QueryInstance(128);
    ASSERT_TRUE(query);
    EXPECT_EQ(LastRelease(query), 0u);
}

TEST(ObjectLifetime, EnumeratorsLocatorsAndConnectionsGoWithTheirLastReference)
{
    fc::Object smbios = fc::SmbiosInstance({0x7F, 4, 0, 0, 0, 0}, false);
    ComPtr<sim::CInstanceEnum> instances = sim::CInstanceEnum::Create({smbios});
    ASSERT_TRUE(instances);
    ComPtr<IEnumWbemClassObject> clone;
    ASSERT_EQ(instances->Clone(&clone), WBEM_S_NO_ERROR);
    EXPECT_EQ(LastRelease(clone), 0u);
    EXPECT_EQ(LastRelease(instances), 0u);
    EXPECT_EQ(LastRelease(smbios), 0u);

    ComPtr<sim::CLocator> locator = sim::CLocator::Create();
    ASSERT_TRUE(locator);
    EXPECT_EQ(LastRelease(locator), 0u);
    ComPtr<sim::CServices> services = sim::CServices::Create();
    ASSERT_TRUE(services);
    EXPECT_EQ(LastRelease(services), 0u);
}

} // namespace
