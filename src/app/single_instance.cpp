#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <utility>

#include "app/qt_text.h"

namespace frondel {
namespace {

constexpr int kAnswerMilliseconds = 5000;

// Local socket names are short and global, so the lock's path is hashed into one.
QString ServerName(const std::filesystem::path& lock_file) {
  const QByteArray folder = ToQString(std::filesystem::absolute(lock_file)).toUtf8();
  return QStringLiteral("frondel-") +
         QString::fromLatin1(
             QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24));
}

}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& lock_file)
    : lock_(ToQString(lock_file)), name_(ServerName(lock_file)) {
  // Stale only when its program is gone, never by age: a frondel may run for days.
  lock_.setStaleLockTime(0);
}

bool SingleInstance::TakeLead() {
  return lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError;
}

void SingleInstance::Listen(std::function<void(const std::filesystem::path&)> handed) {
  // A socket left by a killed start would refuse the name; the lock says it is ours now.
  QLocalServer::removeServer(name_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  // Without it this start still works; only later starts cannot reach it, and they say so.
  if (!server_.listen(name_)) {
    qWarning("frondel: cannot listen for later starts: %s", qPrintable(server_.errorString()));
  }
  QObject::connect(&server_, &QLocalServer::newConnection, &server_,
                   [this, handed = std::move(handed)] {
                     while (QLocalSocket* socket = server_.nextPendingConnection()) {
                       QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, handed] {
                         if (!socket->canReadLine()) return;
                         const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
                         socket->disconnectFromServer();
                         socket->deleteLater();
                         handed(ToPath(file));
                       });
                     }
                   });
}

bool SingleInstance::HandOver(const std::filesystem::path& file) {
  // The leading start may have its lock but not yet listen.
  QLocalSocket socket;
  const QDeadlineTimer deadline(kAnswerMilliseconds);
  while (true) {
    socket.connectToServer(name_);
    if (socket.waitForConnected(500)) break;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
  socket.write(ToQString(file).toUtf8() + '\n');
  // Waiting for the leader to hang up makes sure it has read the whole line.
  return socket.waitForBytesWritten(kAnswerMilliseconds) &&
         (socket.state() == QLocalSocket::UnconnectedState ||
          socket.waitForDisconnected(kAnswerMilliseconds));
}

}  // namespace frondel
