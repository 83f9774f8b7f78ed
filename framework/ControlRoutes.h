#pragma once
#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <optional>
#include <vector>

// Handlers bound to control ids for the messages controls send their parent:
// WM_COMMAND, WM_NOTIFY (by id and notification code), WM_HSCROLL and
// WM_CTLCOLOR*. Binding an id again replaces its handler.
class CControlRoutes {
public:
    using CommandHandler = std::function<void(UINT code)>;
    // The value is the notification's result.
    using NotifyHandler = std::function<LRESULT(const NMHDR& header)>;
    using ScrollHandler = std::function<void(UINT request)>;
    // The brush to paint the control's background with; null leaves the default.
    using ColorHandler = std::function<HBRUSH(HDC dc)>;

    void BindCommand(UINT id, CommandHandler handler);
    void BindNotify(UINT id, UINT code, NotifyHandler handler);
    void BindScroll(UINT id, ScrollHandler handler);
    void BindColor(UINT id, ColorHandler handler);

    // Each runs the bound handler; false, nothing or null when none is bound.
    bool Command(UINT id, UINT code) const;
    std::optional<LRESULT> Notify(const NMHDR& header) const;
    bool Scroll(UINT id, UINT request) const;
    HBRUSH Color(UINT id, HDC dc) const;

private:
    template <typename Handler>
    struct Route {
        UINT id;
        UINT code;
        Handler handler;
    };
    template <typename Handler>
    static void Bind(std::vector<Route<Handler>>& routes, UINT id, UINT code, Handler handler);
    template <typename Handler>
    static const Handler* Find(const std::vector<Route<Handler>>& routes, UINT id, UINT code);

    std::vector<Route<CommandHandler>> m_commands;
    std::vector<Route<NotifyHandler>> m_notifies;
    std::vector<Route<ScrollHandler>> m_scrolls;
    std::vector<Route<ColorHandler>> m_colors;
};
