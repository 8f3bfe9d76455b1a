#include "remote/DnssdDiscovery.h"

#include "remote/RemoteLog.h"

#include <QSocketNotifier>
#include <QtEndian>

#include <dns_sd.h>

namespace {

constexpr size_t kMaxResolves = 16;  // services on one network worth asking about
const char* const kDomain = "local.";

}  // namespace

// One request to the daemon, its replies read when its socket is readable.
class DnssdDiscovery::Operation {
public:
    Operation(DnssdDiscovery& owner, QString name = {}) : owner(owner), name(std::move(name)) {}
    ~Operation()
    {
        m_notifier.reset();
        if (ref)
            DNSServiceRefDeallocate(ref);
    }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // Starts reading replies; false when the request itself failed.
    bool watch(DNSServiceErrorType error)
    {
        if (error != kDNSServiceErr_NoError || !ref)
            return false;
        m_notifier = std::make_unique<QSocketNotifier>(DNSServiceRefSockFD(ref), QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
            if (DNSServiceProcessResult(ref) != kDNSServiceErr_NoError)
                m_notifier->setEnabled(false);
        });
        return true;
    }
    void stop()
    {
        if (m_notifier)
            m_notifier->setEnabled(false);
    }

    DnssdDiscovery& owner;
    const QString name;  // the service a resolve is for
    DNSServiceRef ref = nullptr;

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

DnssdDiscovery::DnssdDiscovery(QObject* parent) : QObject(parent)
{
    // The daemon's compatibility library warns on every first use otherwise.
    qputenv("AVAHI_COMPAT_NOWARN", "1");
}

DnssdDiscovery::~DnssdDiscovery() = default;

bool DnssdDiscovery::publish(const QString& type, const QString& name, quint16 port)
{
    withdraw();
    auto operation = std::make_unique<Operation>(*this);
    const DNSServiceErrorType error = DNSServiceRegister(
        &operation->ref, 0, 0, name.toUtf8().constData(), type.toUtf8().constData(), kDomain, nullptr,
        qToBigEndian(port), 0, nullptr,
        [](DNSServiceRef, DNSServiceFlags, DNSServiceErrorType code, const char* registered, const char*,
           const char*, void*) {
            if (code != kDNSServiceErr_NoError)
                qCDebug(lcRemote) << "Companion service not published, DNS-SD error" << code;
            else
                qCDebug(lcRemote) << "Companion service published as" << registered;
        },
        nullptr);
    if (!operation->watch(error)) {
        qCDebug(lcRemote) << "Companion service not published: no DNS-SD daemon (error" << error << ")";
        return false;
    }
    m_registration = std::move(operation);
    return true;
}

void DnssdDiscovery::withdraw()
{
    if (m_registration)
        retire(std::move(m_registration));
}

bool DnssdDiscovery::browse(const QString& type, Found found)
{
    stopBrowsing();
    auto operation = std::make_unique<Operation>(*this);
    const DNSServiceErrorType error = DNSServiceBrowse(
        &operation->ref, 0, 0, type.toUtf8().constData(), kDomain,
        [](DNSServiceRef, DNSServiceFlags flags, uint32_t interfaceIndex, DNSServiceErrorType code, const char* name,
           const char* regtype, const char* domain, void* context) {
            if (code == kDNSServiceErr_NoError && (flags & kDNSServiceFlagsAdd))
                static_cast<DnssdDiscovery*>(context)->resolve(interfaceIndex, name, regtype, domain);
        },
        this);
    if (!operation->watch(error)) {
        qCDebug(lcRemote) << "Companion search not started: no DNS-SD daemon (error" << error << ")";
        return false;
    }
    m_found = std::move(found);
    m_browser = std::move(operation);
    return true;
}

void DnssdDiscovery::resolve(uint32_t interfaceIndex, const char* name, const char* type, const char* domain)
{
    if (m_resolves.size() >= kMaxResolves)
        return;
    auto operation = std::make_unique<Operation>(*this, QString::fromUtf8(name));
    const DNSServiceErrorType error = DNSServiceResolve(
        &operation->ref, 0, interfaceIndex, name, type, domain,
        [](DNSServiceRef, DNSServiceFlags, uint32_t, DNSServiceErrorType code, const char*, const char* host,
           uint16_t port, uint16_t, const unsigned char*, void* context) {
            const auto* request = static_cast<Operation*>(context);
            if (code == kDNSServiceErr_NoError && host)
                request->owner.resolved(request->name, host, qFromBigEndian(port));
        },
        operation.get());
    if (operation->watch(error))
        m_resolves.push_back(std::move(operation));
}

void DnssdDiscovery::resolved(const QString& name, const char* host, quint16 port)
{
    if (m_found)
        m_found({name, QString::fromUtf8(host), port});
}

void DnssdDiscovery::stopBrowsing()
{
    m_found = nullptr;
    if (m_browser)
        retire(std::move(m_browser));
    for (std::unique_ptr<Operation>& operation : m_resolves)
        retire(std::move(operation));
    m_resolves.clear();
}

void DnssdDiscovery::retire(std::unique_ptr<Operation> operation)
{
    // A request may end from inside its own reply: free it once that returns.
    operation->stop();
    m_retired.push_back(std::move(operation));
    QMetaObject::invokeMethod(this, [this] { m_retired.clear(); }, Qt::QueuedConnection);
}
