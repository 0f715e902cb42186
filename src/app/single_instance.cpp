#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <utility>

#ifndef Q_OS_WIN
#include <sys/un.h>
#endif

#include "app/qt_text.h"

namespace frondel {
namespace {

constexpr int kAnswerMilliseconds = 5000;

// The socket lies beside the lock, in a folder of the user's, where no other user can take
// its name first and receive the files handed over. A path too long for a Unix socket goes to
// the user's runtime folder instead (Qt takes at most 106 bytes). Windows pipes have only their
// global namespace.
QString ServerName(const std::filesystem::path& lock_file) {
  const std::filesystem::path lock = std::filesystem::absolute(lock_file);
  const QString hashed = QStringLiteral("frondel-") +
                         QString::fromLatin1(QCryptographicHash::hash(ToQString(lock).toUtf8(),
                                                                      QCryptographicHash::Sha256)
                                                 .toHex()
                                                 .left(24));
#ifdef Q_OS_WIN
  return hashed;
#else
  constexpr qsizetype kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 2;
  const QString beside = ToQString(std::filesystem::path(lock).replace_extension(".socket"));
  if (QFile::encodeName(beside).size() <= kLongestSocketPath) return beside;
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + '/' + hashed;
#endif
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
