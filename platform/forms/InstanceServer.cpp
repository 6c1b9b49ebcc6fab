#include "InstanceServer.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace forms {

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;
const QByteArray kRequest = QByteArrayLiteral("activate");
const QByteArray kAnswer = QByteArrayLiteral("activated");

void answerRequests(QLocalSocket* socket, const std::function<void()>& onActivate) {
    while (socket->canReadLine()) {
        if (socket->readLine().trimmed() == kRequest) {
            onActivate();
            socket->write(kAnswer + '\n');
            socket->flush();
        }
    }
}

}  // namespace

InstanceServer::~InstanceServer() {
    close();
}

QString InstanceServer::socketPath(const QString& key) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    QString name = key;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QStringLiteral("/morvik-") + QString::number(getuid()) + QLatin1Char('-') +
           name;
}

bool InstanceServer::claim(const QString& key, std::function<void()> onActivate) {
    const QString path = socketPath(key);
    // Without the lock (a copy hanging while it decides) the check goes on regardless.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.tryLock(kAnswerTimeoutMs);
    {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(kConnectTimeoutMs)) {
            probe.disconnectFromServer();
            return true;
        }
    }
    // Nobody listens: a socket file still there was left by a copy that crashed.
    QLocalServer::removeServer(path);
    close();
    server_ = new QLocalServer(QCoreApplication::instance());
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        close();  // the program still runs, only later copies cannot find it
        return false;
    }
    QLocalServer* server = server_;
    QObject::connect(server, &QLocalServer::newConnection, server, [server, onActivate] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket,
                             [socket, onActivate] { answerRequests(socket, onActivate); });
            answerRequests(socket, onActivate);
        }
    });
    return false;
}

bool InstanceServer::requestActivation(const QString& key) {
    QLocalSocket socket;
    socket.connectToServer(socketPath(key));
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    socket.write(kRequest + '\n');
    socket.flush();
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerTimeoutMs)) {
        answer += socket.readAll();
    }
    return answer.trimmed() == kAnswer;
}

void InstanceServer::close() {
    if (server_) {
        server_->close();
        delete server_.data();
    }
}

}  // namespace forms
