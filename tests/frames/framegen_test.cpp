// Runs the generator program itself; its path comes from the build.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "frames/frame_numbering.h"

namespace {

struct Outcome {
  int status = -1;
  std::string err;
};

Outcome run_framegen(const std::string& args) {
  const auto err_path = std::filesystem::temp_directory_path() /
                        ("framegen_err_" + std::to_string(::getpid()));
  const std::string cmd =
      std::string(FRAMEGEN_PATH) + " " + args + " 2>" + err_path.string();
  const int raw = std::system(cmd.c_str());
  Outcome r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(err_path);
  r.err.assign(std::istreambuf_iterator<char>(in), {});
  std::filesystem::remove(err_path);
  return r;
}

TEST(Framegen, UnwritableFolderFailsWithAMessage) {
  const Outcome r = run_framegen("--bmp /nonexistent/framegen/out");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("cannot write /nonexistent/framegen/out/Image1.bmp"), std::string::npos)
      << r.err;
}

TEST(Framegen, WritesAllBitmaps) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("framegen_out_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const Outcome r = run_framegen("--bmp " + dir.string());
  EXPECT_EQ(r.status, 0) << r.err;
  for (int i = 1; i <= 54; ++i) {
    const auto path = dir / (frames::holder_name(i) + ".bmp");
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_GT(std::filesystem::file_size(path), 1078u);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "Image55.bmp"));
  std::filesystem::remove_all(dir);
}

TEST(Framegen, NoArgumentsIsAUsageError) {
  const Outcome r = run_framegen("");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("usage"), std::string::npos);
}

}  // namespace
