#pragma once
#include <windows.h>

#include <wbemidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "ComObject.h"
#include "ComValues.h"
#include "CriticalSection.h"

namespace sim {

// A WMI class or instance with typed properties and, for classes, methods
// with their in/out signatures. Property names compare without case, as in WMI.
class CClassObject final : public IWbemClassObject, public CComObject {
public:
    enum class Genus { Class = 1, Instance = 2 };

    static Microsoft::WRL::ComPtr<CClassObject> Create(const wchar_t* className, Genus genus);

    // Building (before the object is handed out).
    void AddProperty(const wchar_t* name, CIMTYPE type, const Variant& value = Variant());
    // Get of this property fails, as a firmware table that cannot be read.
    void MakeUnreadable(const wchar_t* name);
    void AddMethod(const wchar_t* name, IWbemClassObject* in, IWbemClassObject* out);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    // IWbemClassObject
    HRESULT STDMETHODCALLTYPE GetQualifierSet(IWbemQualifierSet**) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE Get(LPCWSTR name, LONG flags, VARIANT* value, CIMTYPE* type,
                                  LONG* flavor) override;
    HRESULT STDMETHODCALLTYPE Put(LPCWSTR name, LONG flags, VARIANT* value, CIMTYPE type) override;
    HRESULT STDMETHODCALLTYPE Delete(LPCWSTR) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetNames(LPCWSTR qualifier, LONG flags, VARIANT* qualifierValue,
                                       SAFEARRAY** names) override;
    HRESULT STDMETHODCALLTYPE BeginEnumeration(LONG flags) override;
    HRESULT STDMETHODCALLTYPE Next(LONG flags, BSTR* name, VARIANT* value, CIMTYPE* type,
                                   LONG* flavor) override;
    HRESULT STDMETHODCALLTYPE EndEnumeration() override;
    HRESULT STDMETHODCALLTYPE GetPropertyQualifierSet(LPCWSTR, IWbemQualifierSet**) override
    {
        return WBEM_E_NOT_SUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE Clone(IWbemClassObject** copy) override;
    HRESULT STDMETHODCALLTYPE GetObjectText(LONG, BSTR*) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE SpawnDerivedClass(LONG, IWbemClassObject**) override
    {
        return WBEM_E_NOT_SUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE SpawnInstance(LONG flags, IWbemClassObject** instance) override;
    HRESULT STDMETHODCALLTYPE CompareTo(LONG, IWbemClassObject*) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetPropertyOrigin(LPCWSTR, BSTR*) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE InheritsFrom(LPCWSTR) override { return WBEM_S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetMethod(LPCWSTR name, LONG flags, IWbemClassObject** in,
                                        IWbemClassObject** out) override;
    HRESULT STDMETHODCALLTYPE PutMethod(LPCWSTR, LONG, IWbemClassObject*, IWbemClassObject*) override
    {
        return WBEM_E_NOT_SUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DeleteMethod(LPCWSTR) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE BeginMethodEnumeration(LONG) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE NextMethod(LONG, BSTR*, IWbemClassObject**, IWbemClassObject**) override
    {
        return WBEM_E_NOT_SUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE EndMethodEnumeration() override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE GetMethodQualifierSet(LPCWSTR, IWbemQualifierSet**) override
    {
        return WBEM_E_NOT_SUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE GetMethodOrigin(LPCWSTR, BSTR*) override { return WBEM_E_NOT_SUPPORTED; }

private:
    struct Property {
        std::wstring name;
        CIMTYPE type;
        Variant value;
        bool unreadable = false;
    };
    struct Method {
        std::wstring name;
        Microsoft::WRL::ComPtr<IWbemClassObject> in;
        Microsoft::WRL::ComPtr<IWbemClassObject> out;
    };

    CClassObject(const wchar_t* className, Genus genus) : m_className(className), m_genus(genus) {}
    Property* Find(LPCWSTR name);
    bool SystemProperty(LPCWSTR name, Variant& value, CIMTYPE& type) const;
    Microsoft::WRL::ComPtr<CClassObject> Copy(Genus genus);

    CriticalSection m_lock;
    std::wstring m_className;
    Genus m_genus;
    std::vector<Property> m_properties;
    std::vector<Method> m_methods;
    size_t m_enumeration = 0;
};

} // namespace sim
