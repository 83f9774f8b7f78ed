#include "BiosEventSink.h"
#include "BiosEventTarget.h"
#include "ComValues.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

struct Dispatched {
    uint16_t code, arg1, arg2, arg3, arg4;
    bool operator==(const Dispatched&) const = default;
};

class RecordingTarget : public IBiosEventTarget {
public:
    void OnBiosEvent(uint16_t code, uint16_t a1, uint16_t a2, uint16_t a3, uint16_t a4) override
    {
        events.push_back({code, a1, a2, a3, a4});
        if (onEvent) onEvent();
    }
    std::vector<Dispatched> events;
    std::function<void()> onEvent;
};

// A WMI object holding named properties; Get of a name it does not hold fails.
class FakeObject : public IWbemClassObject {
public:
    static ComPtr<FakeObject> Make() { return ComPtr<FakeObject>(new FakeObject); }

    void SetString(const std::wstring& name, const wchar_t* text)
    {
        m_props[name] = Variant::FromString(text);
    }
    void SetBytes(const std::wstring& name, const std::vector<uint8_t>& bytes)
    {
        m_props[name] = Variant::FromBytes(bytes);
    }
    void SetObject(const std::wstring& name, IUnknown* object)
    {
        m_props[name] = Variant::FromUnknown(object);
    }
    void SetInt(const std::wstring& name, LONG value) { m_props[name] = Variant::FromInt(value); }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IWbemClassObject) {
            *object = static_cast<IWbemClassObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE*, LONG*) override
    {
        const auto it = m_props.find(name);
        if (it == m_props.end()) return WBEM_E_NOT_FOUND;
        ::VariantInit(value);
        return it->second.CopyTo(value);
    }

    STDMETHODIMP GetQualifierSet(IWbemQualifierSet**) override { return E_NOTIMPL; }
    STDMETHODIMP Put(LPCWSTR, LONG, VARIANT*, CIMTYPE) override { return E_NOTIMPL; }
    STDMETHODIMP Delete(LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY**) override { return E_NOTIMPL; }
    STDMETHODIMP BeginEnumeration(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP Next(LONG, BSTR*, VARIANT*, CIMTYPE*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP EndEnumeration() override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet**) override { return E_NOTIMPL; }
    STDMETHODIMP Clone(IWbemClassObject**) override { return E_NOTIMPL; }
    STDMETHODIMP GetObjectText(LONG, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SpawnDerivedClass(LONG, IWbemClassObject**) override { return E_NOTIMPL; }
    STDMETHODIMP SpawnInstance(LONG, IWbemClassObject**) override { return E_NOTIMPL; }
    STDMETHODIMP CompareTo(LONG, IWbemClassObject*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPropertyOrigin(LPCWSTR, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP InheritsFrom(LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetMethod(LPCWSTR, LONG, IWbemClassObject**, IWbemClassObject**) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override { return E_NOTIMPL; }
    STDMETHODIMP DeleteMethod(LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP BeginMethodEnumeration(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP NextMethod(LONG, BSTR*, IWbemClassObject**, IWbemClassObject**) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP EndMethodEnumeration() override { return E_NOTIMPL; }
    STDMETHODIMP GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMethodOrigin(LPCWSTR, BSTR*) override { return E_NOTIMPL; }

private:
    FakeObject() = default;
    virtual ~FakeObject() = default;
    ULONG m_refs = 1;
    std::map<std::wstring, Variant> m_props;
};

const std::vector<uint8_t> kBrightnessList
    = {8, 0, 15, 0, 0x05, 0xE0, 5, 0, 0x08, 0xE0, 1, 0, 2, 0, 3, 0, 4, 0};
const std::vector<Dispatched> kBrightnessListEvents = {{0xE005, 5, 0, 0, 0}, {0xE008, 1, 2, 3, 4}};

ComPtr<FakeObject> EventWithBytes(const std::vector<uint8_t>& bytes, const wchar_t* className = L"BIOSEvent")
{
    auto event = FakeObject::Make();
    event->SetString(L"__Class", className);
    event->SetString(L"InstanceName", L"ACPI\\PNP0C14\\0_0");
    event->SetBytes(L"Data", bytes);
    return event;
}

ComPtr<FakeObject> EventWithEmbeddedBytes(const std::vector<uint8_t>& bytes)
{
    auto embedded = FakeObject::Make();
    embedded->SetBytes(L"Bytes", bytes);
    auto event = FakeObject::Make();
    event->SetString(L"__Class", L"BIOSEvent");
    event->SetObject(L"Data", embedded.Get());
    return event;
}

class BiosEventSinkTest : public ::testing::Test {
protected:
    HRESULT Indicate(std::vector<ComPtr<FakeObject>> objects)
    {
        std::vector<IWbemClassObject*> raw;
        for (auto& o : objects) raw.push_back(o.Get());
        return sink->Indicate(static_cast<LONG>(raw.size()), raw.data());
    }

    RecordingTarget target;
    ComPtr<CBiosEventSink> sink{new CBiosEventSink(&target)};
};

TEST_F(BiosEventSinkTest, DeliversByteArrayAndEmbeddedObjectData)
{
    EXPECT_EQ(Indicate({EventWithBytes(kBrightnessList)}), WBEM_S_NO_ERROR);
    EXPECT_EQ(target.events, kBrightnessListEvents);

    target.events.clear();
    EXPECT_EQ(Indicate({EventWithEmbeddedBytes(kBrightnessList)}), WBEM_S_NO_ERROR);
    EXPECT_EQ(target.events, kBrightnessListEvents);
}

TEST_F(BiosEventSinkTest, SkipsObjectsOfAnotherClassWithoutFailing)
{
    EXPECT_EQ(Indicate({EventWithBytes(kBrightnessList, L"WmiMonitorBrightnessEvent"),
                        EventWithBytes(kBrightnessList, L"biosevent")}),
              WBEM_S_NO_ERROR);
    auto classless = FakeObject::Make();
    classless->SetBytes(L"Data", kBrightnessList);
    EXPECT_EQ(Indicate({classless}), WBEM_S_NO_ERROR);
    EXPECT_TRUE(target.events.empty());
}

TEST_F(BiosEventSinkTest, UnreadableDataFailsThatObjectOnly)
{
    auto wrongType = FakeObject::Make();
    wrongType->SetString(L"__Class", L"BIOSEvent");
    wrongType->SetInt(L"Data", 0xE025);

    auto noData = FakeObject::Make();
    noData->SetString(L"__Class", L"BIOSEvent");

    auto embeddedWithoutBytes = FakeObject::Make();
    embeddedWithoutBytes->SetString(L"__Class", L"BIOSEvent");
    embeddedWithoutBytes->SetObject(L"Data", FakeObject::Make().Get());

    auto nullEmbedded = FakeObject::Make();
    nullEmbedded->SetString(L"__Class", L"BIOSEvent");
    nullEmbedded->SetObject(L"Data", nullptr);

    for (const auto& bad : {wrongType, noData, embeddedWithoutBytes, nullEmbedded}) {
        target.events.clear();
        EXPECT_EQ(Indicate({bad, EventWithBytes(kBrightnessList)}), WBEM_E_FAILED);
        EXPECT_EQ(target.events, kBrightnessListEvents);
    }
}

TEST_F(BiosEventSinkTest, BadArgumentsAreRefusedSafely)
{
    IWbemClassObject* none[] = {nullptr};
    EXPECT_EQ(sink->Indicate(1, none), WBEM_E_FAILED);
    EXPECT_EQ(sink->Indicate(3, nullptr), WBEM_E_INVALID_PARAMETER);
    EXPECT_EQ(sink->Indicate(0, nullptr), WBEM_S_NO_ERROR);
    EXPECT_EQ(sink->Indicate(-1, nullptr), WBEM_S_NO_ERROR);
    EXPECT_EQ(Indicate({EventWithBytes({}), EventWithBytes({8, 0, 15})}), WBEM_S_NO_ERROR);
    EXPECT_TRUE(target.events.empty());
}

TEST_F(BiosEventSinkTest, ArraysLongerThanTheRecordAreReadUpToIt)
{
    std::vector<uint8_t> bytes(4096, 0xAB);
    const std::vector<uint8_t> head = {3, 0, 0, 0, 0x13, 0xE0, 2, 0};
    std::copy(head.begin(), head.end(), bytes.begin());
    EXPECT_EQ(Indicate({EventWithBytes(bytes)}), WBEM_S_NO_ERROR);
    EXPECT_EQ(target.events, (std::vector<Dispatched>{{0xE013, 2, 0, 0, 0}}));
}

TEST_F(BiosEventSinkTest, AFailingTargetDoesNotThrowIntoWmi)
{
    target.onEvent = [] { throw std::runtime_error("display failed"); };
    EXPECT_EQ(Indicate({EventWithBytes(kBrightnessList)}), WBEM_E_FAILED);
    EXPECT_EQ(target.events.size(), 1u);
}

TEST_F(BiosEventSinkTest, NestedDeliveryOnTheSameThreadProceeds)
{
    bool nested = false;
    target.onEvent = [&] {
        if (nested) return;
        nested = true;
        EXPECT_EQ(Indicate({EventWithBytes({3, 0, 0, 0, 0x25, 0xE0, 0, 0})}), WBEM_S_NO_ERROR);
    };
    EXPECT_EQ(Indicate({EventWithBytes(kBrightnessList)}), WBEM_S_NO_ERROR);
    EXPECT_EQ(target.events,
              (std::vector<Dispatched>{{0xE005, 5, 0, 0, 0}, {0xE025, 0, 0, 0, 0}, {0xE008, 1, 2, 3, 4}}));
}

TEST_F(BiosEventSinkTest, DetachedSinkDropsEventsAndDetachingMidEventStopsTheRest)
{
    target.onEvent = [&] { sink->Detach(); };
    EXPECT_EQ(Indicate({EventWithBytes(kBrightnessList)}), WBEM_S_NO_ERROR);
    EXPECT_EQ(target.events.size(), 1u);
    EXPECT_EQ(Indicate({EventWithBytes(kBrightnessList)}), WBEM_S_NO_ERROR);
    EXPECT_EQ(target.events.size(), 1u);
}

TEST_F(BiosEventSinkTest, AnswersOnlyItsInterfacesAndCountsReferences)
{
    void* raw = reinterpret_cast<void*>(1);
    EXPECT_EQ(sink->QueryInterface(IID_IWbemServices, &raw), E_NOINTERFACE);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(sink->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    ComPtr<IWbemObjectSink> asSink;
    ASSERT_EQ(sink.As(&asSink), S_OK);
    EXPECT_EQ(asSink.Get(), static_cast<IWbemObjectSink*>(sink.Get()));
    ComPtr<IUnknown> asUnknown;
    ASSERT_EQ(sink.As(&asUnknown), S_OK);
    // Ours, the two above, and this call's own.
    EXPECT_EQ(sink->AddRef(), 4u);
    EXPECT_EQ(sink->Release(), 3u);
    EXPECT_EQ(sink->SetStatus(WBEM_STATUS_COMPLETE, E_FAIL, nullptr, nullptr), WBEM_S_NO_ERROR);
}

} // namespace
