// Files the commands write: a temporary file renamed into place, and the
// files a command refuses to write over.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "files/disk_file_system.h"
#include "files/memory_file_system.h"
#include "files/read_recorder.h"
#include "test_folder.h"
#include "tools/output_guard.h"

namespace {

namespace fs = std::filesystem;
using files::FileSystem;
using ::testing::HasSubstr;
using ::testing::Optional;

// The entries of `folder`, by name.
std::vector<std::string> Names(FileSystem& files, const fs::path& folder) {
  std::vector<std::string> names;
  const auto tree = files.EntriesBelow(folder);
  if (!tree) return names;
  for (const fs::path& file : tree->files) {
    names.push_back(file.filename().string());
  }
  return names;
}

// The disk and the memory twin keep one contract: the target holds its old
// text until Commit, and an output dropped unfinished leaves nothing behind.
void ReplacesInOneStep(FileSystem& files, const fs::path& folder) {
  const fs::path target = folder / "run.log";
  ASSERT_TRUE(files.WriteOutput(target, "old\n", nullptr));
  {
    SCOPED_TRACE("interrupted: the old file is whole");
    auto output = files.CreateOutput(target, nullptr);
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(output->Append("half of a new"));
    EXPECT_THAT(files.ReadFile(target, nullptr),
                Optional(std::string("old\n")));
    EXPECT_EQ(Names(files, folder).size(), 2u) << "the temporary file beside";
  }
  EXPECT_THAT(files.ReadFile(target, nullptr), Optional(std::string("old\n")));
  EXPECT_THAT(Names(files, folder), ::testing::ElementsAre("run.log"));
  {
    SCOPED_TRACE("committed: the new text replaces the old");
    auto output = files.CreateOutput(target, nullptr);
    output->Append("new ");
    output->Append("text\n");
    std::string reason;
    EXPECT_TRUE(output->Commit(&reason)) << reason;
    EXPECT_THAT(files.ReadFile(target, nullptr),
                Optional(std::string("new text\n")));
    EXPECT_THAT(Names(files, folder), ::testing::ElementsAre("run.log"));
  }
  {
    SCOPED_TRACE("a new file never takes the place of one made meanwhile");
    const fs::path fresh = folder / "Lander.cfg";
    auto output = files.CreateOutput(fresh, nullptr);
    ASSERT_NE(output, nullptr);
    output->Append("N = 3\n");
    ASSERT_TRUE(files.WriteOutput(fresh, "the user's\n", nullptr));
    std::string reason;
    EXPECT_FALSE(output->CommitNew(&reason));
    EXPECT_EQ(reason, "already exists");
    EXPECT_THAT(files.ReadFile(fresh, nullptr),
                Optional(std::string("the user's\n")));
    EXPECT_THAT(Names(files, folder),
                ::testing::UnorderedElementsAre("run.log", "Lander.cfg"));
    auto second = files.CreateOutput(folder / "Tug.cfg", nullptr);
    second->Append("N = 4\n");
    EXPECT_TRUE(second->CommitNew(&reason)) << reason;
    EXPECT_THAT(files.ReadFile(folder / "Tug.cfg", nullptr),
                Optional(std::string("N = 4\n")));
    EXPECT_EQ(Names(files, folder).size(), 3u);
  }
  {
    SCOPED_TRACE("what is not a file is never replaced");
    std::string reason;
    EXPECT_EQ(files.CreateOutput(folder, &reason), nullptr);
    EXPECT_EQ(reason, "is a folder");
    EXPECT_EQ(files.CreateOutput(folder / "no" / "x.log", &reason), nullptr);
    EXPECT_EQ(reason, "no such folder");
  }
  {
    SCOPED_TRACE("a file larger than a read reads back whole");
    std::string large(100003, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
      large[i] = static_cast<char>('a' + i % 23 + i / 4096 % 3);
    }
    ASSERT_TRUE(files.WriteOutput(folder / "large.log", large, nullptr));
    EXPECT_THAT(files.ReadFile(folder / "large.log", nullptr), Optional(large));
  }
}

TEST(OutputFileTest, WritesBesideTheTargetAndRenamesIntoPlace) {
  {
    SCOPED_TRACE("disk");
    TestFolder folder;
    files::DiskFileSystem disk;
    ReplacesInOneStep(disk, folder.path());
  }
  {
    SCOPED_TRACE("memory");
    files::MemoryFileSystem memory;
    memory.CreateFolder("/out");
    ReplacesInOneStep(memory, "/out");
  }
}

TEST(OutputFileTest, RefusesWhatTheCommandOrTheSimulatorReads) {
  TestFolder host;
  const fs::path scenario = host.Write("Scenarios/Test.scn", "");
  host.WriteDefinition("Lander.cfg", "N = 3\n");
  const fs::path elsewhere = host.Write("elsewhere/notes.txt", "mine");
  const fs::path mesh = host.Write("elsewhere/Lander.MSH", "mesh");
  files::DiskFileSystem disk;
  files::ReadRecorder files(&disk);
  const auto refusal = [&](const fs::path& target) {
    return tools::OutputRefusal(files, target, host.path(), files.reads())
        .value_or("");
  };
  {
    SCOPED_TRACE("a file the command read, under another spelling");
    EXPECT_EQ(refusal(elsewhere), "");
    files.ReadFile(elsewhere, nullptr);
    EXPECT_EQ(
        refusal(host.path() / "elsewhere" / ".." / "elsewhere" / "notes.txt"),
        "this command reads it");
  }
  {
    SCOPED_TRACE("an existing input of the simulator, in any case");
    EXPECT_THAT(refusal(mesh), HasSubstr("existing .msh file (a mesh)"));
    EXPECT_EQ(refusal(host.path() / "elsewhere" / "new.msh"), "")
        << "only an existing one";
  }
  {
    SCOPED_TRACE("anything below the simulator's own folders");
    EXPECT_THAT(refusal(host.path() / "Scenarios" / "new.log"),
                HasSubstr("host folder's Scenarios folder"));
    EXPECT_THAT(refusal(host.path() / "config" / "Vantrel" / "run.log"),
                HasSubstr("host folder's Config folder"));
    EXPECT_THAT(refusal(host.path() / "Modules" / "Plugin" / "x.svg"),
                HasSubstr("Modules folder"));
    EXPECT_EQ(refusal(host.path() / "run.log"), "");
    EXPECT_EQ(refusal(host.path() / "Configs.log"), "");
  }
  {
    SCOPED_TRACE("a refusal leaves the file whole and says why, exit 3");
    std::ostringstream err;
    int exit_code = 0;
    const tools::OutputRequest request{"vantrel run", "the log",
                                       scenario.string(), "hint line"};
    EXPECT_EQ(tools::OpenOutput(files, request, host.path(), err, exit_code),
              nullptr);
    EXPECT_EQ(exit_code, 3);
    EXPECT_THAT(err.str(), HasSubstr("refusing to write the log to " +
                                     tools::Quoted(scenario.string()) +
                                     ": it is an existing .scn file"));
    EXPECT_THAT(err.str(), HasSubstr("\n  hint line\n"));
    EXPECT_EQ(fs::file_size(scenario), 0u);
  }
}

}  // namespace
