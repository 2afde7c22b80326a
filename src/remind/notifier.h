#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

// The desktop's notification service (org.freedesktop.Notifications) on a
// session bus: notifications with one action, and the action the user chose.
class Notifier : public QObject
{
    Q_OBJECT

public:
    explicit Notifier(QDBusConnection bus, QObject *parent = nullptr);

    // True when a notification service answers on the bus (a service the bus
    // starts on demand is started by the question).
    bool available() const;

    // Shows a notification that stays until the user closes it; its one
    // action has the key `actionKey` and the label `actionLabel`. The
    // service's id of the notification, or nullopt when it could not be
    // shown (lastError() says why).
    std::optional<uint> notify(const QString &summary, const QString &body,
                               const QString &actionKey, const QString &actionLabel);

    const QString &lastError() const { return m_lastError; }

    // "Erinnerungen brauchen …": what the dialogs say without a service.
    static QString missingServiceMessage();

signals:
    // The user chose the action of a notification this object showed.
    void actionInvoked(uint id, const QString &actionKey);

private slots:
    void onActionInvoked(uint id, const QString &actionKey);

private:
    QDBusConnection m_bus;
    QString m_lastError;
};
