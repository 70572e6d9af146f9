// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace headpop {
namespace {

namespace fs = std::filesystem;
using test_support::TempDir;
using test_support::WriteBytes;

enum class Kind { kFile, kDirectory, kBrokenLink, kLinkToFile, kLinkToDirectory, kFifo };

struct Entry {
  std::string name;
  Kind kind;
};

// Creates `entries` in `folder`. Link targets live in a sibling folder under other
// names, so a link's own name can be told from its target's.
void Populate(const fs::path& folder, const std::vector<Entry>& entries) {
  const fs::path elsewhere = folder.parent_path() / "elsewhere";
  fs::create_directories(folder);
  fs::create_directories(elsewhere / "real-folder");
  WriteBytes(elsewhere / "real.wav", "RIFF");
  for (const Entry& entry : entries) {
    const fs::path at = folder / entry.name;
    switch (entry.kind) {
      case Kind::kFile:
        WriteBytes(at, "RIFF");
        break;
      case Kind::kDirectory:
        fs::create_directory(at);
        break;
      case Kind::kBrokenLink:
        fs::create_symlink(elsewhere / "missing.wav", at);
        break;
      case Kind::kLinkToFile:
        fs::create_symlink(elsewhere / "real.wav", at);
        break;
      case Kind::kLinkToDirectory:
        fs::create_directory_symlink(elsewhere / "real-folder", at);
        break;
      case Kind::kFifo:
        ASSERT_EQ(mkfifo(at.c_str(), 0600), 0) << at;
        break;
    }
  }
}

Entry File(std::string name) { return {std::move(name), Kind::kFile}; }

struct DetectionCase {
  const char* label;
  std::vector<Entry> entries;
  bool expected;
};

class DetectionTest : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(DetectionTest, FindsBothFilesByExactNameOnly) {
  const TempDir temp;
  const fs::path folder = temp.path() / "game";
  Populate(folder, GetParam().entries);
  EXPECT_EQ(DetectSoundFilesIn(folder.string()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DetectionTest,
    ::testing::Values(
        DetectionCase{"BothFiles", {File("explosion.wav"), File("fire.wav")}, true},
        DetectionCase{"OnlyExplosion", {File("explosion.wav")}, false},
        DetectionCase{"OnlyFire", {File("fire.wav")}, false},
        DetectionCase{"Neither", {File("other.wav")}, false},
        DetectionCase{"FireInCapitals", {File("explosion.wav"), File("FIRE.WAV")}, false},
        DetectionCase{"FireCapitalised", {File("explosion.wav"), File("Fire.wav")}, false},
        DetectionCase{"ExplosionCapitalised", {File("Explosion.wav"), File("fire.wav")}, false},
        DetectionCase{"NamesWithTrailingBlank", {File("explosion.wav "), File("fire.wav ")}, false},
        DetectionCase{
            "FireIsADirectory", {File("explosion.wav"), {"fire.wav", Kind::kDirectory}}, false},
        DetectionCase{
            "FireIsABrokenLink", {File("explosion.wav"), {"fire.wav", Kind::kBrokenLink}}, false},
        DetectionCase{
            "FireLinksToAFile", {File("explosion.wav"), {"fire.wav", Kind::kLinkToFile}}, true},
        DetectionCase{"ExplosionLinksToAFile",
                      {{"explosion.wav", Kind::kLinkToFile}, File("fire.wav")},
                      true},
        DetectionCase{"ExplosionLinksToADirectory",
                      {{"explosion.wav", Kind::kLinkToDirectory}, File("fire.wav")},
                      false},
        // Opening a FIFO would block until a writer came: detection must not.
        DetectionCase{"FireIsAFifo", {File("explosion.wav"), {"fire.wav", Kind::kFifo}}, false}),
    [](const auto& p) { return std::string(p.param.label); });

struct FolderSpellingCase {
  const char* label;
  const char* folder_with_files;  // one of "sounds", "sounds ", " sounds"
  const char* asked;
  bool expected;
};

class FolderSpellingTest : public ::testing::TestWithParam<FolderSpellingCase> {};

// Three look-alike folders, only one of which holds the files: a folder must be
// used as given, apart from the one '/' that joins it to the file name.
TEST_P(FolderSpellingTest, UsesTheFolderAsGiven) {
  const TempDir temp;
  for (const char* name : {"sounds", "sounds ", " sounds"}) {
    fs::create_directory(temp.path() / name);
  }
  Populate(temp.path() / GetParam().folder_with_files, {File("explosion.wav"), File("fire.wav")});
  EXPECT_EQ(DetectSoundFilesIn(temp.path().string() + "/" + GetParam().asked), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, FolderSpellingTest,
    ::testing::Values(
        FolderSpellingCase{"WithoutSlash", "sounds", "sounds", true},
        FolderSpellingCase{"WithSlash", "sounds", "sounds/", true},
        FolderSpellingCase{"TrailingBlankIsPartOfTheName", "sounds ", "sounds ", true},
        FolderSpellingCase{"TrailingBlankIsNotTrimmed", "sounds", "sounds ", false},
        FolderSpellingCase{"LeadingBlankIsPartOfTheName", " sounds", " sounds", true},
        FolderSpellingCase{"LeadingBlankIsNotTrimmed", "sounds", " sounds", false},
        FolderSpellingCase{"BlankAfterSlashIsNotTrimmed", "sounds", "sounds/ ", false}),
    [](const auto& p) { return std::string(p.param.label); });

struct StoredNameCase {
  const char* label;
  std::vector<Entry> entries;
  const char* asked;  // relative to the folder holding the entries
  const char* expected;
};

class StoredFileNameTest : public ::testing::TestWithParam<StoredNameCase> {};

TEST_P(StoredFileNameTest, ReportsOrdinaryFilesAsListed) {
  const TempDir temp;
  const fs::path folder = temp.path() / "game";
  Populate(folder, GetParam().entries);
  EXPECT_EQ(StoredFileName(folder.string() + "/" + GetParam().asked), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, StoredFileNameTest,
    ::testing::Values(
        StoredNameCase{"OrdinaryFile", {File("fire.wav")}, "fire.wav", "fire.wav"},
        StoredNameCase{"Missing", {File("explosion.wav")}, "fire.wav", ""},
        StoredNameCase{"StoredInCapitals", {File("FIRE.WAV")}, "fire.wav", ""},
        StoredNameCase{"AskedInCapitals", {File("fire.wav")}, "FIRE.WAV", ""},
        StoredNameCase{
            "LinkGivesItsOwnName", {{"fire.wav", Kind::kLinkToFile}}, "fire.wav", "fire.wav"},
        StoredNameCase{"BrokenLink", {{"fire.wav", Kind::kBrokenLink}}, "fire.wav", ""},
        StoredNameCase{"Directory", {{"fire.wav", Kind::kDirectory}}, "fire.wav", ""},
        StoredNameCase{"LinkToDirectory", {{"fire.wav", Kind::kLinkToDirectory}}, "fire.wav", ""},
        StoredNameCase{"Fifo", {{"fire.wav", Kind::kFifo}}, "fire.wav", ""},
        StoredNameCase{"MissingFolder", {File("fire.wav")}, "nowhere/fire.wav", ""},
        StoredNameCase{"FileUsedAsFolder", {File("fire.wav")}, "fire.wav/fire.wav", ""},
        StoredNameCase{"NoNameAfterSlash", {{"fire.wav", Kind::kDirectory}}, "fire.wav/", ""}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(StoredFileNameRelativeTest, BareNameIsLookedUpInTheWorkingFolder) {
  const TempDir temp;
  Populate(temp.path() / "game", {File("fire.wav")});
  const test_support::ScopedWorkingFolder in_game(temp.path() / "game");
  EXPECT_EQ(StoredFileName("fire.wav"), "fire.wav");
  EXPECT_EQ(StoredFileName("explosion.wav"), "");
}

}  // namespace
}  // namespace headpop
