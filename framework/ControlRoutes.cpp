#include "ControlRoutes.h"

template <typename Handler>
void CControlRoutes::Bind(std::vector<Route<Handler>>& routes, UINT id, UINT code, Handler handler)
{
    for (auto& route : routes) {
        if (route.id == id && route.code == code) {
            route.handler = std::move(handler);
            return;
        }
    }
    routes.push_back({id, code, std::move(handler)});
}

template <typename Handler>
const Handler* CControlRoutes::Find(const std::vector<Route<Handler>>& routes, UINT id, UINT code)
{
    for (const auto& route : routes) {
        if (route.id == id && route.code == code && route.handler) return &route.handler;
    }
    return nullptr;
}

void CControlRoutes::BindCommand(UINT id, CommandHandler handler)
{
    Bind(m_commands, id, 0, std::move(handler));
}

void CControlRoutes::BindNotify(UINT id, UINT code, NotifyHandler handler)
{
    Bind(m_notifies, id, code, std::move(handler));
}

void CControlRoutes::BindScroll(UINT id, ScrollHandler handler)
{
    Bind(m_scrolls, id, 0, std::move(handler));
}

void CControlRoutes::BindColor(UINT id, ColorHandler handler)
{
    Bind(m_colors, id, 0, std::move(handler));
}

bool CControlRoutes::Command(UINT id, UINT code) const
{
    const CommandHandler* handler = Find(m_commands, id, 0);
    if (handler) (*handler)(code);
    return handler != nullptr;
}

std::optional<LRESULT> CControlRoutes::Notify(const NMHDR& header) const
{
    const NotifyHandler* handler = Find(m_notifies, static_cast<UINT>(header.idFrom), header.code);
    if (!handler) return std::nullopt;
    return (*handler)(header);
}

bool CControlRoutes::Scroll(UINT id, UINT request) const
{
    const ScrollHandler* handler = Find(m_scrolls, id, 0);
    if (handler) (*handler)(request);
    return handler != nullptr;
}

HBRUSH CControlRoutes::Color(UINT id, HDC dc) const
{
    const ColorHandler* handler = Find(m_colors, id, 0);
    return handler ? (*handler)(dc) : nullptr;
}
