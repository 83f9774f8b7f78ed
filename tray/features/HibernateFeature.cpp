#include "HibernateFeature.h"

#include "MessageCatalogue.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

CHibernateFeature::CHibernateFeature(const TrayContext& context, IHibernateWorker* worker)
    : m_context(context)
    , m_worker(worker)
    , m_start(context.dispatcher.Trace(), "StartHibernate",
              [this] {
                  if (m_worker != nullptr) m_worker->Start();
              })
    , m_clearPending(context.dispatcher.Trace(), "ClearPendingHibernate",
                     [this] {
                         if (m_worker != nullptr) m_worker->ClearPending();
                     })
    , m_offerForced(context.dispatcher.Trace(), "OfferForcedHibernate",
                    [this] { m_worker->OfferForced(m_context.window.Handle()); })
{}

void CHibernateFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE00A, [this] { m_start(); });
    dispatcher.RouteBios(0xE00A, [this](const BiosEventCode&) { m_start(); });
    dispatcher.RouteRegistered(messages::kHibernate, [this](WPARAM, LPARAM) { m_start(); });
    dispatcher.RoutePower(PBT_APMQUERYSUSPENDFAILED, [this](LPARAM) {
        if (m_worker != nullptr && m_worker->IsPending()) m_offerForced();
    });
}
