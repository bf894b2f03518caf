// The outputs of the running job. A finished output waits here, in its
// temporary file, until the job ends: a job that ends well has them all put
// in place together; one that does not leaves every earlier file of their
// names as it was, and keeps what it left unfinished beside it under
// IncompleteName (shell/OutputGuard.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class PendingOutputs {
 public:
  // What became of one output once the job has ended.
  struct Left {
    std::string path;  // its name on disk
    bool complete = true;
  };

  // The set of the job running on this thread until it is destroyed.
  PendingOutputs();
  // Removes the temporary files of outputs still waiting.
  ~PendingOutputs();
  PendingOutputs(const PendingOutputs&) = delete;
  PendingOutputs& operator=(const PendingOutputs&) = delete;

  // The set of the job running on this thread; null outside a job.
  static PendingOutputs* Current();

  // A finished output for path in the temporary file temp (recorded in the
  // table of temporary files at slot); complete is false for a partial one.
  void add(std::unique_ptr<std::string> temp, int slot, std::string path, bool complete);
  // The temporary file that holds the finished output for path, or "".
  std::string waiting(const std::string& path) const;

  // Puts every complete output in place. Throws JobError (file access)
  // naming an output that can't be put in place, before any is moved.
  void commit();
  // After a job that did not end well: each partial output goes beside its
  // name under IncompleteName; complete ones are put in place when
  // keepComplete, else removed. An output that can't be kept is removed.
  void settle(bool keepComplete);

  // The output the job wrote for path once the job has ended, if any is left.
  std::optional<Left> left(const std::string& path) const;
  // Every output left, in the order they were finished.
  std::vector<Left> left() const;

 private:
  struct Output {
    std::unique_ptr<std::string> temp;  // "" once moved or removed
    int slot = -1;
    std::string path;
    bool complete = true;
    std::string placed;  // the name it was put in place under
  };
  // Moves output's file to name; false (the file removed, errno set) when it can't.
  bool place(Output& output, const std::string& name);
  void drop(Output& output);

  std::vector<Output> outputs_;
  PendingOutputs* outer_;
};

}  // namespace morvane
