#pragma once
#include <windows.h>

// Something that takes some of a message loop's messages before they are
// translated and dispatched (a modeless dialog's or sheet's keyboard use).
class IMessagePreFilter {
public:
    virtual ~IMessagePreFilter() = default;
    // true when the message was taken and must not be dispatched again.
    virtual bool PreTranslateMessage(MSG& msg) = 0;
};
