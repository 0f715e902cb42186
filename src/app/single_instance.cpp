#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <utility>

#ifndef Q_OS_WIN
#include <sys/un.h>
#endif

#include "app/qt_text.h"

namespace frondel {
namespace {

constexpr int kAnswerMilliseconds = 5000;
// A later start sends its one line at once: a connection still open after this is dropped.
constexpr int kConnectionMilliseconds = 3000;

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

void Drop(QLocalSocket* socket) {
  socket->abort();
  socket->deleteLater();
}

}  // namespace

HandOverRequest ReadHandOver(QByteArrayView message) {
  if (message.isEmpty()) return {HandOverRequest::Status::Taken, std::nullopt};
  const HandOverRequest refused{HandOverRequest::Status::Refused, std::nullopt};
  if (message.size() > static_cast<qsizetype>(kLongestHandOver)) return refused;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(message);
  if (utf8.hasError()) return refused;
  return RequestToOpen(ToPath(text));
}

SingleInstance::SingleInstance(const std::filesystem::path& lock_file)
    : lock_(ToQString(lock_file)), name_(ServerName(lock_file)) {
  // Stale only when its program is gone, never by age: a frondel may run for days.
  lock_.setStaleLockTime(0);
}

bool SingleInstance::TakeLead() {
  if (lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError) return true;
  // The program of another machine cannot be asked whether it runs, nor reached from here.
  qint64 process = 0;
  QString host, program;
  if (lock_.getLockInfo(&process, &host, &program) && !host.isEmpty() &&
      host != QSysInfo::machineHostName()) {
    return TakeOver();
  }
  return false;
}

bool SingleInstance::TakeOver() {
  // Refused while a program of this machine still holds the file open and locked.
  lock_.removeStaleLockFile();
  return lock_.tryLock(0);
}

void SingleInstance::Listen(
    std::function<void(const std::optional<std::filesystem::path>&)> handed) {
  // A socket left by a killed start would refuse the name; the lock says it is ours now.
  QLocalServer::removeServer(name_);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  // Without it this start still works; only later starts cannot reach it, and they say so.
  if (!server_.listen(name_)) {
    qWarning("frondel: cannot listen for later starts: %s", qPrintable(server_.errorString()));
  }
  QObject::connect(
      &server_, &QLocalServer::newConnection, &server_, [this, handed = std::move(handed)] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
          // One line and its end at most, so that an endless line costs no more.
          socket->setReadBufferSize(static_cast<qint64>(kLongestHandOver) + 1);
          QTimer::singleShot(kConnectionMilliseconds, socket, [socket] { Drop(socket); });
          QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, handed] {
            if (!socket->canReadLine()) {
              if (socket->bytesAvailable() > static_cast<qint64>(kLongestHandOver)) Drop(socket);
              return;
            }
            const QByteArray line = socket->readLine(static_cast<qint64>(kLongestHandOver) + 2);
            socket->disconnectFromServer();
            socket->deleteLater();
            const HandOverRequest request = ReadHandOver(QByteArrayView(line).chopped(1));
            if (request.status == HandOverRequest::Status::Taken) handed(request.file);
          });
        }
      });
}

bool SingleInstance::HandOver(const std::optional<std::filesystem::path>& file,
                              std::chrono::milliseconds patience) {
  // A name the leader would refuse (one with a line break cannot even be told apart from
  // another) is left out: the leader then only comes forward.
  QByteArray message;
  if (file && CanHandOver(*file)) message = ToQString(*file).toUtf8();
  // The leading start may have its lock but not yet listen.
  QLocalSocket socket;
  const QDeadlineTimer deadline(patience);
  while (true) {
    socket.connectToServer(name_);
    if (socket.waitForConnected(static_cast<int>(std::min<qint64>(deadline.remainingTime(), 500))))
      break;
    if (deadline.hasExpired()) return false;
    QThread::msleep(100);
  }
  socket.write(message + '\n');
  // Waiting for the leader to hang up makes sure it has read the whole line.
  return socket.waitForBytesWritten(kAnswerMilliseconds) &&
         (socket.state() == QLocalSocket::UnconnectedState ||
          socket.waitForDisconnected(kAnswerMilliseconds));
}

}  // namespace frondel
