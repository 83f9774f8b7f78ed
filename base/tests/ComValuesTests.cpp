// The COM value wrappers: ownership, copies and the byte-array access that
// every WMI reader relies on.
#include "ComValues.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A COM object that only counts its references.
class CountedObject : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_refs; }
    ULONG Refs() const { return m_refs; }

private:
    ULONG m_refs = 1;
};

std::vector<uint8_t> BytesOf(const Variant& value)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(CopyBytes(*value, bytes));
    return bytes;
}

TEST(BstrTest, HoldsACopyAndHandsItOverOnMove)
{
    wchar_t text[] = L"root\\wmi";
    Bstr first(text);
    text[0] = L'X';
    EXPECT_STREQ(first.get(), L"root\\wmi");
    EXPECT_EQ(::SysStringLen(first.get()), 8u);
    Bstr second(std::move(first));
    EXPECT_EQ(first.get(), nullptr);
    EXPECT_STREQ(second.get(), L"root\\wmi");
    EXPECT_EQ(Bstr(nullptr).get(), nullptr);
}

TEST(VariantTest, FactoriesMakeTheTypesWmiExpects)
{
    EXPECT_EQ(Variant::FromInt(-7).type(), VT_I4);
    EXPECT_EQ((*Variant::FromInt(-7)).lVal, -7);
    EXPECT_EQ((*Variant::FromBool(true)).boolVal, VARIANT_TRUE);
    EXPECT_EQ((*Variant::FromBool(false)).boolVal, VARIANT_FALSE);
    const Variant text = Variant::FromString(L"BIOSEvent");
    ASSERT_EQ(text.type(), VT_BSTR);
    EXPECT_STREQ((*text).bstrVal, L"BIOSEvent");
    EXPECT_EQ(Variant::FromString(nullptr).type(), VT_EMPTY);
    EXPECT_EQ(Variant::FromUnknown(nullptr).type(), VT_EMPTY);
}

TEST(VariantTest, CopiesAreDeepAndMovesLeaveTheSourceEmpty)
{
    Variant original = Variant::FromBytes({1, 2, 3});
    Variant copy = original;
    {
        SafeArrayBytes access((*copy).parray);
        ASSERT_TRUE(access.ok());
        access.data()[0] = 9;
    }
    EXPECT_EQ(BytesOf(original), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(BytesOf(copy), (std::vector<uint8_t>{9, 2, 3}));

    Variant moved(std::move(copy));
    EXPECT_EQ(copy.type(), VT_EMPTY);
    EXPECT_EQ(BytesOf(moved), (std::vector<uint8_t>{9, 2, 3}));
    original = std::move(moved);
    EXPECT_EQ(BytesOf(original), (std::vector<uint8_t>{9, 2, 3}));
}

TEST(VariantTest, HoldsOneReferenceToAnObjectAndGivesItBack)
{
    CountedObject object;
    {
        const Variant held = Variant::FromUnknown(&object);
        EXPECT_EQ(object.Refs(), 2u);
        const Variant copy = held;
        EXPECT_EQ(object.Refs(), 3u);
    }
    EXPECT_EQ(object.Refs(), 1u);
    Variant slot = Variant::FromUnknown(&object);
    slot.put();
    EXPECT_EQ(object.Refs(), 1u) << "put() clears what was held before lending the slot";
}

TEST(CopyBytesTest, ReadsAtMostWhatIsAskedAndNeverPastTheArray)
{
    const Variant value = Variant::FromBytes({10, 20, 30, 40});
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(CopyBytes(*value, bytes, 2));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{10, 20}));
    ASSERT_TRUE(CopyBytes(*value, bytes, 128));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{10, 20, 30, 40}));
    const Variant empty = Variant::FromBytes(std::vector<uint8_t>{});
    ASSERT_TRUE(CopyBytes(*empty, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(CopyBytesTest, RefusesEverythingButAOneDimensionalByteArray)
{
    std::vector<uint8_t> bytes{7};
    EXPECT_FALSE(CopyBytes(*Variant::FromInt(4), bytes));
    EXPECT_FALSE(CopyBytes(*Variant::FromString(L"abc"), bytes));

    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    Variant square;
    square.put()->vt = VT_ARRAY | VT_UI1;
    square.get()->parray = ::SafeArrayCreate(VT_UI1, 2, bounds);
    ASSERT_NE(square.get()->parray, nullptr);
    EXPECT_FALSE(CopyBytes(*square, bytes));

    Variant words;
    words.get()->vt = VT_ARRAY | VT_UI1; // claims bytes, holds 4-byte elements
    words.get()->parray = ::SafeArrayCreateVector(VT_I4, 0, 2);
    EXPECT_FALSE(CopyBytes(*words, bytes));
    EXPECT_EQ(bytes, std::vector<uint8_t>{7}) << "a refused value leaves the output as it was";
}

} // namespace
