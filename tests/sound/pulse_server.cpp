// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pulse_server.h"

#include <fcntl.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace headpop::test_support {
namespace {

namespace fs = std::filesystem;

void PointClientsAt(const fs::path& folder) {
  fs::create_directories(folder);
  WriteBytes(folder / "client.conf", "autospawn = no\n");
  setenv("PULSE_SERVER", ("unix:" + (folder / "native").string()).c_str(), 1);
  setenv("PULSE_CLIENTCONFIG", (folder / "client.conf").c_str(), 1);
  setenv("PULSE_COOKIE", (folder / "cookie").c_str(), 1);
  // No X server is asked for the sound server's address.
  unsetenv("DISPLAY");
}

std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return out;
  }
  std::array<char, 512> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
    out += buffer.data();
  }
  pclose(pipe);
  return out;
}

// Bounded: a server that takes the connection and never answers must not hang the test.
bool Answers() { return std::system("timeout 5 pactl info >/dev/null 2>&1") == 0; }

}  // namespace

PulseServer::PulseServer(Sinks sinks) : sinks_(sinks) {
  PointClientsAt(folder_.path());
  Start();
}

PulseServer::~PulseServer() { Stop(); }

void PulseServer::Start() {
  if (pid_ > 0) {
    return;
  }
  const fs::path dir = folder_.path();
  fs::create_directories(dir / "home");
  fs::create_directories(dir / "run");
  fs::permissions(dir / "run", fs::perms::owner_all, fs::perm_options::replace);
  std::vector<std::string> args = {"pulseaudio",
                                   "-n",
                                   "--daemonize=no",
                                   "--exit-idle-time=-1",
                                   "--disallow-exit",
                                   "--use-pid-file=no",
                                   "--log-target=stderr",
                                   "--load=module-native-protocol-unix socket=" +
                                       (dir / "native").string() + " auth-anonymous=1"};
  if (sinks_ == Sinks::kNullSink) {
    args.emplace_back("--load=module-null-sink sink_name=null");
  }
  const std::string log = (dir / "pulse.log").string();
  const std::string home = "HOME=" + (dir / "home").string();
  const std::string runtime = "XDG_RUNTIME_DIR=" + (dir / "run").string();
  const std::string config = "XDG_CONFIG_HOME=" + (dir / "home").string();
  // Everything the child needs is made before the fork: the sound client's thread may be
  // running, so the child only calls what is safe after a fork.
  std::vector<char*> argv;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  const std::array<const char*, 4> env = {home.c_str(), runtime.c_str(), config.c_str(), nullptr};
  pid_ = fork();
  if (pid_ == 0) {
    const int log_fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    const int null_fd = open("/dev/null", O_WRONLY);
    dup2(log_fd, STDERR_FILENO);
    dup2(null_fd, STDOUT_FILENO);
    execvpe("pulseaudio", argv.data(), const_cast<char* const*>(env.data()));
    _exit(127);
  }
  for (int i = 0; i < 200 && !Answers(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!Answers()) {
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    throw std::runtime_error("PulseAudio did not start: " + text.str());
  }
}

void PulseServer::Stop() {
  if (pid_ <= 0) {
    return;
  }
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

std::vector<std::string> PulseServer::Samples() const {
  std::vector<std::string> names;
  std::istringstream lines(Output("timeout 5 pactl list samples short 2>/dev/null"));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string index;
    std::string name;
    if (fields >> index >> name) {
      names.push_back(name);
    }
  }
  return names;
}

void PointAtNoServer(const fs::path& folder) { PointClientsAt(folder); }

namespace {
constexpr uint32_t kRate = 44100;
constexpr std::size_t kFragmentFrames = 44;  // 1 ms
constexpr double kFullScale = 32768.0;
}  // namespace

MonitorRecorder::MonitorRecorder() {
  const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.fragsize = static_cast<uint32_t>(kFragmentFrames * sizeof(int16_t));
  int error = 0;
  stream_ = pa_simple_new(nullptr, "headpop-test", PA_STREAM_RECORD, PulseServer::kMonitor,
                          "monitor", &spec, nullptr, &attr, &error);
  if (stream_ == nullptr) {
    return;
  }
  reader_ = std::thread([this] { Read(); });
  // An idle sink's monitor can take a second or two to deliver its first data, and then
  // comes in bursts for a while; once it has come steadily for a while, the recording keeps
  // the sink running and the fragments are dated right.
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline && !Steady()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

bool MonitorRecorder::Steady() {
  constexpr std::size_t kSteadyFragments = 300;  // 300 ms
  constexpr auto kPrompt = std::chrono::milliseconds(20);
  const std::lock_guard lock(mutex_);
  if (behind_.size() < kSteadyFragments) {
    return false;
  }
  return std::all_of(behind_.end() - kSteadyFragments, behind_.end(),
                     [&](Clock::duration behind) { return behind < kPrompt; });
}

bool MonitorRecorder::Ready() {
  const std::lock_guard lock(mutex_);
  return !peaks_.empty();
}

MonitorRecorder::~MonitorRecorder() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  if (reader_.joinable()) {
    reader_.join();
  }
  if (stream_ != nullptr) {
    pa_simple_free(stream_);
  }
}

void MonitorRecorder::Read() {
  std::array<int16_t, kFragmentFrames> samples{};
  for (;;) {
    {
      const std::lock_guard lock(mutex_);
      if (stop_) {
        return;
      }
    }
    int error = 0;
    if (pa_simple_read(stream_, samples.data(), sizeof(samples), &error) < 0) {
      return;  // the server went away
    }
    // When the fragment was recorded: a reader that fell behind (a slow, instrumented
    // build) still dates it right, by what the server still holds for it.
    const pa_usec_t behind = pa_simple_get_latency(stream_, &error);
    const Clock::time_point at = Clock::now() - std::chrono::microseconds(behind);
    int peak = 0;
    for (const int16_t sample : samples) {
      peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    const std::lock_guard lock(mutex_);
    peaks_.emplace_back(at, peak);
    behind_.emplace_back(std::chrono::microseconds(behind));
  }
}

void MonitorRecorder::WaitFor(Clock::time_point until) {
  // Until a fragment recorded after that moment has come in, or for at most 5 s more.
  const auto deadline = until + std::chrono::seconds(5);
  std::this_thread::sleep_until(until);
  while (Clock::now() < deadline) {
    {
      const std::lock_guard lock(mutex_);
      if (!peaks_.empty() && peaks_.back().first > until) {
        return;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::optional<MonitorRecorder::Span> MonitorRecorder::Heard(Clock::time_point from,
                                                            Clock::time_point to, double level) {
  WaitFor(to);
  const std::lock_guard lock(mutex_);
  std::optional<Span> span;
  for (const auto& [at, peak] : peaks_) {
    if (at < from || at > to || peak <= static_cast<int>(level * kFullScale)) {
      continue;
    }
    if (!span) {
      span = Span{at, at};
    }
    span->last = at;
  }
  return span;
}

}  // namespace headpop::test_support
