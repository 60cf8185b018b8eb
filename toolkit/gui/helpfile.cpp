#include "toolkit/gui/helpfile.h"

#include <chm_lib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "toolkit/sysutils.h"

namespace {

// A help file larger than this, or one that takes longer to read, is taken for damaged.
constexpr uint64_t kMostBytes = 64ull << 20;
constexpr auto kLongest = std::chrono::seconds(5);

bool WriteAll(int fd, const void* data, size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t done = write(fd, at, size);
    if (done <= 0) return false;
    at += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

// Runs in the child: every file stored, as (path length, content length, path, content).
int SendObject(chmFile* file, chmUnitInfo* unit, void* context) {
  const int fd = *static_cast<int*>(context);
  if (unit->length > kMostBytes) _exit(1);
  std::string content(unit->length, '\0');
  LONGUINT64 done = 0;
  while (done < unit->length) {
    const LONGINT64 got =
        chm_retrieve_object(file, unit, reinterpret_cast<unsigned char*>(content.data()) + done,
                            done, unit->length - done);
    if (got <= 0) return CHM_ENUMERATOR_CONTINUE;  // unreadable: as if not stored
    done += static_cast<LONGUINT64>(got);
  }
  const uint64_t sizes[2] = {std::strlen(unit->path), content.size()};
  if (!WriteAll(fd, sizes, sizeof sizes) || !WriteAll(fd, unit->path, sizes[0]) ||
      !WriteAll(fd, content.data(), content.size()))
    _exit(1);
  return CHM_ENUMERATOR_CONTINUE;
}

[[noreturn]] void SendHelpFile(const char* path, int fd) {
  chmFile* file = chm_open(path);
  if (!file) _exit(1);
  chm_enumerate(file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, SendObject, &fd);
  chm_close(file);
  _exit(0);
}

// The reader is this program's own executable started anew, not a fork: a fork of the running
// program would take its threads' locks into the child, and leave every page of the program
// copy-on-write, so that its first write to each (a screen's worth of pixels at the next line)
// faults. The new copy reads the file before main and sends it on its standard output.
constexpr char kReaderOption[] = "--send-help-file";

__attribute__((constructor)) void RunAsReader(int argc, char** argv, char**) {
  if (argc == 3 && std::strcmp(argv[1], kReaderOption) == 0) SendHelpFile(argv[2], STDOUT_FILENO);
}

pid_t StartReader(const std::string& path, int output) {
  static const char* const kProgram = "/proc/self/exe";
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return -1;
  pid_t child = -1;
  const char* const argv[] = {kProgram, kReaderOption, path.c_str(), nullptr};
  if (posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO) != 0 ||
      posix_spawn(&child, kProgram, &actions, nullptr, const_cast<char* const*>(argv), environ) !=
          0)
    child = -1;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

// Reads what the child sends until it closes the pipe; false when it sends too much or takes
// too long.
bool ReceiveAll(int fd, std::string& received) {
  const auto deadline = std::chrono::steady_clock::now() + kLongest;
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (received.size() + static_cast<size_t>(got) > kMostBytes) return false;
    received.append(buffer, static_cast<size_t>(got));
  }
}

bool Unpack(const std::string& received, std::map<std::string, std::string>& objects) {
  size_t at = 0;
  while (at < received.size()) {
    uint64_t sizes[2];
    if (received.size() - at < sizeof sizes) return false;
    std::memcpy(sizes, received.data() + at, sizeof sizes);
    at += sizeof sizes;
    if (sizes[0] > received.size() - at || sizes[1] > received.size() - at - sizes[0]) return false;
    std::string name = LowerCase(received.substr(at, sizes[0]));
    objects[std::move(name)] = received.substr(at + sizes[0], sizes[1]);
    at += sizes[0] + sizes[1];
  }
  return true;
}

}  // namespace

THelpFile::THelpFile(const std::string& path) : path_(path) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return;
  const pid_t child = StartReader(path, pipe_fds[1]);
  close(pipe_fds[1]);
  if (child < 0) {
    close(pipe_fds[0]);
    return;
  }
  std::string received;
  const bool complete = ReceiveAll(pipe_fds[0], received);
  close(pipe_fds[0]);
  if (!complete) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  open_ = complete && WIFEXITED(status) && WEXITSTATUS(status) == 0 && Unpack(received, objects_);
  if (!open_) objects_.clear();
}

bool THelpFile::Read(const std::string& name, std::string& content) const {
  content.clear();
  const std::string inside = name.starts_with('/') ? name : "/" + name;
  const auto found = objects_.find(LowerCase(inside));
  if (found == objects_.end()) return false;
  content = found->second;
  return true;
}
