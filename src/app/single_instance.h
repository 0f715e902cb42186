#pragma once

#include <QByteArrayView>
#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "session/hand_over.h"

namespace frondel {

// What a later start's message (one line of UTF-8, without its end) asks for: an empty one
// only to come forward, any other as RequestToOpen of the path it holds; also refused when it
// is not UTF-8.
HandOverRequest ReadHandOver(QByteArrayView message);

// One running program per working root, whose working folder it owns: the first start holds
// a lock in the working folder and listens; a later start hands it a file and ends. A lock
// left by a program that was killed, or by one on another machine (a home folder shared over
// the network), is taken over, as is one whose program does not answer.
class SingleInstance {
 public:
  // `lock_file` lies in the working folder; starts with the same one are one program.
  explicit SingleInstance(const std::filesystem::path& lock_file);

  // True when no other start with this working root runs on this machine (the lock of one on
  // another machine is taken over). Also true when the working folder cannot hold a lock: the
  // program then runs as it would without one.
  bool TakeLead();
  // Takes the lock from a start that did not answer a hand-over; false when it cannot.
  bool TakeOver();
  // Starts listening for later starts; each one's file (none when it had none) goes to
  // `handed`. A message that ReadHandOver refuses, or one not complete within a few seconds,
  // is dropped. Only after TakeLead or TakeOver gave true.
  void Listen(std::function<void(const std::optional<std::filesystem::path>&)> handed);
  // Gives `file` (or none, also when it cannot be carried as a message) to the start that
  // leads. False when it does not answer within `patience`.
  bool HandOver(const std::optional<std::filesystem::path>& file,
                std::chrono::milliseconds patience = std::chrono::seconds(5));

  // Where the leader listens.
  const QString& server_name() const { return name_; }

 private:
  QLockFile lock_;
  const QString name_;
  QLocalServer server_;
};

}  // namespace frondel
