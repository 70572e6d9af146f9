// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The effects through a real sound server of the test's own, heard at its null sink's
// monitor: when they sound, how they cut each other off, and what the game gets when the
// server is missing, goes away or comes back.
#include "sound/pulse_sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "pulse_server.h"
#include "temp_dir.h"

namespace headpop {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Link = PulseSound::Link;
using test_support::MonitorRecorder;
using test_support::PulseServer;
using test_support::TempDir;
using test_support::WriteBytes;

// The shipped effects last 0.22 s (fire) and 0.95 s (explosion).
constexpr auto kFireLength = milliseconds(220);
constexpr auto kExplosionLength = milliseconds(950);
// Room for a busy machine between asking and hearing; far less than an effect's length.
constexpr auto kSlack = milliseconds(300);

void CopyShippedSounds(const fs::path& folder) {
  for (const char* name : {"fire.wav", "explosion.wav"}) {
    fs::copy_file(fs::path(HEADPOP_SOUND_ASSETS) / name, folder / name,
                  fs::copy_options::overwrite_existing);
  }
}

// Polls until the connection is as asked; false if not so by the deadline.
bool LinkBecomes(PulseSound& sound, Link link,
                 std::chrono::seconds limit = std::chrono::seconds(10)) {
  const auto deadline = Clock::now() + limit;
  while (sound.State() != link) {
    if (Clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(milliseconds(2));
  }
  return true;
}

int CountLines(const std::string& text, const std::string& part) {
  std::istringstream lines(text);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    count += line.find(part) != std::string::npos ? 1 : 0;
  }
  return count;
}

class PulseSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CopyShippedSounds(game_.path());
    StartRecording();
  }

  void StartRecording() {
    recorder_.reset();
    recorder_ = std::make_unique<MonitorRecorder>();
    ASSERT_TRUE(recorder_->Ready());
  }

  // Plays `name` and reports what the sink heard from then until `listen` later.
  std::optional<MonitorRecorder::Span> PlayAndListen(PulseSound& sound, const char* name,
                                                     Clock::duration listen) {
    const Clock::time_point asked = Clock::now();
    sound.PlayEffect(name);
    return recorder_->Heard(asked, asked + listen);
  }

  TempDir game_;
  PulseServer server_;
  std::unique_ptr<MonitorRecorder> recorder_;
};

TEST_F(PulseSoundTest, TheFirstEffectAfterStartUpIsHeard) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  EXPECT_EQ(sound.State(), Link::kNone) << "detection only looks";
  sound.Prepare();
  // At once, before the effects have reached the server: it plays once they have.
  const auto heard = PlayAndListen(sound, "fire.wav", std::chrono::seconds(2));
  ASSERT_TRUE(heard.has_value());
  const auto length = heard->last - heard->first;
  EXPECT_GT(length, kFireLength - milliseconds(80));
  EXPECT_LT(length, kFireLength + milliseconds(80)) << "played once, not looped";
  EXPECT_EQ(sound.State(), Link::kReady);
}

TEST_F(PulseSoundTest, AnEffectAskedForBeforeTheWindowIsUpIsHeard) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  EXPECT_TRUE(PlayAndListen(sound, "explosion.wav", std::chrono::seconds(2)).has_value());
}

TEST_F(PulseSoundTest, EffectsAreHeardAfterQuietSpellsAndFromThePlayFolderOnly) {
  // Decoys in the working folder: a player that looked files up by bare name would play
  // these and stay silent.
  const TempDir elsewhere;
  WriteBytes(elsewhere.path() / "fire.wav", "");
  WriteBytes(elsewhere.path() / "explosion.wav", "");
  const test_support::ScopedWorkingFolder in_elsewhere(elsewhere.path());
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
  for (const auto quiet : {milliseconds(0), milliseconds(3000), milliseconds(600)}) {
    std::this_thread::sleep_for(quiet);
    const auto heard = PlayAndListen(sound, "explosion.wav", kExplosionLength + kSlack);
    ASSERT_TRUE(heard.has_value()) << "after " << quiet.count() << " ms of quiet";
    EXPECT_GT(heard->last - heard->first, kExplosionLength - milliseconds(150));
  }
}

TEST_F(PulseSoundTest, ANewEffectCutsOffTheOneStillPlaying) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
  // Shots 50 ms apart, explosions among them: had any explosion played on, the sink would
  // sound until nearly a second after it started.
  const Clock::time_point first = Clock::now();
  Clock::time_point last;
  for (const char* name : {"explosion.wav", "fire.wav", "explosion.wav", "explosion.wav",
                           "fire.wav", "explosion.wav", "fire.wav"}) {
    last = Clock::now();
    sound.PlayEffect(name);
    std::this_thread::sleep_for(milliseconds(50));
  }
  const auto heard = recorder_->Heard(first, last + kExplosionLength + kSlack);
  ASSERT_TRUE(heard.has_value());
  EXPECT_LT(heard->first - first, kSlack) << "the first shot is heard";
  EXPECT_LT(heard->last - last, kFireLength + kSlack)
      << "sound went on " << std::chrono::duration_cast<milliseconds>(heard->last - last).count()
      << " ms after the last shot, a fire.wav of 220 ms";
  EXPECT_GT(heard->last - last, kFireLength - milliseconds(80)) << "the last shot is heard whole";
}

// Asked for at once after another, before the server has said which sound the first is:
// the first is still cut off when its answer comes.
TEST_F(PulseSoundTest, AnEffectAskedForRightAfterAnotherStillCutsItOff) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
  const Clock::time_point asked = Clock::now();
  sound.PlayEffect("explosion.wav");
  sound.PlayEffect("fire.wav");
  const auto heard = recorder_->Heard(asked, asked + kExplosionLength + kSlack);
  ASSERT_TRUE(heard.has_value());
  EXPECT_LT(heard->last - asked, kFireLength + kSlack)
      << "sound went on " << std::chrono::duration_cast<milliseconds>(heard->last - asked).count()
      << " ms";
}

TEST_F(PulseSoundTest, IgnoresOtherNames) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
  const Clock::time_point from = Clock::now();
  for (const char* name : {"", "FIRE.WAV", "fire", "boom.wav", "explosion.wav "}) {
    sound.PlayEffect(name);
  }
  EXPECT_FALSE(recorder_->Heard(from, from + milliseconds(500), 0.001).has_value());
}

TEST_F(PulseSoundTest, FilesRemovedAfterStartUpStillPlay) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  fs::remove(game_.path() / "fire.wav");
  fs::remove(game_.path() / "explosion.wav");
  EXPECT_TRUE(PlayAndListen(sound, "fire.wav", std::chrono::seconds(2)).has_value());
}

// A file gone between detection and the window appearing stays silent, with its line; the
// other plays.
TEST_F(PulseSoundTest, AFileMissingWhenTheEffectsAreReadIsSilent) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  fs::remove(game_.path() / "fire.wav");
  ::testing::internal::CaptureStderr();
  sound.Prepare();
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountLines(errors, "fire.wav: No such file or directory"), 1) << errors;
  EXPECT_FALSE(PlayAndListen(sound, "fire.wav", milliseconds(800)).has_value());
  EXPECT_TRUE(PlayAndListen(sound, "explosion.wav", std::chrono::seconds(2)).has_value());
}

TEST_F(PulseSoundTest, ABadFileLeavesTheOtherEffectPlaying) {
  for (const auto& [bad, good] :
       {std::pair{"fire.wav", "explosion.wav"}, std::pair{"explosion.wav", "fire.wav"}}) {
    WriteBytes(game_.path() / bad, "This is a text file, not a sound.\n");
    PulseSound sound(game_.path().string());
    ASSERT_TRUE(sound.DetectSoundFiles()) << "sound on follows the files, not what they hold";
    ::testing::internal::CaptureStderr();
    sound.Prepare();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountLines(errors, std::string("headpop: no sound for ") + game_.path().string() +
                                     "/" + bad + ": "),
              1)
        << errors;
    EXPECT_FALSE(PlayAndListen(sound, bad, milliseconds(800)).has_value()) << bad;
    EXPECT_TRUE(PlayAndListen(sound, good, std::chrono::seconds(2)).has_value()) << good;
    CopyShippedSounds(game_.path());
  }
}

TEST_F(PulseSoundTest, WithoutTheFilesNothingIsLoadedOrConnected) {
  fs::remove(game_.path() / "explosion.wav");
  PulseSound sound(game_.path().string());
  EXPECT_FALSE(sound.DetectSoundFiles());
  sound.Prepare();
  EXPECT_FALSE(PlayAndListen(sound, "fire.wav", milliseconds(800)).has_value());
  EXPECT_EQ(sound.State(), Link::kNone);
  EXPECT_TRUE(server_.Samples().empty());
}

TEST_F(PulseSoundTest, KeepsItsSamplesUnderItsOwnNamesAndRemovesThemAtExit) {
  const std::string prefix = "headpop-" + std::to_string(getpid()) + "-";
  {
    PulseSound sound(game_.path().string());
    ASSERT_TRUE(sound.DetectSoundFiles());
    sound.Prepare();
    ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
    std::vector<std::string> samples = server_.Samples();
    std::sort(samples.begin(), samples.end());
    EXPECT_EQ(samples, (std::vector<std::string>{prefix + "explosion.wav", prefix + "fire.wav"}));
  }
  EXPECT_TRUE(server_.Samples().empty());
}

// The sound server stops during a game and starts again: silent meanwhile, with one line,
// and heard again as soon as it is back.
TEST_F(PulseSoundTest, IsHeardAgainOnceTheServerIsBack) {
  PulseSound sound(game_.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
  ::testing::internal::CaptureStderr();
  // The recording ends first: the recorder's own client can hang when its server dies.
  recorder_.reset();
  server_.Stop();
  ASSERT_TRUE(LinkBecomes(sound, Link::kDown));
  for (int shot = 0; shot < 3; ++shot) {
    sound.PlayEffect("fire.wav");
    std::this_thread::sleep_for(milliseconds(100));
  }
  ASSERT_TRUE(LinkBecomes(sound, Link::kDown));
  server_.Start();
  const Clock::time_point back = Clock::now();
  StartRecording();
  // The first shot finds the server again; it and a shot every 300 ms after it are heard.
  // Nothing else plays on the new server, so the first shot's sound is anything recorded
  // there (a new recording's first second can be dated a little early).
  sound.PlayEffect("fire.wav");
  std::string heard = recorder_->Heard(back, Clock::now() + std::chrono::seconds(1)) ? "+" : "-";
  for (int shot = 1; shot < 10; ++shot) {
    heard += PlayAndListen(sound, "fire.wav", milliseconds(300)) ? "+" : "-";
  }
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(heard, "++++++++++") << "each shot after the server's return, heard (+) or not";
  EXPECT_EQ(CountLines(errors, "headpop: no sound: the sound server went away"), 1) << errors;
  EXPECT_LE(CountLines(errors, "headpop: no sound: no sound server"), 1) << errors;
}

// With no sound server at all the game plays on silent, says so once, and every shot only
// tries the connection again.
TEST(PulseSoundWithoutServerTest, IsSilentAndSaysSoOnce) {
  const TempDir game;
  CopyShippedSounds(game.path());
  const TempDir nowhere;
  test_support::PointAtNoServer(nowhere.path());
  PulseSound sound(game.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles()) << "sound on follows the files, not the server";
  ::testing::internal::CaptureStderr();
  sound.Prepare();
  const bool down = LinkBecomes(sound, Link::kDown);
  bool tried_again = true;
  for (int shot = 0; shot < 5; ++shot) {
    sound.PlayEffect(shot % 2 == 0 ? "fire.wav" : "explosion.wav");
    tried_again = tried_again && LinkBecomes(sound, Link::kDown);
  }
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(down);
  EXPECT_TRUE(tried_again);
  EXPECT_EQ(CountLines(errors, "headpop: no sound: no sound server"), 1) << errors;
  EXPECT_EQ(CountLines(errors, ""), 1) << "nothing else on standard error:\n" << errors;
}

// A server with no output device takes the effects but cannot play them.
TEST(PulseSoundWithoutDeviceTest, IsSilentAndSaysSoOnce) {
  const PulseServer server(PulseServer::Sinks::kNone);
  const TempDir game;
  CopyShippedSounds(game.path());
  PulseSound sound(game.path().string());
  ASSERT_TRUE(sound.DetectSoundFiles());
  sound.Prepare();
  ASSERT_TRUE(LinkBecomes(sound, Link::kReady));
  ::testing::internal::CaptureStderr();
  for (int shot = 0; shot < 4; ++shot) {
    sound.PlayEffect(shot % 2 == 0 ? "fire.wav" : "explosion.wav");
    std::this_thread::sleep_for(milliseconds(100));
  }
  std::this_thread::sleep_for(milliseconds(500));  // the server's answers come back
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(CountLines(errors, "headpop: no sound: the sound server did not play"), 1) << errors;
  EXPECT_EQ(CountLines(errors, ""), 1) << errors;
  EXPECT_EQ(sound.State(), Link::kReady);
}

}  // namespace
}  // namespace headpop
