#include "remind/notifier.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// A service that is started on demand needs a moment; a missing one answers
// at once.
constexpr int kCallTimeoutMs = 5000;

} // namespace

Notifier::Notifier(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    if (m_bus.isConnected()) {
        m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
    }
}

bool Notifier::available() const
{
    if (!m_bus.isConnected())
        return false;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, kInterface, QStringLiteral("GetServerInformation"));
    const QDBusMessage answer = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    return answer.type() == QDBusMessage::ReplyMessage;
}

std::optional<uint> Notifier::notify(const QString &summary, const QString &body,
                                     const QString &actionKey, const QString &actionLabel)
{
    if (!m_bus.isConnected()) {
        m_lastError = QStringLiteral("Keine Verbindung zum Sitzungsbus des Desktops.");
        return std::nullopt;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vantoria"));
    hints.insert(QStringLiteral("category"), QStringLiteral("reminder"));
    call << QStringLiteral("Vantoria") << uint(0) << QStringLiteral("vantoria") << summary << body
         << QStringList{actionKey, actionLabel} << hints << qint32(0);
    const QDBusReply<uint> reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (!reply.isValid()) {
        m_lastError = reply.error().message();
        return std::nullopt;
    }
    m_lastError.clear();
    return reply.value();
}

QString Notifier::missingServiceMessage()
{
    return QStringLiteral(
        "Erinnerungen brauchen einen Benachrichtigungsdienst des Desktops, doch es "
        "antwortet keiner. Die Einstellungen wurden nicht geändert.\n\n"
        "Bitte melden Sie sich an einer Arbeitsumgebung mit Benachrichtigungen an (etwa "
        "GNOME, KDE Plasma, Xfce oder mit dem Programm „dunst“) und versuchen Sie es erneut.");
}

void Notifier::onActionInvoked(uint id, const QString &actionKey)
{
    emit actionInvoked(id, actionKey);
}
