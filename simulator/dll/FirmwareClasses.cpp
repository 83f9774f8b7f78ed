#include "FirmwareClasses.h"

#include <algorithm>
#include <string>

#include "ClassObject.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace firmware_classes {
namespace {

constexpr CIMTYPE kByteArray = CIM_UINT8 | CIM_FLAG_ARRAY;

ComPtr<CClassObject> Data(CClassObject::Genus genus, const Variant& bytes = Variant())
{
    ComPtr<CClassObject> data = CClassObject::Create(kDataClass, genus);
    if (data) data->AddProperty(L"Bytes", kByteArray, bytes);
    return data;
}

ComPtr<CClassObject> Parameters(CClassObject::Genus genus, const Variant& data = Variant())
{
    ComPtr<CClassObject> parameters = CClassObject::Create(L"__PARAMETERS", genus);
    if (parameters) parameters->AddProperty(L"Data", CIM_OBJECT, data);
    return parameters;
}

ComPtr<CClassObject> Call(CClassObject::Genus genus)
{
    ComPtr<CClassObject> call = CClassObject::Create(kCallClass, genus);
    if (!call) return call;
    call->AddProperty(L"InstanceName", CIM_STRING,
                      genus == CClassObject::Genus::Instance ? Variant::FromString(kInstanceName)
                                                             : Variant());
    call->AddProperty(L"Active", CIM_BOOLEAN, Variant::FromBool(true));
    if (genus == CClassObject::Genus::Class) {
        ComPtr<CClassObject> in = Parameters(CClassObject::Genus::Class);
        ComPtr<CClassObject> out = Parameters(CClassObject::Genus::Class);
        if (in && out) call->AddMethod(kCallMethod, in.Get(), out.Get());
    }
    return call;
}

Variant VariantOf(VARTYPE type, uint8_t value)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = type;
    if (type == VT_UI1) v.bVal = value;
    if (type == VT_UI8) v.ullVal = value;
    return Variant(v);
}

// data[0] the brightness, data[1] how it is typed, data[2] Active.
Object BrightnessEvent(const SimEvent& event, const wchar_t* className)
{
    ComPtr<CClassObject> object = CClassObject::Create(className, CClassObject::Genus::Instance);
    if (!object) return object;
    const uint8_t value = event.data[0];
    object->AddProperty(L"InstanceName", CIM_STRING, Variant::FromString(kMonitorInstanceName));
    object->AddProperty(L"Active", CIM_BOOLEAN, Variant::FromBool(event.data[2] != 0));
    switch (static_cast<BrightnessType>(event.data[1])) {
    case BrightnessType::Ui1:
        object->AddProperty(L"Brightness", CIM_UINT8, VariantOf(VT_UI1, value));
        break;
    case BrightnessType::Ui8:
        object->AddProperty(L"Brightness", CIM_UINT64, VariantOf(VT_UI8, value));
        break;
    case BrightnessType::I4:
        object->AddProperty(L"Brightness", CIM_SINT32, Variant::FromInt(value));
        break;
    case BrightnessType::String:
        object->AddProperty(L"Brightness", CIM_STRING, Variant::FromString(std::to_wstring(value).c_str()));
        break;
    case BrightnessType::Missing:
        break;
    }
    return object;
}

} // namespace

Object DataClass()
{
    return Data(CClassObject::Genus::Class);
}

Object CallClass()
{
    return Call(CClassObject::Genus::Class);
}

Object CallInstance()
{
    return Call(CClassObject::Genus::Instance);
}

Object EventClass()
{
    ComPtr<CClassObject> event = CClassObject::Create(kEventClass, CClassObject::Genus::Class);
    if (!event) return event;
    event->AddProperty(L"InstanceName", CIM_STRING);
    event->AddProperty(L"Active", CIM_BOOLEAN);
    event->AddProperty(L"Data", CIM_OBJECT);
    return event;
}

Object QueryInstance(uint32_t dataBufferSize)
{
    uint8_t bytes[32] = {};
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(dataBufferSize >> (8 * i));
    ComPtr<CClassObject> qdata = CClassObject::Create(L"BQuery", CClassObject::Genus::Instance);
    ComPtr<CClassObject> query = CClassObject::Create(L"WMI_Query", CClassObject::Genus::Instance);
    if (!qdata || !query) return nullptr;
    qdata->AddProperty(L"Bytes", kByteArray, Variant::FromBytes(bytes, sizeof bytes));
    query->AddProperty(L"InstanceName", CIM_STRING, Variant::FromString(kInstanceName));
    query->AddProperty(L"Active", CIM_BOOLEAN, Variant::FromBool(true));
    query->AddProperty(L"QDATA", CIM_OBJECT,
                       Variant::FromUnknown(static_cast<IWbemClassObject*>(qdata.Get())));
    return query;
}

Object CallOutParameters(const std::vector<uint8_t>& answer)
{
    ComPtr<CClassObject> data = Data(CClassObject::Genus::Instance, Variant::FromBytes(answer));
    if (!data) return nullptr;
    return Parameters(CClassObject::Genus::Instance,
                      Variant::FromUnknown(static_cast<IWbemClassObject*>(data.Get())));
}

Object SmbiosInstance(const std::vector<uint8_t>& table, bool unreadable)
{
    ComPtr<CClassObject> smbios = CClassObject::Create(kSmbiosClass, CClassObject::Genus::Instance);
    if (!smbios) return smbios;
    smbios->AddProperty(L"InstanceName", CIM_STRING, Variant::FromString(L"SMBiosData"));
    smbios->AddProperty(L"Active", CIM_BOOLEAN, Variant::FromBool(true));
    smbios->AddProperty(L"Used20CallingMethod", CIM_BOOLEAN, Variant::FromBool(false));
    smbios->AddProperty(L"SmbiosMajorVersion", CIM_UINT8, Variant::FromInt(2));
    smbios->AddProperty(L"SmbiosMinorVersion", CIM_UINT8, Variant::FromInt(6));
    smbios->AddProperty(L"DmiRevision", CIM_UINT8, Variant::FromInt(0));
    // WMI hands uint32 properties out as VT_I4.
    smbios->AddProperty(L"Size", CIM_UINT32, Variant::FromInt(static_cast<int32_t>(table.size())));
    smbios->AddProperty(L"SMBiosData", kByteArray, Variant::FromBytes(table));
    if (unreadable) smbios->MakeUnreadable(L"SMBiosData");
    return smbios;
}

Object Event(const SimEvent& event)
{
    wchar_t className[33] = {};
    std::copy(event.className, event.className + 32, className);
    if (event.stream == EventStream::MonitorBrightness) return BrightnessEvent(event, className);
    ComPtr<CClassObject> object = CClassObject::Create(className, CClassObject::Genus::Instance);
    if (!object) return object;
    object->AddProperty(L"InstanceName", CIM_STRING, Variant::FromString(kInstanceName));
    object->AddProperty(L"Active", CIM_BOOLEAN, Variant::FromBool(true));
    size_t length = std::min<size_t>(event.length, kEventBytes);
    Variant bytes = Variant::FromBytes(event.data, length);
    switch (event.dataKind) {
    case EventDataKind::EmbeddedObject: {
        ComPtr<CClassObject> data = Data(CClassObject::Genus::Instance, bytes);
        object->AddProperty(L"Data", CIM_OBJECT,
                            Variant::FromUnknown(static_cast<IWbemClassObject*>(data.Get())));
        break;
    }
    case EventDataKind::ByteArray:
        object->AddProperty(L"Data", kByteArray, bytes);
        break;
    case EventDataKind::WrongType:
        object->AddProperty(L"Data", CIM_UINT32, Variant::FromInt(static_cast<int32_t>(length)));
        break;
    case EventDataKind::Missing:
        break;
    }
    return object;
}

} // namespace firmware_classes
} // namespace sim
