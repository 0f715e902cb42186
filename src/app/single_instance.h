#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <filesystem>
#include <functional>

namespace frondel {

// One running program per program folder, whose working folder it owns: the first start holds
// a lock in the working folder and listens; a later start hands it a file and ends. A lock
// left by a program that was killed is taken over.
class SingleInstance {
 public:
  // `lock_file` lies in the working folder; starts with the same one are one program.
  explicit SingleInstance(const std::filesystem::path& lock_file);

  // True when no other start of this program folder runs. Also true when the working folder
  // cannot hold a lock: the program then runs as it would without one.
  bool TakeLead();
  // Starts listening for later starts; each one's file (empty when it had none) goes to
  // `handed`. Only after TakeLead gave true.
  void Listen(std::function<void(const std::filesystem::path&)> handed);
  // Gives `file` (or nothing, when empty) to the start that leads. False when it does not
  // answer within a few seconds.
  bool HandOver(const std::filesystem::path& file);

 private:
  QLockFile lock_;
  const QString name_;
  QLocalServer server_;
};

}  // namespace frondel
