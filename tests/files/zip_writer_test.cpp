// The zip archive writer: entries an independent reader takes whole (CRC-32 and sizes checked), and the
// first failure of the file it writes kept and reported.
#include "files/zip_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../command_output.h"

using namespace plintova;
namespace fs = std::filesystem;

// An empty entry, a repetitive one that shrinks to little, and 300 kB of noise that does not shrink,
// given in pieces of odd sizes so that the deflater's input and output both cross their buffers.
TEST(ZipWriter, EveryEntryReadsBackWithItsSizeAndCrc) {
  if (std::system("python3 -c 'import zipfile' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no Python";
  const fs::path path = fs::temp_directory_path() / ("plintova-zip-" + std::to_string(::getpid()) + ".zip");
  std::string noise(300000, '\0');
  unsigned state = 12345;
  for (char& c : noise) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 24);
  }
  {
    ZipFileSink file(path.string());
    ASSERT_EQ(file.openFailure(), "");
    ZipWriter zip([&file](std::string_view bytes) { return file.write(bytes); });
    zip.begin("empty");
    zip.begin("folder/text.xml");
    for (int i = 0; i < 20000; ++i) zip.write("<row r=\"1\"><c><v>2.346</v></c></row>");
    zip.begin("noise.bin");
    for (std::size_t at = 0; at < noise.size(); at += 7777) zip.write(std::string_view(noise).substr(at, 7777));
    ASSERT_EQ(zip.finish(), "");
    ASSERT_EQ(file.close(), "");
  }
  const std::string listing = commandOutput(
      "python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); print(z.testzip()); "
      "[print(i.filename, i.file_size, i.compress_size < i.file_size) for i in z.infolist()]' '" +
      path.string() + "' 2>&1");
  fs::remove(path);
  EXPECT_EQ(listing,
            "None\n"
            "empty 0 False\n"
            "folder/text.xml 720000 True\n"
            "noise.bin 300000 False\n");
}

TEST(ZipWriter, TheFirstFailureIsKeptAndNothingIsWrittenAfterIt) {
  std::size_t calls = 0;
  ZipWriter zip([&calls](std::string_view) -> std::string {
    return ++calls == 3 ? "No space left on device" : "";
  });
  zip.begin("a");
  zip.write("first");
  zip.begin("b");  // ends "a": its data and descriptor are the second and third writes
  zip.write("second");
  EXPECT_EQ(zip.finish(), "No space left on device");
  EXPECT_EQ(calls, 3u);

  ZipFileSink folder(fs::temp_directory_path().string());
  EXPECT_NE(folder.openFailure(), "");
  EXPECT_EQ(folder.write("x"), folder.openFailure());
}
