#include "ui/SingleInstance.h"

#include <QLocalSocket>
#include <QProcessEnvironment>

namespace qeltra3k::ui {

namespace {

constexpr int kConnectTimeoutMs = 500;

QString SafePart(QString text)
{
    for (QChar& c : text) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_')
            c = u'_';
    }
    return text.isEmpty() ? QStringLiteral("none") : text;
}

}  // namespace

QString InstanceName()
{
    const auto env = QProcessEnvironment::systemEnvironment();
    QString user = env.value(QStringLiteral("USER"));
    if (user.isEmpty())
        user = env.value(QStringLiteral("LOGNAME"));
    QString display = env.value(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty())
        display = env.value(QStringLiteral("DISPLAY"));
    return QStringLiteral("qeltra3k-editor-") + SafePart(user) + u'-' + SafePart(display);
}

SingleInstance::SingleInstance(QString name) : name_(std::move(name)) {}

bool SingleInstance::Acquire()
{
    if (server_.isListening())
        return true;
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(kConnectTimeoutMs)) {
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answers: whatever socket file is left belongs to an instance that is gone.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name_);
}

}  // namespace qeltra3k::ui
