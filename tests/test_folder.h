#ifndef VANTREL_TESTS_TEST_FOLDER_H_
#define VANTREL_TESTS_TEST_FOLDER_H_

#include <filesystem>
#include <string>

// A fresh host folder in the system's temporary folder, removed with
// everything in it when the object goes.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Copies the simulator's files of the Earth, the Moon and Mars
  // (tests/data/simulator-sample/Config) into Config/, as an installation
  // holds them: the bodies the commands find a vessel's gravity on.
  void CopyBodyFiles() const;

  // Writes `text` to `relative` (with '/' between folders), creating the
  // folders on the way; returns the full path.
  std::filesystem::path Write(const std::string& relative,
                              const std::string& text) const;

  // Writes a definition file Config/Vantrel/<file_name>.
  std::filesystem::path WriteDefinition(const std::string& file_name,
                                        const std::string& text) const {
    return Write("Config/Vantrel/" + file_name, text);
  }

 private:
  std::filesystem::path path_;
};

#endif  // VANTREL_TESTS_TEST_FOLDER_H_
