#pragma once
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// Hibernation from the hibernate key, the firmware and the launch button's
// request, and the offer to force it when a driver vetoed it.
class CHibernateFeature : public ITrayFeature, public IHibernate {
public:
    // worker: the hibernate worker, or null without one.
    CHibernateFeature(const TrayContext& context, IHibernateWorker* worker);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void ClearPendingHibernate() override { m_clearPending(); }

private:
    const TrayContext& m_context;
    IHibernateWorker* m_worker;
    CTrayEntry<void()> m_start;
    CTrayEntry<void()> m_clearPending;
    CTrayEntry<void()> m_offerForced;
};
