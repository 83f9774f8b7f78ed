#include "UserRights.h"
#include "UniqueHandle.h"
#include <windows.h>
#include <memory>
#include <vector>

namespace {

struct SidDeleter {
    void operator()(void* sid) const { ::FreeSid(sid); }
};
using UniqueSid = std::unique_ptr<void, SidDeleter>;

UniqueSid BuiltinSid(DWORD rid)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0, 0, 0, &sid))
        return nullptr;
    return UniqueSid(sid);
}

bool TokenHasGroup(HANDLE token, PSID a, PSID b)
{
    DWORD size = 0;
    ::GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return false;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        PSID sid = groups->Groups[i].Sid;
        if ((a && ::EqualSid(sid, a)) || (b && ::EqualSid(sid, b))) return true;
    }
    return false;
}

} // namespace

int LimitedUserFlag()
{
    UniqueSid powerUsers = BuiltinSid(DOMAIN_ALIAS_RID_POWER_USERS);
    UniqueSid administrators = BuiltinSid(DOMAIN_ALIAS_RID_ADMINS);
    if (!::ImpersonateSelf(SecurityImpersonation)) return -1;
    UniqueHandle token;
    BOOL opened = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, token.put());
    int flag = opened ? (TokenHasGroup(token.get(), powerUsers.get(), administrators.get()) ? 0 : 1) : -2;
    ::RevertToSelf();
    return flag;
}
